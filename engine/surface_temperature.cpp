// Type 3: the thickness at which the insulation surface of a hot pipe keeps
// a given temperature.
#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

void CalcSurfaceTemperature(Calc& c) {
    const double airTemp = c.Slot(kSlotAirTemp);
    const double diameter = c.Slot(kSlotDiameter);
    const double carrierTemp = c.Slot(kSlotCarrierTemp);
    const double surfaceTemp = c.Slot(kSlotSurfaceTemp);

    if (!Checked(c.trace, airTemp < surfaceTemp, "t_a < t_s")) {
        RefuseResultFirst(c, "Температура на поверхности ниже температуры среды\n Расчет невозможен");
        return;
    }
    if (!Checked(c.trace, carrierTemp > surfaceTemp, "t_m > t_s")) {
        AnswerNoInsulation(c, "При заданном перепаде температур\n изоляция не нужна");
        return;
    }
    if (!Checked(c.trace, diameter > 0.0, "D > 0")) {
        RefuseResultFirst(c, kNoDiameterMessage);
        return;
    }

    const double alpha = c.in.metalCover ? method::AlphaMetal.value : method::AlphaNonMetal.value;
    c.Slot(kSlotAlpha) = alpha;
    TraceQuantity(c.trace, "α", "коэффициент теплоотдачи поверхности", alpha, "Вт/(м²·°C)");
    const double mean = (carrierTemp + surfaceTemp) / 2.0;
    const double lambda = InsulationConductivity(mean);
    TraceQuantity(c.trace, "t_ср", "средняя температура слоя, (t_m + t_s) / 2", mean, "°C");
    TraceQuantity(c.trace, "λ", "теплопроводность изоляции при t_ср", lambda, "Вт/(м·°C)");
    const double a = std::log(diameter);
    const double b = -2.0 * lambda * (carrierTemp - surfaceTemp) / ((surfaceTemp - airTemp) * alpha);
    TraceQuantity(c.trace, "a", "ln D", a, "");
    TraceQuantity(c.trace, "b", "−2λ(t_m − t_s) / ((t_s − t_a)·α)", b, "м");
    FinishWithDiameter(c, SolveInsulationDiameter(a, b, SolverStart(diameter), c.trace, &c.Whole().convergence),
                       diameter, carrierTemp, airTemp, lambda, alpha);
}

}  // namespace kaldora
