// The whole result of each type's worked case, against the heat balance
// worked out by hand from the printed thickness, and the trace of a run.
#include <algorithm>
#include <optional>

#include "engine/case_run.h"
#include "model/calc_trace.h"
#include "test_support.h"

namespace kaldora::testing {
namespace {

struct WholeCase {
    const char* name;
    int type;
    std::vector<std::pair<int, std::string>> typed;
    std::optional<double> surfaceTemp, heatFlux;
    double tolerance;
};

class WholeResultTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeResultTest, FollowsTheHeatBalance) {
    const WholeCase& c = GetParam();
    const CaseResult r = RunCase({.type = c.type, .slotTexts = c.typed});
    ASSERT_EQ(r.whole.surfaceTemp.has_value(), c.surfaceTemp.has_value());
    ASSERT_EQ(r.whole.heatFlux.has_value(), c.heatFlux.has_value());
    if (c.surfaceTemp) {
        EXPECT_NEAR(*r.whole.surfaceTemp, *c.surfaceTemp, c.tolerance);
    }
    if (c.heatFlux) {
        EXPECT_NEAR(*r.whole.heatFlux, *c.heatFlux, c.tolerance);
    }
    EXPECT_FALSE(r.whole.channelAirTemp);
}

// R_layer = ln(x/D) / (2πλ), R_surface = 1 / (παx), q = (t_m − t_a) / (R_layer + R_surface),
// t_s = t_a + q·R_surface; x = D + 2δ from the printed δ, hence the tolerances.
INSTANTIATE_TEST_SUITE_P(
    Cases, WholeResultTest,
    ::testing::Values(
        // 20 / 108 / 350, outdoors: δ 78,9, x 0,2658; last λ at (25,9 + 350) / 2: 0,0646;
        // R_layer = 0,9006 / 0,4059 = 2,2188, R_surface = 1 / (π·29·0,2658) = 0,0413;
        // q = 330 / 2,2601 = 146,0; t_s = 20 + 146,0·0,0413 = 26,03
        WholeCase{"NormInitial", 1, {}, 26.03, 146.0, 0.1},
        // 20 / 108 / 5 °C, φ 60 %: δ 4,8, x 0,1176, λ 0,04, α 7; R_layer = 0,08516 / 0,2513 = 0,3388,
        // R_surface = 0,3867; q = −15 / 0,7255 = −20,7 (gained); t_s = 20 − 20,7·0,3867 = 12,0 (dew point)
        WholeCase{"Condensation", 2, {{1, "20"}, {4, "5"}, {32, "60"}}, 12.0, -20.7, 0.15},
        // 20 / 108 / 350 / 45, non-metal: δ 53,3, x 0,2146, α 11: q = α·π·x·(t_s − t_a)
        // = 11·π·0,2146·25 = 185,4; t_s is the one required
        WholeCase{"Surface", 3, {{4, "350"}, {7, "45"}}, 45.0, 185.4, 0.3},
        // −20 / 108 / 5 mm / 20 °C / 20 h: δ 22,6, x 0,1532, λ 0,04, α 29;
        // R_layer = 0,3496 / 0,2513 = 1,3910, R_surface = 0,0717; q = 40 / 1,4627 = 27,35;
        // t_s = −20 + 27,35·0,0717 = −18,04 (water at its initial temperature)
        WholeCase{"Freeze", 4, {{1, "-20"}}, -18.04, 27.35, 0.1},
        WholeCase{"Refused", 3, {}, std::nullopt, std::nullopt, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WholeResult, ChannelKeepsItsAirTemperature) {
    const CaseResult r = RunCase({.type = 5});
    ASSERT_TRUE(r.whole.channelAirTemp);
    EXPECT_NEAR(*r.whole.channelAirTemp, 19.84, 0.005);  // the last pass of the worked case
    EXPECT_FALSE(r.whole.surfaceTemp || r.whole.heatFlux);
}

TEST(Trace, HeatLossNormRecordsItsPassesAndCells) {
    CalcTrace trace;
    const CaseResult r = RunCase({.type = 1}, &trace);
    ASSERT_EQ(trace.passes.size(), 6u);
    EXPECT_EQ(trace.solves.size(), 6u);
    EXPECT_EQ(trace.inputs.size(), 4u);
    EXPECT_EQ(trace.inputs[0].typed, "20");
    EXPECT_DOUBLE_EQ(trace.inputs[1].value, 0.108);
    ASSERT_EQ(trace.lookups.size(), 1u);
    const TraceLookup& norm = trace.lookups[0];
    // 108 mm lies on a row, 350 °C on a column: the cell itself, 146 W/m.
    EXPECT_EQ(norm.rowKeys[1], 0.108);
    EXPECT_EQ(norm.colKeys[1], 350.0);
    EXPECT_EQ(norm.cells[1][1], 146.0);
    EXPECT_EQ(norm.value, 146.0);
    const auto& last = trace.passes.back().values;
    const auto x = std::find_if(last.begin(), last.end(), [](const TraceValue& v) { return v.symbol == "x"; });
    ASSERT_NE(x, last.end());
    EXPECT_DOUBLE_EQ(x->value, r.SlotValue(3).value() + 2 * r.SlotValue(5).value());
    EXPECT_FALSE(trace.refused);
    // The same case without a trace computes the very same numbers.
    EXPECT_EQ(RunCase({.type = 1}).thicknessMm, r.thicknessMm);
}

TEST(Trace, RefusalIsRecordedWithItsMessage) {
    CalcTrace trace;
    RunCase({.type = 3}, &trace);
    EXPECT_TRUE(trace.refused);
    ASSERT_EQ(trace.checks.size(), 1u);
    EXPECT_FALSE(trace.checks[0].met);
    ASSERT_EQ(trace.messages.size(), 1u);
    EXPECT_EQ(trace.messages[0], "Температура на поверхности ниже температуры среды\n Расчет невозможен");
}

}  // namespace
}  // namespace kaldora::testing
