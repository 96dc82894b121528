#include <cmath>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/value_exchange.h"

namespace kaldora {

void RefuseResultFirst(std::string_view message) {
    TraceRefusal();
    ShowResult(0.0);
    CurrentSlot(kSlotThickness) = 0.0;
    InfoBox(message);
}

void RefuseMessageFirst(std::string_view message) {
    TraceRefusal();
    InfoBox(message);
    CurrentSlot(kSlotThickness) = 0.0;
    ShowResult(0.0);
}

LayerBalance BalanceOf(double mediumTemp, double airTemp, double pipeDiameter, double outerDiameter,
                       double lambda, double alpha) {
    const double layer = std::log(outerDiameter / pipeDiameter) / (kTwoPi * lambda);
    const double surface = 1.0 / (kPi * alpha * outerDiameter);
    const double flux = (mediumTemp - airTemp) / (layer + surface);
    return {flux, airTemp + flux * surface};
}

void KeepWholeResult(const LayerBalance& balance) {
    WholeResult& whole = WholeResults[static_cast<std::size_t>(CurrentType)];
    if (std::isfinite(balance.surfaceTemp)) whole.surfaceTemp = balance.surfaceTemp;
    if (std::isfinite(balance.heatFlux)) whole.heatFlux = balance.heatFlux;
    TraceResult("t_s", "температура поверхности изоляции", balance.surfaceTemp, "°C");
    TraceResult("q", balance.heatFlux < 0.0 ? "линейная плотность теплового потока к трубопроводу (теплопоступления)"
                                            : "линейная плотность теплового потока (тепловые потери)",
                balance.heatFlux, "Вт/м");
}

void TraceThickness(double outerDiameter) {
    TraceResult("x", "наружный диаметр изоляции", outerDiameter, "м");
    TraceResult("δ", "толщина изоляции, δ = (x − D) / 2", CurrentSlot(kSlotThickness) * 1000.0, "мм");
}

void FinishWithDiameter(double outerDiameter, double pipeDiameter, double mediumTemp, double airTemp,
                        double lambda, double alpha) {
    CurrentSlot(kSlotThickness) = (outerDiameter - pipeDiameter) / 2.0;
    TraceThickness(outerDiameter);
    KeepWholeResult(BalanceOf(mediumTemp, airTemp, pipeDiameter, outerDiameter, lambda, alpha));
    ShowResult(CurrentSlot(kSlotThickness));
}

}  // namespace kaldora
