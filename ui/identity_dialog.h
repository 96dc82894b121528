// Who and what a protocol is for: object, section, executor and checker, and
// optionally the organisation, project code and document number, asked
// before the print dialog and remembered between runs.
#pragma once

#include <QDialog>
#include <array>

#include "report/protocol.h"

class QLineEdit;

namespace kaldora {

inline constexpr std::size_t kIdentityFields = 7;

class IdentityDialog : public QDialog {
public:
    IdentityDialog(const ProtocolIdentity& identity, QWidget* parent);
    ProtocolIdentity Identity() const;

private:
    std::array<QLineEdit*, kIdentityFields> fields_{};
};

// What was typed last time, from the user's settings; empty the first time.
ProtocolIdentity RememberedIdentity();
void RememberIdentity(const ProtocolIdentity& identity);

}  // namespace kaldora
