// The built-in reference data: normed heat-flux densities for single pipes
// and for pipes in a non-walkable channel, and the saturation pressure of
// water with its inverse, the dew point. Reproduced cell for cell as
// published, including the cells that look odd.
#pragma once

#include "engine/kernels.h"

namespace kaldora {

struct LookupTable {
    const double* cells;  // rows x cols, row by row; [0][0] is the corner
    int rows;
    int cols;
    const char* name;    // as a protocol names it
    const char* source;  // where its figures come from, as the program knows it
};

// The table's value, with its name and source in the lookup it records into
// the trace given.
TableValue Lookup(const LookupTable& table, double rowArg, double colArg, CalcTrace* trace = nullptr);

extern const LookupTable NormFluxOutdoorOver5000;
extern const LookupTable NormFluxOutdoorUpTo5000;
extern const LookupTable NormFluxIndoorOver5000;
extern const LookupTable NormFluxIndoorUpTo5000;
extern const LookupTable NormFluxChannelOver5000;
extern const LookupTable NormFluxChannelUpTo5000;
extern const LookupTable SaturationPressureTable;
extern const LookupTable DewPointTable;

}  // namespace kaldora
