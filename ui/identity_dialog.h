// Who and what a protocol is for: object, section, executor and checker,
// asked before the print dialog and remembered between runs.
#pragma once

#include <QDialog>
#include <array>

#include "report/protocol.h"

class QLineEdit;

namespace kaldora {

class IdentityDialog : public QDialog {
public:
    IdentityDialog(const ProtocolIdentity& identity, QWidget* parent);
    ProtocolIdentity Identity() const;

private:
    std::array<QLineEdit*, 4> fields_{};
};

// What was typed last time, from the user's settings; empty the first time.
ProtocolIdentity RememberedIdentity();
void RememberIdentity(const ProtocolIdentity& identity);

}  // namespace kaldora
