// What the window's five type screens hold between calculations, and the
// road of the calculate button between their fields and the calculation:
//   1. ReadFields reads the texts of the fields the type shows into its row
//      (comma to point, diameters mm to m) and keeps each field's format.
//   2. Calculate (engine/calculation.h) computes the case; the screen keeps
//      the row it left and what it found.
//   3. The messages go to the view in their order: result lines, boxes.
//   4. A type that writes its fields back does so last, in the formats read.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/calc_data.h"
#include "screen/calc_view.h"

namespace kaldora {

struct CalcTrace;

struct TypeScreen {
    CalcInput input;  // options, norm and the row last read or calculated
    bool calculated = false;
    WholeResult whole{};
};

// The five screens; the window owns one.
class Screens {
public:
    Screens();  // each type's options as they start, nothing read

    TypeScreen& operator[](int type) { return screens_[static_cast<std::size_t>(type)]; }
    const TypeScreen& operator[](int type) const { return screens_[static_cast<std::size_t>(type)]; }
    TypeScreen& Current() { return (*this)[type]; }
    const TypeScreen& Current() const { return (*this)[type]; }

    int type = 0;  // the screen shown: 1 to 5, 0 for none
    // "%4.2f" for each field as last read on any screen: as many decimals as
    // were typed. A field the screens share shares its format.
    std::array<std::string, kSlotCount> formats{};

private:
    std::array<TypeScreen, kTypeCount> screens_;
};

// The format record of a field from the text read for it (after the comma
// swap): "%1.0f" without a point, else as many decimals as there are
// characters after the point, at most kMaxSlotDecimals.
std::string SlotFormat(std::string_view pointText);
inline constexpr int kMaxSlotDecimals = 7;

// Step 1 on the screen shown; each field's text and number also go into the
// trace's inputs.
void ReadFields(const CalcView& view, Screens& screens, CalcTrace* trace = nullptr);

// Writes the shown slots of the screen's row back into their fields, then
// the result line from slot 5.
void WriteFields(CalcView& view, const Screens& screens);

// The calculate button on the screen shown (type 1 to 5), steps 1 to 4; with
// a trace, cleared first, records what the calculation did.
void CalculateScreen(Screens& screens, CalcView& view, CalcTrace* trace = nullptr);

}  // namespace kaldora
