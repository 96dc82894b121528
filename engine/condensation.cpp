// Type 2: the thickness that keeps the insulation surface of a cold pipe at
// the dew point of the air, so that no moisture condenses on it.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {
constexpr char kNoCondensation[] = "При заданном перепаде температур\n конденсация исключена";
}

void CalcCondensation() {
    const double airTemp = CurrentSlot(1);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double mediumTemp = CurrentSlot(4);
    const double humidity = CurrentSlot(32);

    if (airTemp < mediumTemp) {
        RefuseResultFirst(kNoCondensation);
        return;
    }
    if (!(airTemp >= -40.0 && airTemp <= 50.0)) {
        RefuseResultFirst("Диапазон температуры воздуха\n от -40С до +50С");
        return;
    }
    if (!(humidity >= 10.0 && humidity <= 95.0)) {
        RefuseResultFirst("Относительная влажность воздуха\n от 10% до 95%");
        return;
    }
    if (!(diameter > 0.0)) {
        RefuseResultFirst(kNoDiameterMessage);
        return;
    }

    const double alpha = MetalCoverFlag[CurrentType] ? 5.0 : 7.0;
    CurrentSlot(kSlotAlpha) = alpha;
    const double saturation = Lookup(SaturationPressureTable, 1.0, airTemp);
    const double vapour = saturation * humidity * 0.01;
    // Cold, dry air: the dew point lies below the table, which starts at -40 °C.
    if (!(vapour >= DewPointTable.cells[1])) {
        RefuseResultFirst("Точка росы ниже -40С:\n расчет вне диапазона данных");
        return;
    }
    const double dewPoint = Lookup(DewPointTable, 1.0, vapour);
    // A medium at or above the dew point keeps the surface dry without insulation.
    if (mediumTemp >= dewPoint) {
        RefuseResultFirst(kNoCondensation);
        return;
    }

    constexpr double kLambda = 0.04;
    const double a = std::log(diameter);
    const double b = -2.0 * kLambda * (dewPoint - mediumTemp) / ((airTemp - dewPoint) * alpha);
    const double x = SolveInsulationDiameter(a, b);
    CurrentSlot(kSlotThickness) = (x - diameter) / 2.0;
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
