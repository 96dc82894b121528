// The calculate button, the road of one click:
//   1. ReadSlots (model/value_exchange) reads the texts of the fields the
//      current type shows (model/calc_types) into its row of ParamTable,
//      comma to point, diameters mm to m, and builds each slot's format.
//   2. The type is marked calculated and its routine (engine/calculations.h)
//      runs on the row: it reads its inputs and flags, solves, writes the
//      thickness into slot 5 and its other results into their slots.
//   3. The routine ends in ShowResult or InfoBox, which talk to the attached
//      CalcView: the window's widgets, or a RecordingView when headless
//      (engine/case_run.h). A type that writes its fields back does so last.
//   4. A value that is not a finite number becomes an error box and a
//      thickness of 0; nothing non-finite stays in the row.
#pragma once

namespace kaldora {

void CalculateCommand();

}  // namespace kaldora
