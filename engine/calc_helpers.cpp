#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

void Calc::Info(std::string_view message) {
    TraceMessage(trace, message);
    outcome.messages.push_back({CalcMessage::Kind::Info, std::string(message)});
}

void Calc::ShowResult(double thicknessMetres) {
    RequireFinite(TypedFromHeld(kSlotThickness, thicknessMetres));
    outcome.messages.push_back({CalcMessage::Kind::ResultLine, {}, thicknessMetres});
}

namespace {

// A refusal has no result that could be approximate.
void NoResult(Calc& c, Answer answer) {
    TraceRefusal(c.trace);
    c.Whole().convergence = {};
    c.Whole().answer = answer;
}

}  // namespace

void AnswerNoInsulation(Calc& c, std::string_view message) {
    RefuseResultFirst(c, message);
    c.Whole().answer = Answer::NoInsulation;
}

void RefuseResultFirst(Calc& c, std::string_view message) {
    NoResult(c, Answer::Refused);
    c.ShowResult(0.0);
    c.Slot(kSlotThickness) = 0.0;
    c.Info(message);
}

void RefuseMessageFirst(Calc& c, std::string_view message) {
    NoResult(c, Answer::Refused);
    c.Info(message);
    c.Slot(kSlotThickness) = 0.0;
    c.ShowResult(0.0);
}

LayerBalance BalanceOf(double mediumTemp, double airTemp, double pipeDiameter, double outerDiameter, double lambda,
                       double alpha) {
    const double layer = std::log(outerDiameter / pipeDiameter) / (kTwoPi * lambda);
    const double surface = 1.0 / (kPi * alpha * outerDiameter);
    const double flux = (mediumTemp - airTemp) / (layer + surface);
    return {flux,   airTemp + flux * surface, mediumTemp, airTemp, pipeDiameter, outerDiameter, lambda, alpha, layer,
            surface};
}

void KeepWholeResult(Calc& c, const LayerBalance& balance) {
    WholeResult& whole = c.Whole();
    if (std::isfinite(balance.surfaceTemp)) whole.surfaceTemp = balance.surfaceTemp;
    if (std::isfinite(balance.heatFlux)) whole.heatFlux = balance.heatFlux;
    if (!c.trace) return;
    const auto n = [](double v) { return TraceOperand(v, true); };
    const auto o = [](double v) { return TraceOperand(v); };
    TraceResult(c.trace, "R_из",
                "сопротивление слоя изоляции, ln(x/D) / (2πλ) = ln(" + n(balance.outerDiameter) + " / " +
                    n(balance.pipeDiameter) + ") / (2π · " + n(balance.lambda) + ")",
                balance.layerResistance, "м·°C/Вт");
    TraceResult(c.trace, "R_пов",
                "сопротивление теплоотдаче поверхности, 1 / (παx) = 1 / (π · " + n(balance.alpha) + " · " +
                    n(balance.outerDiameter) + ")",
                balance.surfaceResistance, "м·°C/Вт");
    TraceResult(c.trace, "q",
                std::string(balance.heatFlux < 0.0 ? "тепловой поток (меньше нуля: теплопоступления к трубопроводу)"
                                                   : "тепловые потери") +
                    ", q = (t_m − t_a) / (R_из + R_пов) = (" + n(balance.mediumTemp) + " − " + o(balance.airTemp) +
                    ") / (" + n(balance.layerResistance) + " + " + n(balance.surfaceResistance) + ")",
                balance.heatFlux, "Вт/м");
    TraceResult(c.trace, "t_s",
                "температура поверхности изоляции, t_s = t_a + q·R_пов = " + n(balance.airTemp) + " + " +
                    o(balance.heatFlux) + " · " + n(balance.surfaceResistance),
                balance.surfaceTemp, "°C");
}

void EndPasses(CalcTrace* trace, Convergence& convergence, bool settled) {
    TraceEndPasses(trace, settled);
    if (!settled) convergence.passes = false;
}

void TraceThickness(Calc& c, double outerDiameter) {
    TraceResult(c.trace, "x", "наружный диаметр изоляции", outerDiameter, "м");
    TraceResult(c.trace, "δ", "толщина изоляции, δ = (x − D) / 2",
                TypedFromHeld(kSlotThickness, c.Slot(kSlotThickness)), "мм");
}

void FinishWithDiameter(Calc& c, double outerDiameter, double pipeDiameter, double mediumTemp, double airTemp,
                        double lambda, double alpha) {
    c.Slot(kSlotThickness) = (outerDiameter - pipeDiameter) / 2.0;
    TraceThickness(c, outerDiameter);
    KeepWholeResult(c, BalanceOf(mediumTemp, airTemp, pipeDiameter, outerDiameter, lambda, alpha));
    c.ShowResult(c.Slot(kSlotThickness));
}

}  // namespace kaldora
