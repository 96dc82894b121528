// Type 5: the common insulation thickness of the supply and return pipes of a
// heat network in an underground non-walkable channel. The supply pipe loses
// its norm; the return pipe's loss, the channel air temperature and both
// conductivities are found together.
#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/calculations.h"
#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

namespace {

constexpr char kInputError[] = "Ошибка в исходных данных\n";

}  // namespace

double ChannelSurfaceResistance(const ChannelInputs& in) {
    // From the channel's equivalent diameter 2wh / (w + h).
    return (in.width + in.height) / (kTwoPi * kChannelAlpha * in.width * in.height);
}

double SoilResistance(const ChannelInputs& in) {
    return (std::log(3.5 * in.depth / in.height) + 0.25 * std::log(in.height / in.width)) /
           ((0.5 * in.width / in.height + 5.7) * in.soilConductivity);
}

ChannelIteration IterateChannel(const ChannelInputs& in, double supplyLoss, CalcTrace* trace) {
    constexpr double kSettled = method::ChannelSettled.value;
    constexpr int kMaxPasses = static_cast<int>(method::MaxPasses.value);
    const double channelResistance = ChannelSurfaceResistance(in);
    const double soilResistance = SoilResistance(in);
    TraceQuantity(trace, "R_к", "сопротивление теплоотдаче стенок канала, (w + h) / (2π·α·w·h)", channelResistance,
                  "м·°C/Вт");
    TraceQuantity(trace, "R_гр", "сопротивление грунта", soilResistance, "м·°C/Вт");
    const double outerResistance = channelResistance + soilResistance;
    const double d = in.pipeDiameter;
    const double q1 = supplyLoss;

    ChannelIteration it{0.0, 1.5, 0.0, 0.0, 0, 0.0, 0.0, 0.0, 0.0, {}};
    double supplySurface = (in.soilTemp + in.returnTemp) / 2.0;
    double returnSurface = supplySurface;
    TraceQuantity(trace, "k₀", "начальная оценка отношения потерь обеих труб к потерям подающей", it.ratio, "");
    TraceQuantity(trace, "θ₀", "начальная оценка температур поверхности обеих труб, (t_гр + t₂) / 2", supplySurface,
                  "°C");
    double epsilon = 1.0;
    // Each iterated value is replaced by the mean of its old and new value;
    // epsilon is the largest half-change of the pass. Passes that wander to
    // where the equation has no root end unsettled: the balance decides.
    try {
        while (epsilon > kSettled && it.passes < kMaxPasses) {
            ++it.passes;
            TraceBeginPass(trace, it.passes);
            TraceQuantity(trace, "k", "отношение потерь обеих труб к потерям подающей", it.ratio, "");
            it.channelAirTemp = in.soilTemp + outerResistance * method::ChannelAirFactor.value * q1 * it.ratio;
            TraceQuantity(trace, "t_к", "температура воздуха в канале, t_гр + k_к·(R_к + R_гр)·q₁·k", it.channelAirTemp,
                          "°C");
            const double mean1 = (in.supplyTemp + supplySurface) / 2.0;
            const double mean2 = (in.returnTemp + returnSurface) / 2.0;
            const double lambda1 = InsulationConductivity(mean1);
            const double lambda2 = InsulationConductivity(mean2);
            TraceQuantity(trace, "t_ср1", "средняя температура слоя подающей трубы", mean1, "°C");
            TraceQuantity(trace, "λ₁", "теплопроводность изоляции подающей трубы", lambda1, "Вт/(м·°C)");
            TraceQuantity(trace, "t_ср2", "средняя температура слоя обратной трубы", mean2, "°C");
            TraceQuantity(trace, "λ₂", "теплопроводность изоляции обратной трубы", lambda2, "Вт/(м·°C)");
            const double required = (in.supplyTemp - it.channelAirTemp) / q1;
            const double a = std::log(d) + kTwoPi * lambda1 * required;
            const double b = 2.0 * lambda1 / kChannelAlpha;
            TraceQuantity(trace, "a", "ln D + 2πλ₁(t₁ − t_к) / q₁", a, "");
            TraceQuantity(trace, "b", "2λ₁ / α", b, "м");
            it.outerDiameter = SolveInsulationDiameter(a, b, SolverStart(d), trace, &it.convergence);
            TraceQuantity(trace, "x", "наружный диаметр изоляции", it.outerDiameter, "м");

            const double layer1 = std::log(it.outerDiameter / d) / (kTwoPi * lambda1);
            const double layer2 = std::log(it.outerDiameter / d) / (kTwoPi * lambda2);
            const double surface = 1.0 / (kPi * kChannelAlpha * it.outerDiameter);
            it.returnLoss = (in.returnTemp - it.channelAirTemp) / (layer2 + surface);
            TraceQuantity(trace, "q₂", "потери обратной трубы, (t₂ − t_к) / (R_из2 + R_пов)", it.returnLoss, "Вт/м");

            const double s1 = in.supplyTemp - q1 * layer1;
            const double s2 = in.returnTemp - it.returnLoss * layer2;
            TraceQuantity(trace, "t_s1", "температура поверхности подающей трубы", s1, "°C");
            TraceQuantity(trace, "t_s2", "температура поверхности обратной трубы", s2, "°C");
            it.supplySurface = s1;
            it.returnSurface = s2;
            it.supplyLambda = lambda1;
            it.returnLambda = lambda2;
            supplySurface = (supplySurface + s1) / 2.0;
            returnSurface = (returnSurface + s2) / 2.0;
            epsilon = std::fabs(supplySurface - s1);
            if (std::fabs(returnSurface - s2) > epsilon) epsilon = std::fabs(returnSurface - s2);
            const double r = (q1 + it.returnLoss) / q1;
            it.ratio = (it.ratio + r) / 2.0;
            if (std::fabs(it.ratio - r) > epsilon) epsilon = std::fabs(it.ratio - r);
            TraceQuantity(trace, "θ₁", "оценка t_s1 на следующий проход, среднее прежней и новой", supplySurface, "°C");
            TraceQuantity(trace, "θ₂", "оценка t_s2 на следующий проход, среднее прежней и новой", returnSurface, "°C");
            TraceQuantity(trace, "r", "отношение потерь этого прохода, (q₁ + q₂) / q₁", r, "");
            TraceQuantity(trace, "ε", "наибольшее изменение за проход, max(|θ₁ − t_s1|, |θ₂ − t_s2|, |k − r|)", epsilon,
                          "");
        }
    } catch (const ArithmeticFault&) {
        EndPasses(trace, it.convergence, false);
        return it;
    }
    EndPasses(trace, it.convergence, !(epsilon > kSettled));
    return it;
}

