// Timing of the numeric kernels and of whole cases, each run through the
// same calculate command the window runs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calculation.h"
#include "engine/case_run.h"
#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/type_layout.h"

namespace kaldora {
namespace {

void BM_InterpolateTable(benchmark::State& state) {
    double t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Lookup(NormFluxOutdoorUpTo5000, 0.3, t));
        t = t < 590.0 ? t + 7.3 : 20.0;
    }
}
BENCHMARK(BM_InterpolateTable);

void BM_SolveInsulationDiameter(benchmark::State& state) {
    double a = std::log(0.108) + 0.9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolveInsulationDiameter(a, 0.01, SolverStart(0.108)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SolveInsulationDiameter);

void BM_InsulationConductivity(benchmark::State& state) {
    double t = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(InsulationConductivity(t));
        t = t < 400.0 ? t + 1.7 : 0.0;
    }
}
BENCHMARK(BM_InsulationConductivity);

// One case as a value in and its outcome out: the calculation alone, without
// reading texts or writing results.
void BM_Calculate(benchmark::State& state) {
    const int type = static_cast<int>(state.range(0));
    // Inputs each type actually computes with (the initial ones of types 2
    // to 4 are refused at once).
    CaseInput input{.type = type};
    for (const auto& [slot, text] :
         {std::pair{1, type == 4 ? "-20" : "20"}, {4, type == 2 ? "5" : "350"}, {7, "45"}, {32, "60"}})
        if (IsSlotVisible(type, slot)) input.slotTexts.emplace_back(slot, text);
    const CalcInput calcInput = InputOf(input);
    for (auto _ : state) benchmark::DoNotOptimize(Calculate(calcInput).Thickness());
}
BENCHMARK(BM_Calculate)->DenseRange(1, 5)->ArgName("type");

// The 100,000 mixed type 1 and type 3 cases of bench/engine_vs_reference.sh
// as values: the calculation alone, the least a case of that table can take
// in kaldora-calc, which also reads and writes it.
void BM_CalculateMixedCases(benchmark::State& state) {
    constexpr int kDiameters[] = {18, 25, 32, 45, 57, 76, 89, 108, 133, 159, 219, 273, 325, 426, 530, 720, 1020};
    std::vector<CalcInput> cases;
    for (int i = 0; i < 100000; ++i) {
        const bool heatLoss = i % 2 == 0;
        const int type = heatLoss ? 1 : 3;
        CaseInput c{.type = type, .indoors = i / 2 % 2 == 1, .metal = (heatLoss ? i / 4 : i / 6) % 2 == 1};
        if (heatLoss) c.longHours = c.indoors;
        const auto typed = [&](int slot, int value) { c.slotTexts.emplace_back(slot, std::to_string(value)); };
        typed(kSlotAirTemp, heatLoss ? i % 30 : 20);
        typed(TypeInfo(type).diameterSlot, kDiameters[i % 17]);
        typed(kSlotCarrierTemp, heatLoss ? 50 + i % 550 : 100 + i % 400);
        if (!heatLoss) typed(kSlotSurfaceTemp, 35 + i % 30);
        cases.push_back(InputOf(c));
    }
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Calculate(cases[k]).Thickness());
        k = k + 1 < cases.size() ? k + 1 : 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CalculateMixedCases);

}  // namespace
}  // namespace kaldora

BENCHMARK_MAIN();
