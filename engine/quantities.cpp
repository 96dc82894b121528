#include "engine/quantities.h"

#include "engine/kernels.h"
#include "model/calc_types.h"

namespace kaldora {

std::optional<InsulationQuantities> QuantitiesOf(const CaseResult& result, double lengthM) {
    const CalcTypeInfo& info = TypeInfo(result.type);
    const std::optional<double> diameterSlot = result.SlotValue(info.diameterSlot);
    const double thickness = result.thicknessMm / 1000.0;
    if (!(thickness > 0.0) || !diameterSlot) return std::nullopt;
    const double d = *diameterSlot;
    const double x = d + 2.0 * thickness;
    return InsulationQuantities{info.pipes * kPi / 4.0 * (x * x - d * d) * lengthM, info.pipes * kPi * x * lengthM};
}

}  // namespace kaldora