namespace {

// The channel at a given air temperature: the layer with which the supply
// pipe loses its norm and the return pipe's loss through the same layer,
// each conductivity at its layer's mean temperature, repeated until the
// surface temperatures no longer change.
ChannelIteration ChannelAt(const ChannelInputs& in, double q1, double airTemp) {
    constexpr int kMostRounds = 200;
    const double d = in.pipeDiameter;
    ChannelIteration it{airTemp, 0.0, 0.0, 0.0, 0, (in.supplyTemp + airTemp) / 2.0, (in.returnTemp + airTemp) / 2.0,
                        0.0,     0.0, {}};
    for (int round = 0; round < kMostRounds; ++round) {
        const double lambda1 = InsulationConductivity((in.supplyTemp + it.supplySurface) / 2.0);
        const double lambda2 = InsulationConductivity((in.returnTemp + it.returnSurface) / 2.0);
        const double a = std::log(d) + kTwoPi * lambda1 * (in.supplyTemp - airTemp) / q1;
        const std::optional<double> x = LargerRootOf(a, 2.0 * lambda1 / kChannelAlpha);
        if (!x) throw ArithmeticFault{"тепловой баланс канала не имеет решения"};
        it.outerDiameter = *x;
        const double layer1 = std::log(*x / d) / (kTwoPi * lambda1);
        const double layer2 = std::log(*x / d) / (kTwoPi * lambda2);
        it.returnLoss = (in.returnTemp - airTemp) / (layer2 + 1.0 / (kPi * kChannelAlpha * *x));
        const double s1 = in.supplyTemp - q1 * layer1;
        const double s2 = in.returnTemp - it.returnLoss * layer2;
        const bool settled = s1 == it.supplySurface && s2 == it.returnSurface;
        it.supplySurface = s1;
        it.returnSurface = s2;
        it.supplyLambda = lambda1;
        it.returnLambda = lambda2;
        if (settled) break;
    }
    it.ratio = (q1 + it.returnLoss) / q1;
    return it;
}

// The channel's heat balance at air temperature t_к: what the soil takes,
// t_гр + k_к·(R_к + R_гр)·(q₁ + q₂), less t_к; 0 at the air temperature the
// passes look for.
double ChannelBalance(const ChannelInputs& in, double q1, double outerResistance, double airTemp) {
    const ChannelIteration it = ChannelAt(in, q1, airTemp);
    return in.soilTemp + outerResistance * method::ChannelAirFactor.value * (q1 + it.returnLoss) - airTemp;
}

// Where the passes do not settle: the air temperature that closes the
// balance, by bisection between the coldest and the hottest of soil and
// pipes, the bounds a channel's air lies between.
ChannelIteration ChannelFromBalance(CalcTrace* trace, const ChannelInputs& in, double q1,
                                    const ChannelIteration& passes) {
    const double outerResistance = ChannelSurfaceResistance(in) + SoilResistance(in);
    double low = std::min({in.soilTemp, in.supplyTemp, in.returnTemp});
    double high = std::max({in.soilTemp, in.supplyTemp, in.returnTemp});
    const double atLow = ChannelBalance(in, q1, outerResistance, low);
    const double atHigh = ChannelBalance(in, q1, outerResistance, high);
    if (!(atLow * atHigh <= 0.0))
        throw ArithmeticFault{"тепловой баланс канала не имеет решения между температурами грунта и труб"};
    const bool lowBelowZero = atLow < 0.0;
    for (;;) {
        const double middle = low + (high - low) / 2.0;
        if (!(middle > low && middle < high)) break;
        ((ChannelBalance(in, q1, outerResistance, middle) < 0.0) == lowBelowZero ? low : high) = middle;
    }
    const double airTemp = std::fabs(ChannelBalance(in, q1, outerResistance, low)) <=
                                   std::fabs(ChannelBalance(in, q1, outerResistance, high))
                               ? low
                               : high;
    ChannelIteration it = ChannelAt(in, q1, airTemp);
    it.passes = passes.passes;
    it.convergence = passes.convergence;
    it.convergence.passesBracketed = true;
    TraceQuantity(trace, "t_к", "температура воздуха в канале из теплового баланса, делением отрезка пополам", airTemp,
                  "°C");
    TraceQuantity(trace, "Δ", "невязка баланса, t_гр + k_к·(R_к + R_гр)·(q₁ + q₂) − t_к",
                  ChannelBalance(in, q1, outerResistance, airTemp), "°C");
    if (trace) trace->passesBracketed = true;
    return it;
}

// The results with their arithmetic, from the last pass's values (or the
// balance's), as the other types give theirs.
void TraceChannelResults(CalcTrace* trace, const ChannelInputs& in, double q1, const ChannelIteration& it) {
    if (!trace) return;
    const auto n = [](double v) { return TraceOperand(v, true); };
    const auto o = [](double v) { return TraceOperand(v); };
    const double d = in.pipeDiameter, x = it.outerDiameter;
    const double layer2 = std::log(x / d) / (kTwoPi * it.returnLambda);
    const double surface = 1.0 / (kPi * kChannelAlpha * x);
    TraceResult(trace, "q₁", "потери подающего трубопровода, по нормам", q1, "Вт/м");
    TraceResult(trace, "R_из2",
                "сопротивление слоя обратной трубы, ln(x/D) / (2πλ₂) = ln(" + n(x) + " / " + n(d) + ") / (2π · " +
                    n(it.returnLambda) + ")",
                layer2, "м·°C/Вт");
    TraceResult(trace, "R_пов",
                "сопротивление теплоотдаче поверхности, 1 / (παx) = 1 / (π · " + n(kChannelAlpha) + " · " + n(x) + ")",
                surface, "м·°C/Вт");
    TraceResult(
        trace, "q₂",
        std::string(it.returnLoss < 0.0 ? "тепловой поток обратного трубопровода (меньше нуля: теплопоступления к нему)"
                                        : "потери обратного трубопровода") +
            ", q₂ = (t₂ − t_к) / (R_из2 + R_пов) = (" + n(in.returnTemp) + " − " + o(it.channelAirTemp) + ") / (" +
            n(layer2) + " + " + n(surface) + ")",
        it.returnLoss, "Вт/м");
    TraceResult(trace, "t_к", "температура воздуха в канале", it.channelAirTemp, "°C");
    TraceResult(trace, "t_s1",
                "температура поверхности изоляции подающей трубы, t₁ − q₁·ln(x/D) / (2πλ₁), λ₁ = " + n(it.supplyLambda),
                it.supplySurface, "°C");
    TraceResult(trace, "t_s2",
                "температура поверхности изоляции обратной трубы, t₂ − q₂·R_из2 = " + n(in.returnTemp) + " − " +
                    o(it.returnLoss) + " · " + n(layer2),
                it.returnSurface, "°C");
}

}  // namespace

