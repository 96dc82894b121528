// What the calculate command needs of the screen. The main window implements
// it with its widgets; the tests and the command-line calculator record.
#pragma once

#include <string>

namespace kaldora {

class CalcView {
public:
    virtual ~CalcView() = default;

    // Text of the edit box of a slot that has controls.
    virtual std::string SlotText(int slot) const = 0;
    virtual void SetSlotText(int slot, const std::string& text) = 0;

    // Caption of the result line.
    virtual void SetResultLine(const std::string& caption) = 0;

    // Modal information box; returns when the user has closed it.
    virtual void ShowInfo(const std::string& message) = 0;

    // Modal error box for an arithmetic fault.
    virtual void ShowError(const std::string& message) = 0;
};

}  // namespace kaldora
