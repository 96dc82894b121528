// A calculation as a function: one case in, its outcome out. The window, the
// command line, the tables and the tests all calculate through it.
//   1. The options the type has go into the trace (if one is given).
//   2. The type's routine (engine/calculations.h) reads its input slots and
//      options, solves, writes the thickness into slot 5 and its other
//      results into their slots, and gives its result line and boxes.
//   3. A value that is not a finite number refuses the case with an error
//      box and a thickness of 0; nothing non-finite reaches the outcome.
#pragma once

#include "model/calc_data.h"

namespace kaldora {

struct CalcTrace;

// Calculates a case of type 1 to 5, recording what it did into `trace` (when
// given; its inputs, if any, stay as the caller recorded them).
CalcOutcome Calculate(const CalcInput& input, CalcTrace* trace = nullptr);

}  // namespace kaldora
