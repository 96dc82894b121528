// Type 3: the thickness at which the insulation surface of a hot pipe keeps
// a given temperature.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

void CalcSurfaceTemperature() {
    const double airTemp = CurrentSlot(1);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double carrierTemp = CurrentSlot(4);
    const double surfaceTemp = CurrentSlot(7);

    if (!(airTemp < surfaceTemp)) {
        RefuseResultFirst("Температура на поверхности ниже температуры среды\n Расчет невозможен");
        return;
    }
    if (!(carrierTemp > surfaceTemp)) {
        RefuseResultFirst("При заданном перепаде температур\n изоляция не нужна");
        return;
    }
    if (!(diameter > 0.0)) {
        RefuseResultFirst(kNoDiameterMessage);
        return;
    }

    const double alpha = MetalCoverFlag[CurrentType] ? 6.0 : 11.0;
    CurrentSlot(kSlotAlpha) = alpha;
    const double lambda = InsulationConductivity((carrierTemp + surfaceTemp) / 2.0);
    const double a = std::log(diameter);
    const double b = -2.0 * lambda * (carrierTemp - surfaceTemp) / ((surfaceTemp - airTemp) * alpha);
    const double x = SolveInsulationDiameter(a, b);
    CurrentSlot(kSlotThickness) = (x - diameter) / 2.0;
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
