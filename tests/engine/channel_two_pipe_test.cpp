#include <gtest/gtest.h>

#include <string>

#include "engine/calculations.h"
#include "test_support.h"

namespace kaldora::testing {
namespace {

const char kWidth[] = "Ширина канала недостаточна";
const char kHeight[] = "Высота канала недостаточна";
const char kSurface[] = "Ошибка в исходных данных\nКанал выходит на поверхность земли";
const char kMismatch[] = "Ошибка в исходных данных\nПроверьте соответствие\nдиаметров труб и размеров канала";
const char kNonPositive[] =
    "Ошибка в исходных данных\nРазмеры канала и теплопроводность грунта\nдолжны быть больше нуля";
const char kChannelDia[] = "Диаметр трубы должен быть от 0.032м до 1.420м";
const char kChannelTemp[] = "Температура теплоносителя\nдолжна быть от 65C до 110C";

ChannelInputs InitialInputs() { return {5, 1.8, 2.0, 0.555, 0.555, 0.108, 65, 50}; }

TEST_F(CalcTest, ChannelInitialCaseMatchesTheWorkedFigures) {
    Calculate(5);
    EXPECT_EQ(Outputs(), (std::vector{Info(kWidth), Result("23,9")}));
    EXPECT_EQ(Slot(22), 11.0);
    EXPECT_EQ(Slot(29), 28.0);
    EXPECT_NEAR(Slot(30), 18.22, 0.005);
    EXPECT_NEAR(Slot(25), 0.02386, 0.000005);
    EXPECT_EQ(Slot(5), Slot(25));
    EXPECT_EQ(Slot(27), 50.0);
    EXPECT_EQ(Slot(3), 0.0);  // the solver's start is its own: no slot of the row is borrowed for it

    const ChannelInputs in = InitialInputs();
    EXPECT_NEAR(ChannelSurfaceResistance(in), 0.05214, 0.000005);
    EXPECT_NEAR(SoilResistance(in), 0.2271, 0.00005);
    // A channel twice as wide as high: the shape term 0,25·ln(h/w) is
    // negative. By hand: (ln(3,5·2/0,4) + 0,25·ln(0,4/0,8)) / ((0,5·0,8/0,4 + 5,7)·1,8)
    // = (2,862201 − 0,173287) / 12,06 = 0,222961.
    EXPECT_NEAR(SoilResistance({5, 1.8, 2.0, 0.4, 0.8, 0.108, 65, 50}), 0.222961, 0.0000005);
    const ChannelIteration it = IterateChannel(in, 28);
    EXPECT_EQ(it.passes, 10);
    EXPECT_NEAR(it.channelAirTemp, 19.84, 0.005);
    EXPECT_NEAR(it.ratio, 1.651, 0.0005);
    EXPECT_NEAR(it.outerDiameter, 0.15571, 0.000005);
}

TEST_F(CalcTest, ChannelOver5000HoursUsesTheOtherNorm) {
    screens[5].input.longHours = 1;
    Calculate(5);
    EXPECT_EQ(Slot(29), 24.0);
    EXPECT_NEAR(Slot(5), 0.03138, 0.000005);
    EXPECT_EQ(Outputs().back(), Result("31,4"));
    screens.type = 5;
    EXPECT_EQ(IterateChannel(InitialInputs(), 24).passes, 7);
}

struct ChannelRefusalCase {
    const char* name;
    int slot1;
    const char* text1;
    int slot2;
    const char* text2;
    const char* message;
};

class ChannelRefusalTest : public CalcTest, public ::testing::WithParamInterface<ChannelRefusalCase> {};

TEST_P(ChannelRefusalTest, ShowsTheMessageThenZero) {
    const ChannelRefusalCase& c = GetParam();
    screens.type = 5;
    Slot(29) = 99;  // from an earlier run: kept by an early refusal
    Calculate(5, {{c.slot1, c.text1}, {c.slot2, c.text2}});
    EXPECT_EQ(Outputs(), (std::vector{Info(c.message), Result("0,0")}));
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
    EXPECT_EQ(Slot(22), 11.0);
    EXPECT_EQ(Slot(29), 99.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelRefusalTest,
                         ::testing::Values(ChannelRefusalCase{"AxisAtHalfTheHeight", 20, "0,6", 19, "0,3", kSurface},
                                           ChannelRefusalCase{"ZeroDiameter", 23, "0", 24, "65", kChannelDia},
                                           ChannelRefusalCase{"BlankDiameterItem", 23, " ", 24, "65", kChannelDia},
                                           ChannelRefusalCase{"DiameterBelowTable", 23, "25", 24, "90", kChannelDia},
                                           ChannelRefusalCase{"SupplyTooCold", 23, "0", 24, "60", kChannelTemp},
                                           ChannelRefusalCase{"SupplyTooHot", 23, "108", 24, "111", kChannelTemp},
                                           ChannelRefusalCase{"ZeroWidth", 21, "0", 24, "65", kNonPositive},
                                           ChannelRefusalCase{"NegativeHeight", 20, "-0,5", 24, "65", kNonPositive},
                                           ChannelRefusalCase{"ZeroSoilConductivity", 18, "0", 24, "65", kNonPositive}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, ChannelProceedsJustBelowTheSurfaceLimit) {
    Calculate(5, {{20, "0,6"}, {19, "0,31"}});
    for (const auto& e : Outputs()) EXPECT_NE(e.text, kSurface);
    EXPECT_GT(Slot(kSlotThickness), 0.0);
}

TEST_F(CalcTest, ChannelNegativeThicknessKeepsTheComputedLosses) {
    Calculate(5, {{17, "55"}});
    EXPECT_EQ(Outputs(), (std::vector{Info(kMismatch), Result("0,0")}));
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
    EXPECT_LT(Slot(25), 0.0);
    EXPECT_EQ(Slot(29), 28.0);
    EXPECT_NE(Slot(30), 0.0);
}

TEST_F(CalcTest, ChannelWarnsOfBothWidthAndHeightInThatOrder) {
    Calculate(5, {{20, "0,2"}, {21, "0,4"}});
    const auto out = Outputs();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], Info(kWidth));
    EXPECT_EQ(out[1], Info(kHeight));
    EXPECT_EQ(out[2].kind, Kind::ResultLine);
    EXPECT_GT(Slot(kSlotThickness), 0.0);
}

TEST_F(CalcTest, ChannelWithRoomEnoughGivesNoWarning) {
    Calculate(5, {{20, "1"}, {21, "1"}});
    const auto out = Outputs();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].kind, Kind::ResultLine);
}

TEST_F(CalcTest, ChannelNeverRunsMoreThanThirtyPasses) {
    // A return pipe far hotter than the supply keeps the ratio swinging.
    screens.type = 5;
    ChannelInputs in = InitialInputs();
    in.returnTemp = 3000;
    EXPECT_LE(IterateChannel(in, 28).passes, 30);
}

}  // namespace
}  // namespace kaldora::testing
