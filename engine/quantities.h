// Quantities of insulation for a pipe section of a given length, from the
// thickness a case found: what an engineer orders and what the cover needs.
#pragma once

#include <optional>

#include "engine/case_run.h"

namespace kaldora {

struct InsulationQuantities {
    double volumeM3;  // π/4·(x² − D²)·L, x = D + 2δ
    double coverM2;   // π·x·L, the outer surface the cover layer wraps
};

// For every pipe of the case's type (supply and return both for the
// channel); nothing when the case found no thickness.
std::optional<InsulationQuantities> QuantitiesOf(const CaseResult& result, double lengthM);

}  // namespace kaldora