void CalcChannelTwoPipe(Calc& c) {
    c.Slot(kSlotChannelAlpha) = kChannelAlpha;
    const ChannelInputs in{c.Slot(kSlotSoilTemp),      c.Slot(kSlotSoilConductivity), c.Slot(kSlotChannelDepth),
                           c.Slot(kSlotChannelHeight), c.Slot(kSlotChannelWidth),     c.Slot(kSlotPipeDiameters),
                           c.Slot(kSlotSupplyTemp),    c.Slot(kSlotReturnTemp)};

    if (!Checked(c.trace, !(0.5 * in.height >= in.depth), "h / 2 < H")) {
        RefuseMessageFirst(c, std::string(kInputError) + "Канал выходит на поверхность земли");
        return;
    }
    const LookupTable& table = c.in.longHours ? NormFluxChannelOver5000 : NormFluxChannelUpTo5000;
    const TableValue norm = Lookup(table, in.pipeDiameter, in.supplyTemp, c.trace);
    const double supplyLoss = norm.value;
    if (!Checked(c.trace, norm.outOfRange.empty(), "D и t₁ в пределах таблицы норм")) {
        RefuseMessageFirst(c, norm.outOfRange);
        return;
    }
    // Divisors and logarithm arguments of the channel and soil resistances.
    if (!Checked(c.trace, in.height > 0.0 && in.width > 0.0 && in.soilConductivity > 0.0, "h > 0, w > 0, λ_гр > 0")) {
        RefuseMessageFirst(
            c, std::string(kInputError) + "Размеры канала и теплопроводность грунта\nдолжны быть больше нуля");
        return;
    }

    TraceQuantity(c.trace, "q₁", "нормированные потери подающей трубы", supplyLoss, "Вт/м");
    TraceQuantity(c.trace, "α", "коэффициент теплоотдачи в канале", kChannelAlpha, "Вт/(м²·°C)");
    ChannelIteration it = IterateChannel(in, supplyLoss, c.trace);
    if (!it.convergence.passes) it = ChannelFromBalance(c.trace, in, supplyLoss, it);
    c.Whole().convergence = it.convergence;
    c.Slot(kSlotSupplyLoss) = supplyLoss;
    c.Slot(kSlotReturnLoss) = it.returnLoss;
    c.Slot(kSlotPipeThickness) = (it.outerDiameter - in.pipeDiameter) / 2.0;
    c.Slot(kSlotThickness) = c.Slot(kSlotPipeThickness);

    if (!Checked(c.trace, c.Slot(kSlotThickness) >= 0.0, "δ ≥ 0")) {
        RefuseMessageFirst(c, std::string(kInputError) + "Проверьте соответствие\nдиаметров труб и размеров канала");
        return;
    }
    const double width = 2.0 * it.outerDiameter + method::WidthClearance.value;
    if (!CheckedAgainst(c.trace, !(width > in.width), "2x + Δw", width, "w", in.width, "м"))
        c.Info("Ширина канала недостаточна");
    const double height = it.outerDiameter + method::HeightClearance.value;
    if (!CheckedAgainst(c.trace, !(height > in.height), "x + Δh", height, "h", in.height, "м"))
        c.Info("Высота канала недостаточна");
    TraceThickness(c, it.outerDiameter);
    TraceChannelResults(c.trace, in, supplyLoss, it);
    if (std::isfinite(it.channelAirTemp)) c.Whole().channelAirTemp = it.channelAirTemp;
    c.ShowResult(c.Slot(kSlotThickness));
}

}  // namespace kaldora
