// Type 4: the thickness that lets water stand still in an outdoor pipe for a
// given time before a quarter of it freezes.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

namespace {

// Heat quantities in W·h, so that the standstill time enters in hours.
constexpr double kAlphaOutdoors = method::AlphaOutdoors.value;
constexpr double kLambda = method::LambdaFixed.value;
constexpr double kFreezingTemp = method::FreezingTemp.value;
constexpr double kSteelDensity = method::SteelDensity.value;
constexpr double kSteelHeat = method::SteelHeat.value / 3.6;
constexpr double kWaterDensity = method::WaterDensity.value;
constexpr double kWaterHeat = method::WaterHeat.value / 3.6;
constexpr double kLatentHeat = method::LatentHeat.value / 3.6;
constexpr double kFrozenShare = method::FrozenShare.value;
constexpr double kTimeFactor = method::FreezeTimeFactor.value;

}  // namespace

void CalcFreezeProtection(Calc& c) {
    const double airTemp = c.Slot(kSlotAirTemp);
    const double diameter = c.Slot(kSlotDiameter);
    const double wall = c.Slot(kSlotWallThickness);  // mm
    const double waterTemp = c.Slot(kSlotWaterTemp);
    const double hours = c.Slot(kSlotStandstillHours);

    if (!Checked(c.trace, airTemp < 0.0, "t_a < 0 °C")) {
        AnswerNoInsulation(c, "При заданных условиях замерзание исключено");
        return;
    }
    if (!Checked(c.trace, diameter > 0.0, "D > 0")) {
        RefuseResultFirst(c, kNoDiameterMessage);
        return;
    }
    if (!Checked(c.trace, wall > 0.0 && 2.0 * wall * 0.001 < diameter, "0 < s < D / 2")) {
        RefuseResultFirst(c, "Толщина стенки должна быть больше нуля\n и меньше половины диаметра");
        return;
    }
    if (!Checked(c.trace, waterTemp > kFreezingTemp, "t_w > 0 °C")) {
        RefuseResultFirst(c, "Начальная температура воды\n должна быть выше 0С");
        return;
    }

    c.Slot(kSlotAlpha) = kAlphaOutdoors;
    TraceQuantity(c.trace, "α", "коэффициент теплоотдачи поверхности", kAlphaOutdoors, "Вт/(м²·°C)");
    TraceQuantity(c.trace, "λ", "теплопроводность изоляции (постоянная)", kLambda, "Вт/(м·°C)");
    const double inner = diameter - 2.0 * wall * 0.001;
    const double waterArea = kPi * inner * inner * 0.25;
    const double steelArea = kPi * diameter * diameter * 0.25 - waterArea;
    TraceQuantity(c.trace, "d_вн", "внутренний диаметр, D − 2s", inner, "м");
    TraceQuantity(c.trace, "F_в", "площадь сечения воды, πd_вн²/4", waterArea, "м²");
    TraceQuantity(c.trace, "F_ст", "площадь сечения стенки, πD²/4 − F_в", steelArea, "м²");
    const double cooling = (waterTemp - kFreezingTemp) * 2.0 *
                           (waterArea * kWaterDensity * kWaterHeat + steelArea * kSteelDensity * kSteelHeat) /
                           ((waterTemp + kFreezingTemp) - 2.0 * airTemp);
    const double freezing = kFrozenShare * waterArea * kWaterDensity * kLatentHeat / (kFreezingTemp - airTemp);
    const double resistance = kTimeFactor * hours / (cooling + freezing);
    TraceQuantity(c.trace, "Q_охл", "теплота охлаждения воды и стенки до 0 °C", cooling, "Вт·ч/(м·°C)");
    TraceQuantity(c.trace, "Q_зам", "теплота замерзания четверти воды", freezing, "Вт·ч/(м·°C)");
    TraceQuantity(c.trace, "R", "требуемое сопротивление, k_τ·τ / (Q_охл + Q_зам)", resistance, "м·°C/Вт");

    const double a = std::log(diameter) + kTwoPi * kLambda * resistance;
    const double b = kTwoPi * kLambda * (1.0 / (kPi * kAlphaOutdoors));
    TraceQuantity(c.trace, "a", "ln D + 2πλR", a, "");
    TraceQuantity(c.trace, "b", "2πλ / (πα)", b, "м");
    const double x = SolveInsulationDiameter(a, b, SolverStart(diameter), c.trace, &c.Whole().convergence);
    const double thickness = (x - diameter) / 2.0;
    c.Slot(kSlotThickness) = thickness;
    // Also catches a solver that ran away to a huge or non-numeric diameter.
    if (!Checked(c.trace, thickness >= 0.0 && thickness <= 10.0 * diameter, "0 ≤ δ ≤ 10 D")) {
        RefuseMessageFirst(c, "Заданы невыполнимые условия");
        return;
    }
    TraceThickness(c, x);
    // At the start of the standstill: water at its initial temperature.
    KeepWholeResult(c, BalanceOf(waterTemp, airTemp, diameter, x, kLambda, kAlphaOutdoors));
    c.ShowResult(thickness);
}

}  // namespace kaldora
