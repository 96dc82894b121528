// Type 2: the thickness that keeps the insulation surface of a cold pipe at
// the dew point of the air, so that no moisture condenses on it.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/value_exchange.h"

namespace kaldora {

namespace {
constexpr char kNoCondensation[] = "При заданном перепаде температур\n конденсация исключена";
}

void CalcCondensation() {
    const double airTemp = CurrentSlot(kSlotAirTemp);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double mediumTemp = CurrentSlot(kSlotCarrierTemp);
    const double humidity = CurrentSlot(kSlotHumidity);

    if (!Checked(!(airTemp < mediumTemp), "t_a ≥ t_m")) {
        AnswerNoInsulation(kNoCondensation);
        return;
    }
    if (!Checked(airTemp >= -40.0 && airTemp <= 50.0, "−40 °C ≤ t_a ≤ 50 °C")) {
        RefuseResultFirst("Диапазон температуры воздуха\n от -40С до +50С");
        return;
    }
    if (!Checked(humidity >= 10.0 && humidity <= 95.0, "10 % ≤ φ ≤ 95 %")) {
        RefuseResultFirst("Относительная влажность воздуха\n от 10% до 95%");
        return;
    }
    if (!Checked(diameter > 0.0, "D > 0")) {
        RefuseResultFirst(kNoDiameterMessage);
        return;
    }

    const double alpha = MetalCoverFlag[CurrentType] ? method::AlphaColdMetal.value : method::AlphaColdNonMetal.value;
    CurrentSlot(kSlotAlpha) = alpha;
    TraceQuantity("α", "коэффициент теплоотдачи поверхности", alpha, "Вт/(м²·°C)");
    const double saturation = Lookup(SaturationPressureTable, 1.0, airTemp).value;
    TraceQuantity("E", "давление насыщенного пара при t_a", saturation, "мм рт. ст.");
    const double vapour = saturation * humidity * 0.01;
    TraceQuantity("e", "парциальное давление пара, e = E·φ / 100", vapour, "мм рт. ст.");
    // Cold, dry air: the dew point lies below the table, which starts at -40 °C.
    if (!Checked(vapour >= DewPointTable.cells[1], "точка росы не ниже −40 °C")) {
        RefuseResultFirst("Точка росы ниже -40С:\n расчет вне диапазона данных");
        return;
    }
    const double dewPoint = Lookup(DewPointTable, 1.0, vapour).value;
    TraceQuantity("t_р", "температура точки росы", dewPoint, "°C");
    // A medium at or above the dew point keeps the surface dry without insulation.
    if (!Checked(!(mediumTemp >= dewPoint), "t_m < t_р")) {
        AnswerNoInsulation(kNoCondensation);
        return;
    }

    constexpr double kLambda = method::LambdaFixed.value;
    TraceQuantity("λ", "теплопроводность изоляции (постоянная)", kLambda, "Вт/(м·°C)");
    const double a = std::log(diameter);
    const double b = -2.0 * kLambda * (dewPoint - mediumTemp) / ((airTemp - dewPoint) * alpha);
    TraceQuantity("a", "ln D", a, "");
    TraceQuantity("b", "−2λ(t_р − t_m) / ((t_a − t_р)·α)", b, "м");
    FinishWithDiameter(SolveInsulationDiameter(a, b, SolverStart(diameter)), diameter, mediumTemp, airTemp, kLambda,
                       alpha);
}

}  // namespace kaldora
