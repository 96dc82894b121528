// Type 1: the thickness at which a hot pipe loses exactly the normed heat
// flux for its diameter, temperature, placement and operating hours.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {

const LookupTable& NormTable(bool indoors, bool longHours) {
    if (indoors) return longHours ? NormFluxIndoorOver5000 : NormFluxIndoorUpTo5000;
    return longHours ? NormFluxOutdoorOver5000 : NormFluxOutdoorUpTo5000;
}

double SurfaceCoefficient(bool indoors, bool metalCover) {
    if (!indoors) return 29.0;
    return metalCover ? 6.0 : 11.0;
}

}  // namespace

NormIteration IterateHeatLossNorm(double diameter, double airTemp, double carrierTemp,
                                  double normFlux, double alpha) {
    constexpr double kSettled = 0.1;  // °C
    constexpr int kMaxPasses = 30;
    // The conductivity depends on the surface temperature and that on the
    // thickness: start from the air temperature and average each new surface
    // temperature into the estimate.
    NormIteration it{0.0, airTemp, 0};
    double surface = 0.0;
    do {
        const double lambda = InsulationConductivity((it.surfaceTemp + carrierTemp) / 2.0);
        ++it.passes;
        const double a = std::log(diameter) + kTwoPi * lambda * (carrierTemp - airTemp) / normFlux;
        const double b = 2.0 * lambda / alpha;
        it.outerDiameter = SolveInsulationDiameter(a, b);
        surface = carrierTemp - std::log(it.outerDiameter / diameter) * normFlux / (kTwoPi * lambda);
        it.surfaceTemp = (it.surfaceTemp + surface) / 2.0;
    } while (!(std::fabs(it.surfaceTemp - surface) <= kSettled) && it.passes < kMaxPasses);
    return it;
}

void CalcHeatLossNorm() {
    const double airTemp = CurrentSlot(1);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double carrierTemp = CurrentSlot(4);
    const bool indoors = IndoorsFlag[CurrentType] != 0;

    if (!(airTemp < carrierTemp)) {
        RefuseResultFirst("При заданных условиях тепловые потери исключены");
        return;
    }
    const double alpha = SurfaceCoefficient(indoors, MetalCoverFlag[CurrentType] != 0);
    CurrentSlot(kSlotAlpha) = alpha;
    const double normFlux = Lookup(NormTable(indoors, LongHoursFlag[CurrentType] != 0), diameter,
                                   carrierTemp);
    CurrentSlot(6) = normFlux;
    if (normFlux == 0.0) {
        RefuseMessageFirst(MessageBuffer);
        return;
    }
    const NormIteration it = IterateHeatLossNorm(diameter, airTemp, carrierTemp, normFlux, alpha);
    CurrentSlot(kSlotThickness) = (it.outerDiameter - diameter) / 2.0;
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
