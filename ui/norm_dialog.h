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

// What the line under the fields says of the norm: the current norm with its
// supports, then the region on a second line; nothing for the historical
// tables.
QString NormSummary(const NormChoice& choice);

// The air temperature field's hint where the current norm sizes a pipe
// outdoors: the temperature its fluxes assume.
QString OutdoorAirHint();

}  // namespace kaldora
