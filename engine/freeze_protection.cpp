// Type 4: the thickness that lets water stand still in an outdoor pipe for a
// given time before a quarter of it freezes.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "model/calc_data.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {

// Heat quantities in W·h, so that the standstill time enters in hours.
constexpr double kAlphaOutdoors = 29.0;
constexpr double kLambda = 0.04;
constexpr double kFreezingTemp = 0.0;
constexpr double kSteelDensity = 7850.0;
constexpr double kSteelHeat = 0.486 / 3.6;
constexpr double kWaterDensity = 1000.0;
constexpr double kWaterHeat = 4.187 / 3.6;
constexpr double kLatentHeat = 334.0 / 3.6;
constexpr double kFrozenShare = 0.25;
constexpr double kTimeFactor = 1.15;

}  // namespace

void CalcFreezeProtection() {
    const double airTemp = CurrentSlot(1);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double wall = CurrentSlot(8);  // mm
    const double waterTemp = CurrentSlot(11);
    const double hours = CurrentSlot(16);

    if (!(airTemp < 0.0)) {
        RefuseResultFirst("При заданных условиях замерзание исключено");
        return;
    }
    if (!(diameter > 0.0)) {
        RefuseResultFirst(kNoDiameterMessage);
        return;
    }
    if (!(wall > 0.0 && 2.0 * wall * 0.001 < diameter)) {
        RefuseResultFirst("Толщина стенки должна быть больше нуля\n и меньше половины диаметра");
        return;
    }
    if (!(waterTemp > kFreezingTemp)) {
        RefuseResultFirst("Начальная температура воды\n должна быть выше 0С");
        return;
    }

    CurrentSlot(kSlotAlpha) = kAlphaOutdoors;
    const double inner = diameter - 2.0 * wall * 0.001;
    const double waterArea = kPi * inner * inner * 0.25;
    const double steelArea = kPi * diameter * diameter * 0.25 - waterArea;
    const double cooling = (waterTemp - kFreezingTemp) * 2.0 *
                           (waterArea * kWaterDensity * kWaterHeat + steelArea * kSteelDensity * kSteelHeat) /
                           ((waterTemp + kFreezingTemp) - 2.0 * airTemp);
    const double freezing =
        kFrozenShare * waterArea * kWaterDensity * kLatentHeat / (kFreezingTemp - airTemp);
    const double resistance = kTimeFactor * hours / (cooling + freezing);

    const double a = std::log(diameter) + kTwoPi * kLambda * resistance;
    const double b = kTwoPi * kLambda * (1.0 / (kPi * kAlphaOutdoors));
    const double x = SolveInsulationDiameter(a, b);
    const double thickness = (x - diameter) / 2.0;
    CurrentSlot(kSlotThickness) = thickness;
    // Also catches a solver that ran away to a huge or non-numeric diameter.
    if (!(thickness >= 0.0 && thickness <= 10.0 * diameter)) {
        RefuseMessageFirst("Заданы невыполнимые условия");
        return;
    }
    ShowResult(thickness);
}

}  // namespace kaldora
