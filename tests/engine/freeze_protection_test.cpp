#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace kaldora::testing {
namespace {

struct FreezeCase {
    const char* name;
    const char* air;
    const char* diameter;
    const char* wall;
    const char* water;
    const char* hours;
    const char* shown;
};

class FreezeProtectionTest : public CalcTest, public ::testing::WithParamInterface<FreezeCase> {};

TEST_P(FreezeProtectionTest, LetsTheWaterStandForTheGivenTime) {
    const FreezeCase& c = GetParam();
    Calculate(4, {{1, c.air}, {3, c.diameter}, {8, c.wall}, {11, c.water}, {16, c.hours}});
    EXPECT_EQ(Outputs(), (std::vector{Result(c.shown)}));
    EXPECT_EQ(Slot(kSlotAlpha), 29.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, FreezeProtectionTest,
                         ::testing::Values(FreezeCase{"TwentyHours", "-20", "108", "5", "20", "20", "22,6"},
                                           FreezeCase{"FiveHours", "-20", "108", "5", "20", "5", "3,8"},
                                           FreezeCase{"HundredHours", "-20", "108", "5", "20", "100", "283,4"},
                                           FreezeCase{"SmallPipe", "-30", "57", "3,5", "10", "10", "67,7"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, FreezeProtectionIgnoresTheOptions) {
    Calculate(4, {{1, "-20"}, {3, "108"}, {8, "5"}, {11, "20"}, {16, "20"}});
    const double plain = Slot(kSlotThickness);
    screens[4].input.indoors = 1;
    screens[4].input.metalCover = 1;
    screens[4].input.longHours = 1;
    Calculate(4);
    EXPECT_EQ(Slot(kSlotThickness), plain);
}

// The same inputs; `shown` is the message, and the result line comes first
// when `resultFirst` is set.
struct FreezeRefusalCase : FreezeCase {
    bool resultFirst;
};

class FreezeProtectionRefusalTest : public CalcTest, public ::testing::WithParamInterface<FreezeRefusalCase> {};

TEST_P(FreezeProtectionRefusalTest, RefusesWithThicknessZero) {
    const FreezeRefusalCase& c = GetParam();
    Calculate(4, {{1, c.air}, {3, c.diameter}, {8, c.wall}, {11, c.water}, {16, c.hours}});
    const auto expected =
        c.resultFirst ? std::vector{Result("0,0"), Info(c.shown)} : std::vector{Info(c.shown), Result("0,0")};
    EXPECT_EQ(Outputs(), expected);
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
}

const char kNoFrost[] = "При заданных условиях замерзание исключено";
const char kImpossible[] = "Заданы невыполнимые условия";
const char kNoDiameter[] = "Диаметр трубопровода\n должен быть больше нуля";
const char kWall[] = "Толщина стенки должна быть больше нуля\n и меньше половины диаметра";
const char kWater[] = "Начальная температура воды\n должна быть выше 0С";

INSTANTIATE_TEST_SUITE_P(
    Cases, FreezeProtectionRefusalTest,
    ::testing::Values(FreezeRefusalCase{{"InitialInputs", "20", "108", "5,0", "20", "20", kNoFrost}, true},
                      FreezeRefusalCase{{"AirAtZero", "0", "108", "5", "20", "20", kNoFrost}, true},
                      FreezeRefusalCase{{"SolverRunsAway", "-40", "32", "3", "5", "48", kImpossible}, false},
                      FreezeRefusalCase{{"NoStandstill", "-20", "108", "5", "20", "0", kImpossible}, false},
                      FreezeRefusalCase{{"ZeroDiameter", "-20", "0", "5", "20", "20", kNoDiameter}, true},
                      FreezeRefusalCase{{"ZeroWall", "-20", "108", "0", "20", "20", kWall}, true},
                      FreezeRefusalCase{{"WallHalfTheDiameter", "-20", "108", "54", "20", "20", kWall}, true},
                      FreezeRefusalCase{{"WaterAtFreezing", "-20", "108", "5", "0", "20", kWater}, true},
                      // Air at -10 and water at -20 would divide by zero in the cooling term.
                      FreezeRefusalCase{{"WaterBelowFreezing", "-10", "108", "5", "-20", "20", kWater}, true},
                      // A resistance so large that the solver's exponential overflows.
                      FreezeRefusalCase{{"Overflow", "-20", "108", "5", "20", "1e300", kImpossible}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kaldora::testing
