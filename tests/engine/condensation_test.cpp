#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace kaldora::testing {
namespace {

struct CondensationCase {
    const char* name;
    const char* air;
    const char* diameter;
    const char* medium;
    const char* humidity;
    bool metal;
    const char* shown;
};

class CondensationTest : public CalcTest, public ::testing::WithParamInterface<CondensationCase> {};

TEST_P(CondensationTest, KeepsTheSurfaceAtTheDewPoint) {
    const CondensationCase& c = GetParam();
    screens[2].input.metalCover = c.metal;
    Calculate(2, {{1, c.air}, {3, c.diameter}, {4, c.medium}, {32, c.humidity}});
    EXPECT_EQ(Outputs(), (std::vector{Result(c.shown)}));
    EXPECT_EQ(Slot(kSlotAlpha), c.metal ? 5.0 : 7.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CondensationTest,
    ::testing::Values(CondensationCase{"NonMetal", "20", "108", "5", "60", false, "4,8"},
                      CondensationCase{"Metal", "20", "108", "5", "60", true, "6,6"},
                      CondensationCase{"ColdMediumHumid", "20", "108", "-10", "80", false, "33,7"},
                      CondensationCase{"WarmHumid", "30", "57", "10", "90", false, "38,2"},
                      CondensationCase{"NearLowerBound", "-39", "108", "-60", "95", false, "148,9"},
                      CondensationCase{"AirAtUpperBound", "50", "108", "10", "95", false, "125,6"},
                      CondensationCase{"HumidityAtLowerBound", "20", "108", "-30", "10", false, "3,4"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CondensationRefusalCase {
    const char* name;
    const char* air;
    const char* diameter;
    const char* medium;
    const char* humidity;
    const char* message;
};

class CondensationRefusalTest : public CalcTest, public ::testing::WithParamInterface<CondensationRefusalCase> {};

TEST_P(CondensationRefusalTest, ShowsZeroThenTheMessage) {
    const CondensationRefusalCase& c = GetParam();
    Calculate(2, {{1, c.air}, {3, c.diameter}, {4, c.medium}, {32, c.humidity}});
    EXPECT_EQ(Outputs(), (std::vector{Result("0,0"), Info(c.message)}));
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
}

const char kExcluded[] = "При заданном перепаде температур\n конденсация исключена";
const char kAir[] = "Диапазон температуры воздуха\n от -40С до +50С";
const char kHumidity[] = "Относительная влажность воздуха\n от 10% до 95%";
const char kNoDiameter[] = "Диаметр трубопровода\n должен быть больше нуля";
const char kDewBelowTable[] = "Точка росы ниже -40С:\n расчет вне диапазона данных";

INSTANTIATE_TEST_SUITE_P(
    Cases, CondensationRefusalTest,
    ::testing::Values(CondensationRefusalCase{"InitialInputs", "20", "108", "350", "20", kExcluded},
                      CondensationRefusalCase{"AirTooCold", "-41", "108", "-50", "60", kAir},
                      CondensationRefusalCase{"AirTooWarm", "51", "108", "5", "60", kAir},
                      CondensationRefusalCase{"TooDry", "20", "108", "5", "9", kHumidity},
                      CondensationRefusalCase{"TooHumid", "20", "108", "5", "96", kHumidity},
                      CondensationRefusalCase{"ZeroDiameter", "20", "0", "5", "60", kNoDiameter},
                      // The medium at or above the dew point: no condensation, not a
                      // negative thickness.
                      CondensationRefusalCase{"MediumAboveDewPoint", "20", "108", "15", "60", kExcluded},
                      CondensationRefusalCase{"MediumEqualsAir", "20", "108", "20", "60", kExcluded},
                      // Cold dry air whose dew point lies below the table.
                      CondensationRefusalCase{"DryFrost", "-20", "108", "-45", "10", kDewBelowTable},
                      CondensationRefusalCase{"HumidDeepFrost", "-40", "108", "-45", "94", kDewBelowTable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, CondensationLeavesSlotTwoOnTheFirstRefusals) {
    Calculate(2, {{1, "20"}, {4, "350"}});
    EXPECT_EQ(Slot(kSlotAlpha), 0.0);
}

}  // namespace
}  // namespace kaldora::testing
