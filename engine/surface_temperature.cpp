// Type 3: the thickness at which the insulation surface of a hot pipe keeps
// a given temperature.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/value_exchange.h"

namespace kaldora {

void CalcSurfaceTemperature() {
    const double airTemp = CurrentSlot(kSlotAirTemp);
    const double diameter = CurrentSlot(kSlotDiameter);
    const double carrierTemp = CurrentSlot(kSlotCarrierTemp);
    const double surfaceTemp = CurrentSlot(kSlotSurfaceTemp);

    if (!Checked(airTemp < surfaceTemp, "t_a < t_s")) {
        RefuseResultFirst("Температура на поверхности ниже температуры среды\n Расчет невозможен");
        return;
    }
    if (!Checked(carrierTemp > surfaceTemp, "t_m > t_s")) {
        AnswerNoInsulation("При заданном перепаде температур\n изоляция не нужна");
        return;
    }
    if (!Checked(diameter > 0.0, "D > 0")) {
        RefuseResultFirst(kNoDiameterMessage);
        return;
    }

    const double alpha = MetalCoverFlag[CurrentType] ? method::AlphaMetal.value : method::AlphaNonMetal.value;
    CurrentSlot(kSlotAlpha) = alpha;
    TraceQuantity("α", "коэффициент теплоотдачи поверхности", alpha, "Вт/(м²·°C)");
    const double mean = (carrierTemp + surfaceTemp) / 2.0;
    const double lambda = InsulationConductivity(mean);
    TraceQuantity("t_ср", "средняя температура слоя, (t_m + t_s) / 2", mean, "°C");
    TraceQuantity("λ", "теплопроводность изоляции при t_ср", lambda, "Вт/(м·°C)");
    const double a = std::log(diameter);
    const double b = -2.0 * lambda * (carrierTemp - surfaceTemp) / ((surfaceTemp - airTemp) * alpha);
    TraceQuantity("a", "ln D", a, "");
    TraceQuantity("b", "−2λ(t_m − t_s) / ((t_s − t_a)·α)", b, "м");
    FinishWithDiameter(SolveInsulationDiameter(a, b, SolverStart(diameter)), diameter, carrierTemp, airTemp, lambda,
                       alpha);
}

}  // namespace kaldora
