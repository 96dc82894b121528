// Type 2: the thickness that keeps the insulation surface of a cold pipe at
// the dew point of the air, so that no moisture condenses on it.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

namespace {
constexpr char kNoCondensation[] = "При заданном перепаде температур\n конденсация исключена";
}

void CalcCondensation(Calc& c) {
    const double airTemp = c.Slot(kSlotAirTemp);
    const double diameter = c.Slot(kSlotDiameter);
    const double mediumTemp = c.Slot(kSlotCarrierTemp);
    const double humidity = c.Slot(kSlotHumidity);

    if (!Checked(c.trace, !(airTemp < mediumTemp), "t_a ≥ t_m")) {
        AnswerNoInsulation(c, kNoCondensation);
        return;
    }
    if (!Checked(c.trace, airTemp >= -40.0 && airTemp <= 50.0, "−40 °C ≤ t_a ≤ 50 °C")) {
        RefuseResultFirst(c, "Диапазон температуры воздуха\n от -40С до +50С");
        return;
    }
    if (!Checked(c.trace, humidity >= 10.0 && humidity <= 95.0, "10 % ≤ φ ≤ 95 %")) {
        RefuseResultFirst(c, "Относительная влажность воздуха\n от 10% до 95%");
        return;
    }
    if (!Checked(c.trace, diameter > 0.0, "D > 0")) {
        RefuseResultFirst(c, kNoDiameterMessage);
        return;
    }

    const double alpha = c.in.metalCover ? method::AlphaColdMetal.value : method::AlphaColdNonMetal.value;
    c.Slot(kSlotAlpha) = alpha;
    TraceQuantity(c.trace, "α", "коэффициент теплоотдачи поверхности", alpha, "Вт/(м²·°C)");
    const double saturation = Lookup(SaturationPressureTable, 1.0, airTemp, c.trace).value;
    TraceQuantity(c.trace, "E", "давление насыщенного пара при t_a", saturation, "мм рт. ст.");
    const double vapour = saturation * humidity * 0.01;
    TraceQuantity(c.trace, "e", "парциальное давление пара, e = E·φ / 100", vapour, "мм рт. ст.");
    // Cold, dry air: the dew point lies below the table, which starts at -40 °C.
    if (!Checked(c.trace, vapour >= DewPointTable.cells[1], "точка росы не ниже −40 °C")) {
        RefuseResultFirst(c, "Точка росы ниже -40С:\n расчет вне диапазона данных");
        return;
    }
    const double dewPoint = Lookup(DewPointTable, 1.0, vapour, c.trace).value;
    TraceQuantity(c.trace, "t_р", "температура точки росы", dewPoint, "°C");
    // A medium at or above the dew point keeps the surface dry without insulation.
    if (!Checked(c.trace, !(mediumTemp >= dewPoint), "t_m < t_р")) {
        AnswerNoInsulation(c, kNoCondensation);
        return;
    }

    constexpr double kLambda = method::LambdaFixed.value;
    TraceQuantity(c.trace, "λ", "теплопроводность изоляции (постоянная)", kLambda, "Вт/(м·°C)");
    const double a = std::log(diameter);
    const double b = -2.0 * kLambda * (dewPoint - mediumTemp) / ((airTemp - dewPoint) * alpha);
    TraceQuantity(c.trace, "a", "ln D", a, "");
    TraceQuantity(c.trace, "b", "−2λ(t_р − t_m) / ((t_a − t_р)·α)", b, "м");
    FinishWithDiameter(c, SolveInsulationDiameter(a, b, SolverStart(diameter), c.trace, &c.Whole().convergence),
                       diameter, mediumTemp, airTemp, kLambda, alpha);
}

}  // namespace kaldora
