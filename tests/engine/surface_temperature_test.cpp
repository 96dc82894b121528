#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "test_support.h"

namespace kaldora::testing {
namespace {

struct SurfaceCase {
    const char* name;
    const char* air;
    const char* carrier;
    const char* surface;
    bool metal;
    const char* shown;  // thickness on the result line, mm
    double alpha;
};

class SurfaceTemperatureTest : public CalcTest, public ::testing::WithParamInterface<SurfaceCase> {};

TEST_P(SurfaceTemperatureTest, GivesTheThickness) {
    const SurfaceCase& c = GetParam();
    screens[3].input.metalCover = c.metal;
    Calculate(3, {{1, c.air}, {3, "108"}, {4, c.carrier}, {7, c.surface}});
    EXPECT_EQ(Outputs(), (std::vector{Result(c.shown)}));
    EXPECT_EQ(Slot(kSlotAlpha), c.alpha);
}

INSTANTIATE_TEST_SUITE_P(Cases, SurfaceTemperatureTest,
                         ::testing::Values(SurfaceCase{"HotNonMetal", "20", "350", "45", false, "53,3", 11},
                                           SurfaceCase{"HotMetal", "20", "350", "45", true, "86,9", 6},
                                           SurfaceCase{"WarmNonMetal", "20", "100", "35", false, "15,3", 11},
                                           SurfaceCase{"WarmMetal", "20", "100", "35", true, "26,2", 6}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, SurfaceTemperatureUsesTheConductivityOfTheMeanLayerTemperature) {
    // At a mean of 25 °C or below the conductivity is the constant 0.038:
    // 20 °C carrier, 10 °C surface, 0 °C air.
    Calculate(3, {{1, "0"}, {4, "20"}, {7, "10"}});
    const double d = 0.108;
    const double x = d + 2 * Slot(kSlotThickness);
    const double b = -2 * 0.038 * (20 - 10) / ((10 - 0) * 11.0);
    EXPECT_NEAR(std::log(x), std::log(d) - b / x, 1e-4);
}

struct RefusalCase {
    const char* name;
    const char* air;
    const char* diameter;
    const char* carrier;
    const char* surface;
    const char* message;
};

class SurfaceTemperatureRefusalTest : public CalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SurfaceTemperatureRefusalTest, ShowsZeroThenTheMessage) {
    const RefusalCase& c = GetParam();
    screens.type = 3;
    Slot(kSlotThickness) = 0.05;  // left over from an earlier run
    Calculate(3, {{1, c.air}, {3, c.diameter}, {4, c.carrier}, {7, c.surface}});
    EXPECT_EQ(Outputs(), (std::vector{Result("0,0"), Info(c.message)}));
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
    EXPECT_EQ(Slot(kSlotAlpha), 0.0);  // not set on a refusal
}

const char kBelowAir[] = "Температура на поверхности ниже температуры среды\n Расчет невозможен";
const char kNotNeeded[] = "При заданном перепаде температур\n изоляция не нужна";
const char kNoDiameter[] = "Диаметр трубопровода\n должен быть больше нуля";

INSTANTIATE_TEST_SUITE_P(Cases, SurfaceTemperatureRefusalTest,
                         ::testing::Values(RefusalCase{"InitialInputs", "20", "108", "350", "20", kBelowAir},
                                           RefusalCase{"SurfaceBelowAir", "20", "108", "350", "19,9", kBelowAir},
                                           RefusalCase{"SurfaceEqualsCarrier", "20", "108", "45", "45", kNotNeeded},
                                           RefusalCase{"SurfaceAboveCarrier", "20", "108", "40", "45", kNotNeeded},
                                           RefusalCase{"ZeroDiameter", "20", "0", "350", "45", kNoDiameter},
                                           RefusalCase{"NegativeDiameter", "20", "-108", "350", "45", kNoDiameter},
                                           RefusalCase{"BothFirstWins", "20", "0", "350", "20", kBelowAir}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, SurfaceTemperatureIgnoresLocation) {
    Calculate(3, {{1, "20"}, {4, "350"}, {7, "45"}});
    const double outdoors = Slot(kSlotThickness);
    screens[3].input.indoors = 1;
    Calculate(3);
    EXPECT_EQ(Slot(kSlotThickness), outdoors);
}

}  // namespace
}  // namespace kaldora::testing
