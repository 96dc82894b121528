#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/kernels.h"
#include "engine/reference_tables.h"
#include "model/calc_data.h"

namespace kaldora {
namespace {

const std::string kNormTempMessage = "Температура теплоносителя\nдолжна быть от 20C до 600C";
const std::string kNormDiaMessage = "Диаметр трубы должен быть от 0.018м до 1.420м";

struct LookupCase {
    const char* name;
    double diameter;
    double temperature;
    double value;
    const std::string* message;  // nullptr: the lookup succeeds
};

class NormLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(NormLookupTest, InterpolatesOrRefuses) {
    const LookupCase& c = GetParam();
    const TableValue value = Lookup(NormFluxOutdoorOver5000, c.diameter, c.temperature);
    EXPECT_DOUBLE_EQ(value.value, c.value);
    EXPECT_EQ(value.outOfRange, c.message ? *c.message : std::string());
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    OutdoorOver5000, NormLookupTest,
    ::testing::Values(LookupCase{"ExactCell", 0.108, 300, 109, nullptr},
                      LookupCase{"BetweenColumns", 0.108, 325, 119.5, nullptr},
                      LookupCase{"MeanOfFourCells", (0.108 + 0.133) / 2, 325, (109 + 130 + 121 + 144) / 4.0, nullptr},
                      LookupCase{"FirstCorner", 0.018, 20, 3, nullptr},
                      LookupCase{"LastCorner", 1.42, 600, 169, nullptr},
                      LookupCase{"OddCellKept", 1.02, 400, 348, nullptr},
                      LookupCase{"DiameterBelow", 0.017, 300, 0, &kNormDiaMessage},
                      LookupCase{"DiameterAbove", 1.4201, 300, 0, &kNormDiaMessage},
                      LookupCase{"TemperatureBelow", 0.108, 10, 0, &kNormTempMessage},
                      LookupCase{"TemperatureAbove", 0.108, 600.5, 0, &kNormTempMessage},
                      LookupCase{"BothOutsideGivesTemperatureOnly", 0.017, 10, 0, &kNormTempMessage},
                      LookupCase{"NaNDiameterRefused", kNaN, 300, 0, &kNormDiaMessage},
                      LookupCase{"NaNTemperatureRefused", 0.108, kNaN, 0, &kNormTempMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterpolateTable, ToleranceKeepsTheBracketEndingAtTheKey) {
    // 1e-8 above the 300 °C key still takes the 250..300 bracket, so the
    // value extrapolates a hair beyond 109 along that bracket's slope.
    const double value = Lookup(NormFluxOutdoorOver5000, 0.108, 300 + 1e-8).value;
    EXPECT_DOUBLE_EQ(value, 88 + (300 + 1e-8 - 250) * (109 - 88) / 50.0);
}

TEST(InterpolateTable, SingleRowTableInterpolatesAlongItsRow) {
    EXPECT_DOUBLE_EQ(Lookup(SaturationPressureTable, 1.0, 20).value, 17.54);
    EXPECT_NEAR(Lookup(SaturationPressureTable, 1.0, 20.5).value, 18.095, 1e-12);
    EXPECT_DOUBLE_EQ(Lookup(SaturationPressureTable, 1.0, -40).value, 0.093);
}

TEST(InterpolateTable, FirstRowAndColumnUseTheirCellsDirectly) {
    // A 3 x 3 table: k = 1 and j = 1 take the cells without interpolating.
    const double t[] = {0, 10, 20, 1, 5, 7, 2, 9, 11};
    EXPECT_DOUBLE_EQ(InterpolateTable(t, 1, 10, 3, 3).value, 5);
    EXPECT_DOUBLE_EQ(InterpolateTable(t, 1, 15, 3, 3).value, 6);
    EXPECT_DOUBLE_EQ(InterpolateTable(t, 1.5, 10, 3, 3).value, 7);
    EXPECT_DOUBLE_EQ(InterpolateTable(t, 2, 20, 3, 3).value, 11);
}

TEST(SolverTest, WithoutSurfaceTermConvergesToExpA) {
    EXPECT_NEAR(SolveInsulationDiameter(std::log(0.2), 0.0, SolverStart(0.108)), 0.2, 2e-5);
}

TEST(SolverTest, SolutionSatisfiesTheEquation) {
    const double a = std::log(0.108) + 0.9;
    const double b = 0.01;
    const double x = SolveInsulationDiameter(a, b, SolverStart(0.108));
    EXPECT_NEAR(std::log(x), a - b / x, 1e-4);
}

TEST(SolverTest, TinyStartReturnsAtOnce) {
    EXPECT_DOUBLE_EQ(SolveInsulationDiameter(5.0, 1.0, SolverStart(3e-6)), 9e-6);  // 3·D = 9e-6 <= 1e-5
    EXPECT_DOUBLE_EQ(SolveInsulationDiameter(5.0, 1.0, 0.0), 0.0);
}

TEST(SolverTest, UnsettledIterationGivesTheRootByBisection) {
    // b = 0: each step halves the distance to exp(a). From 3 to exp(10) that
    // takes 31 steps to get within 1e-5; the limit stops it at 30, 2e-5
    // short, and bisection finds the root itself.
    Convergence convergence;
    EXPECT_NEAR(SolveInsulationDiameter(10.0, 0.0, SolverStart(1.0), nullptr, &convergence), std::exp(10.0),
                1e-15 * std::exp(10.0));
    EXPECT_FALSE(convergence.solver);
    EXPECT_TRUE(convergence.solverBracketed);
    // The root near the double one at x = b (slow for the iteration), and
    // none where f(b) = ln b + 1 − a > 0: refused.
    const double b = 0.5, a = std::log(b) + 1.0 + 1e-6;
    const double x = SolveInsulationDiameter(a, b, SolverStart(1.0));
    EXPECT_GT(x, b);
    EXPECT_NEAR(SolverResidual(a, b, x), 0.0, 1e-15);
    EXPECT_THROW(SolveInsulationDiameter(std::log(b) + 0.9, b, SolverStart(1.0)), ArithmeticFault);
}

TEST(InsulationConductivity, FollowsThePiecewiseLaw) {
    const struct {
        double t, lambda;
    } cases[] = {{-50, 0.038}, {0, 0.038},   {25, 0.038},
                 {50, 0.0415}, {125, 0.052}, {125.0001, 0.027 + 0.0002 * 125.0001},
                 {300, 0.087}};
    for (const auto& c : cases) EXPECT_NEAR(InsulationConductivity(c.t), c.lambda, 1e-15) << c.t;
}

}  // namespace
}  // namespace kaldora
