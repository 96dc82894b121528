#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/value_exchange.h"

namespace kaldora {

// A refusal has no result that could be approximate.
void NoResult(Answer answer) {
    TraceRefusal();
    WholeResult& whole = WholeResults[static_cast<std::size_t>(CurrentType)];
    whole.convergence = {};
    whole.answer = answer;
}

void AnswerNoInsulation(std::string_view message) {
    RefuseResultFirst(message);
    WholeResults[static_cast<std::size_t>(CurrentType)].answer = Answer::NoInsulation;
}

void RefuseResultFirst(std::string_view message) {
    NoResult(Answer::Refused);
    ShowResult(0.0);
    CurrentSlot(kSlotThickness) = 0.0;
    InfoBox(message);
}

void RefuseMessageFirst(std::string_view message) {
    NoResult(Answer::Refused);
    InfoBox(message);
    CurrentSlot(kSlotThickness) = 0.0;
    ShowResult(0.0);
}

LayerBalance BalanceOf(double mediumTemp, double airTemp, double pipeDiameter, double outerDiameter, double lambda,
                       double alpha) {
    const double layer = std::log(outerDiameter / pipeDiameter) / (kTwoPi * lambda);
    const double surface = 1.0 / (kPi * alpha * outerDiameter);
    const double flux = (mediumTemp - airTemp) / (layer + surface);
    return {flux,   airTemp + flux * surface, mediumTemp, airTemp, pipeDiameter, outerDiameter, lambda, alpha, layer,
            surface};
}

void KeepWholeResult(const LayerBalance& balance) {
    WholeResult& whole = WholeResults[static_cast<std::size_t>(CurrentType)];
    if (std::isfinite(balance.surfaceTemp)) whole.surfaceTemp = balance.surfaceTemp;
    if (std::isfinite(balance.heatFlux)) whole.heatFlux = balance.heatFlux;
    if (!ActiveTrace()) return;
    const auto n = [](double v) { return TraceOperand(v, true); };
    const auto o = [](double v) { return TraceOperand(v); };
    TraceResult("R_из",
                "сопротивление слоя изоляции, ln(x/D) / (2πλ) = ln(" + n(balance.outerDiameter) + " / " +
                    n(balance.pipeDiameter) + ") / (2π · " + n(balance.lambda) + ")",
                balance.layerResistance, "м·°C/Вт");
    TraceResult("R_пов",
                "сопротивление теплоотдаче поверхности, 1 / (παx) = 1 / (π · " + n(balance.alpha) + " · " +
                    n(balance.outerDiameter) + ")",
                balance.surfaceResistance, "м·°C/Вт");
    TraceResult("q",
                std::string(balance.heatFlux < 0.0 ? "тепловой поток (меньше нуля: теплопоступления к трубопроводу)"
                                                   : "тепловые потери") +
                    ", q = (t_m − t_a) / (R_из + R_пов) = (" + n(balance.mediumTemp) + " − " + o(balance.airTemp) +
                    ") / (" + n(balance.layerResistance) + " + " + n(balance.surfaceResistance) + ")",
                balance.heatFlux, "Вт/м");
    TraceResult("t_s",
                "температура поверхности изоляции, t_s = t_a + q·R_пов = " + n(balance.airTemp) + " + " +
                    o(balance.heatFlux) + " · " + n(balance.surfaceResistance),
                balance.surfaceTemp, "°C");
}

void EndPasses(bool settled) {
    TraceEndPasses(settled);
    if (!settled) WholeResults[static_cast<std::size_t>(CurrentType)].convergence.passes = false;
}

void TraceThickness(double outerDiameter) {
    TraceResult("x", "наружный диаметр изоляции", outerDiameter, "м");
    TraceResult("δ", "толщина изоляции, δ = (x − D) / 2", TypedFromHeld(kSlotThickness, CurrentSlot(kSlotThickness)),
                "мм");
}

void FinishWithDiameter(double outerDiameter, double pipeDiameter, double mediumTemp, double airTemp, double lambda,
                        double alpha) {
    CurrentSlot(kSlotThickness) = (outerDiameter - pipeDiameter) / 2.0;
    TraceThickness(outerDiameter);
    KeepWholeResult(BalanceOf(mediumTemp, airTemp, pipeDiameter, outerDiameter, lambda, alpha));
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
