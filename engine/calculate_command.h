// The calculate button: read the visible fields into the current row, mark
// the type calculated and run its calculation.
#pragma once

namespace kaldora {

void CalculateCommand();

}  // namespace kaldora
