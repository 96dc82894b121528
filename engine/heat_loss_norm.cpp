// Type 1: the thickness at which a hot pipe loses exactly the normed heat
// flux for its diameter, temperature, placement and operating hours.
#include <cmath>

#include "engine/calculations.h"
#include "engine/current_norm.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/calc_trace.h"

namespace kaldora {

namespace {

const LookupTable& HistoricalNormTable(bool indoors, bool longHours) {
    if (indoors) return longHours ? NormFluxIndoorOver5000 : NormFluxIndoorUpTo5000;
    return longHours ? NormFluxOutdoorOver5000 : NormFluxOutdoorUpTo5000;
}

double SurfaceCoefficient(bool indoors, bool metalCover) {
    if (!indoors) return method::AlphaOutdoors.value;
    return metalCover ? method::AlphaMetal.value : method::AlphaNonMetal.value;
}

// The normed flux of the current norm, q = K1·q_table / K, recorded with
// where each part comes from; the range message outside the table.
TableValue CurrentNormFlux(Calc& c, double diameter, double carrierTemp, double alpha) {
    const NormChoice& choice = c.in.norm;
    const NormTable& table = Sp61Table(c.in.indoors, c.in.longHours);
    // The cells the flux is read from come with the lookup's trace: a
    // local one where the caller keeps none, for the doubtful-cell caution.
    CalcTrace local;
    CalcTrace* const trace = c.trace ? c.trace : &local;
    const TableValue cell = Lookup(table.lookup, diameter, carrierTemp, trace);
    if (!cell.outOfRange.empty()) return cell;
    const double tableFlux = cell.value;
    const double k = SupportsCoefficient(choice.supports, diameter);
    const double k1 = RegionCoefficient(choice.region);
    const double flux = k1 * tableFlux / k;
    const TraceLookup& lookup = trace->lookups.back();
    TraceNorm norm{std::string(TextOf(NormSet::Sp61).title),
                   table.number,
                   {NominalBoreOf(lookup.rowKeys[0]), NominalBoreOf(lookup.rowKeys[1])},
                   tableFlux,
                   std::string(TextOf(choice.supports).title),
                   k,
                   std::string(TextOf(choice.region).title),
                   k1,
                   flux,
                   alpha,
                   {}};
    for (const MarkedCell* marked : MarkedCellsUsed(table, lookup)) {
        norm.marked.push_back(MarkedCellName(*marked) + ": " + std::string(marked->note));
        c.Whole().doubtfulCells.push_back(MarkedCellName(*marked));
    }
    if (c.trace) c.trace->norm = std::move(norm);
    TraceQuantity(c.trace, "q_табл", "плотность теплового потока по таблице норм", tableFlux, "Вт/м");
    TraceQuantity(c.trace, "K", "коэффициент дополнительных потерь через опоры", k, "");
    TraceQuantity(c.trace, "K₁", "районный коэффициент", k1, "");
    return {flux, {}};
}

}  // namespace

NormIteration IterateHeatLossNorm(double diameter, double airTemp, double carrierTemp, double normFlux, double alpha,
                                  CalcTrace* trace) {
    constexpr double kSettled = method::NormSettled.value;
    constexpr int kMaxPasses = static_cast<int>(method::MaxPasses.value);
    // The conductivity depends on the surface temperature and that on the
    // thickness: start from the air temperature and average each new surface
    // temperature into the estimate.
    NormIteration it{0.0, airTemp, 0, 0.0, {}};
    double surface = 0.0;
    do {
        const double mean = (it.surfaceTemp + carrierTemp) / 2.0;
        const double lambda = InsulationConductivity(mean);
        ++it.passes;
        TraceBeginPass(trace, it.passes);
        TraceQuantity(trace, "t_s", "оценка температуры поверхности", it.surfaceTemp, "°C");
        TraceQuantity(trace, "t_ср", "средняя температура слоя, (t_s + t_m) / 2", mean, "°C");
        TraceQuantity(trace, "λ", "теплопроводность изоляции при t_ср", lambda, "Вт/(м·°C)");
        const double a = std::log(diameter) + kTwoPi * lambda * (carrierTemp - airTemp) / normFlux;
        const double b = 2.0 * lambda / alpha;
        TraceQuantity(trace, "a", "ln D + 2πλ(t_m − t_a) / q", a, "");
        TraceQuantity(trace, "b", "2λ / α", b, "м");
        it.outerDiameter = SolveInsulationDiameter(a, b, SolverStart(diameter), trace, &it.convergence);
        TraceQuantity(trace, "x", "наружный диаметр изоляции", it.outerDiameter, "м");
        surface = carrierTemp - std::log(it.outerDiameter / diameter) * normFlux / (kTwoPi * lambda);
        TraceQuantity(trace, "T", "температура поверхности при этом диаметре", surface, "°C");
        it.surfaceTemp = (it.surfaceTemp + surface) / 2.0;
        it.lambda = lambda;
    } while (!(std::fabs(it.surfaceTemp - surface) <= kSettled) && it.passes < kMaxPasses);
    EndPasses(trace, it.convergence, std::fabs(it.surfaceTemp - surface) <= kSettled);
    return it;
}

void CalcHeatLossNorm(Calc& c) {
    const double airTemp = c.Slot(kSlotAirTemp);
    const double diameter = c.Slot(kSlotDiameter);
    const double carrierTemp = c.Slot(kSlotCarrierTemp);
    const bool indoors = c.in.indoors;
    const bool metal = c.in.metalCover;
    const bool current = c.in.norm.set == NormSet::Sp61;

    if (!Checked(c.trace, airTemp < carrierTemp, "t_a < t_m")) {
        // No norm was looked up: the field shows 0, as after a range
        // refusal, not the norm of an earlier case.
        c.Slot(kSlotNormFlux) = 0.0;
        AnswerNoInsulation(c, "При заданных условиях тепловые потери исключены");
        return;
    }
    const double alpha = current ? Sp61SurfaceCoefficient(indoors, metal) : SurfaceCoefficient(indoors, metal);
    c.Slot(kSlotAlpha) = alpha;
    TraceQuantity(c.trace, "α", "коэффициент теплоотдачи поверхности", alpha, "Вт/(м²·°C)");
    const TableValue norm = current
                                ? CurrentNormFlux(c, diameter, carrierTemp, alpha)
                                : Lookup(HistoricalNormTable(indoors, c.in.longHours), diameter, carrierTemp, c.trace);
    const double normFlux = norm.value;
    c.Slot(kSlotNormFlux) = normFlux;
    if (!Checked(c.trace, norm.outOfRange.empty(), "D и t_m в пределах таблицы норм")) {
        RefuseMessageFirst(c, norm.outOfRange);
        return;
    }
    TraceQuantity(c.trace, "q", "нормированная линейная плотность теплового потока", normFlux, "Вт/м");
    const NormIteration it = IterateHeatLossNorm(diameter, airTemp, carrierTemp, normFlux, alpha, c.trace);
    c.Whole().convergence = it.convergence;
    // The surface temperature is the one the final diameter gives with the
    // last pass's λ (as T of that pass), not the loop's averaged estimate.
    FinishWithDiameter(c, it.outerDiameter, diameter, carrierTemp, airTemp, it.lambda, alpha);
}

}  // namespace kaldora
