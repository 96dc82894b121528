// One case run headless: typed texts or numbers and options in, the messages
// and the row out, through the calculation the window runs. The command line,
// the tables, the tests and the benchmarks run cases this way.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

struct CaseInput {
    int type = 0;
    std::optional<bool> indoors{}, metal{}, longHours{};  // unset: the initial flag
    std::optional<NormSet> norm{};                        // unset: the historical tables
    std::optional<Supports> supports{};
    std::optional<Region> region{};
    // As typed, in typing order (a slot typed twice keeps the last text);
    // the others keep their design text.
    std::vector<std::pair<int, std::string>> slotTexts{};
};

struct CaseResult {
    int type;
    // The options the type has; unset where it has none.
    std::optional<bool> indoors, metal, longHours;
    std::optional<NormChoice> norm;
    std::vector<CalcMessage> events;  // boxes and result lines, in order
    SlotValues values;                // the row as the calculation left it
    double thicknessMm;
    WholeResult whole;  // surface temperature, heat flux, channel air

    // A slot shown, read or written; unset for the others (the fields fill
    // only the shown slots of a zeroed row: any other slot that is not 0 was
    // written by the calculation).
    std::optional<double> SlotValue(int slot) const;
};

// Empty when the input can be calculated; otherwise what is wrong with it:
// a type out of range, a field the type does not show, an option it lacks.
std::string CheckCase(const CaseInput& input);

// A checked case as the calculation takes it: the type's initial input with
// the options given and the typed texts read as the window reads them; with a
// trace, each field's text and number go into its inputs.
CalcInput InputOf(const CaseInput& input, CalcTrace* trace = nullptr);

// The type's initial input, read once.
const CalcInput& InitialInputOf(int type);

// Calculates a case; with a trace, records what the calculation did into it.
CaseResult RunCalculation(const CalcInput& input, CalcTrace* trace = nullptr);
CaseResult RunCase(const CaseInput& input, CalcTrace* trace = nullptr);

}  // namespace kaldora
