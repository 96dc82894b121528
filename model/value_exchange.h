// Moving numbers between the edit boxes and the parameter table, the result
// line and the information box.
#pragma once

#include <string>
#include <string_view>

#include "model/calc_view.h"

namespace kaldora {

// The view the routines below talk to; nullptr detaches it (then they only
// change the data).
void AttachView(CalcView* view);
CalcView* AttachedView();

// Reads the visible edit boxes of the current type into its row.
void ReadSlots();

// Builds the slot's format record from the text read for it (after the
// comma swap): "%1.0f" without a point, else as many decimals as there are
// characters after the point, at most kMaxSlotDecimals.
void MakeSlotFormat(int slot, std::string_view text);
inline constexpr int kMaxSlotDecimals = 7;

// Writes the visible slots of the current row back into their edit boxes,
// then the result line from slot 5.
void WriteSlots();

// The result line for a thickness in metres.
void ShowResult(double thicknessMetres);
std::string ResultLineText(double thicknessMetres);

void InfoBox(std::string_view message);

// Thrown by the output routines when a value that is not a finite number
// would reach the screen; the calculate command turns it into an error box.
struct ArithmeticFault {
    std::string message;
};

// Throws ArithmeticFault, with the fault the floating-point unit flagged,
// when `value` is not finite.
void RequireFinite(double value);

}  // namespace kaldora
