// The choice of the norm for a type that has it: the historical tables or
// the current norm, with the supports and the region that only the current
// norm reads.
#pragma once

#include <QDialog>

#include "model/norm_choice.h"

class QComboBox;

namespace kaldora {

class NormDialog : public QDialog {
public:
    NormDialog(const NormChoice& choice, QWidget* parent);

    NormChoice Choice() const;

private:
    void EnableCurrentNormChoices();

    QComboBox* normBox_;
    QComboBox* supportsBox_;
    QComboBox* regionBox_;
};

// What the norm button says beside it: the current norm and its choices, or
// nothing for the historical tables.
QString NormSummary(const NormChoice& choice);

}  // namespace kaldora
