#include <gtest/gtest.h>

#include <string>

#include "model/number_text.h"
#include "model/type_layout.h"
#include "test_support.h"

namespace kaldora::testing {
namespace {

struct ExchangeCase {
    const char* typed;
    double held;
    const char* format;
    const char* writtenBack;
};

class SlotExchangeTest : public CalcTest, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(SlotExchangeTest, ReadsHoldsAndWritesBack) {
    const ExchangeCase& c = GetParam();
    screens.type = 1;
    view.Type(1, c.typed);
    ReadFields(view, screens);
    EXPECT_EQ(Slot(1), c.held);
    EXPECT_EQ(screens.formats[1], c.format);
    WriteFields(view, screens);
    EXPECT_EQ(view.SlotText(1), c.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, SlotExchangeTest,
    ::testing::Values(ExchangeCase{"20,5", 20.5, "%3.1f", "20,5"}, ExchangeCase{"20.5", 20.5, "%3.1f", "20,5"},
                      ExchangeCase{",5", 0.5, "%3.1f", "0,5"}, ExchangeCase{"7", 7.0, "%1.0f", "7"},
                      ExchangeCase{"", 0.0, "%1.0f", "0"}, ExchangeCase{"abc", 0.0, "%1.0f", "0"},
                      ExchangeCase{"12abc", 12.0, "%1.0f", "12"}, ExchangeCase{"1,5,7", 1.5, "%5.3f", "1,500"},
                      ExchangeCase{"1e3", 1000.0, "%1.0f", "1000"}, ExchangeCase{"-12,25", -12.25, "%4.2f", "-12,25"},
                      ExchangeCase{"20,50", 20.5, "%4.2f", "20,50"},
                      // Characters after the point count, also letters and
                      // Cyrillic ones, one each.
                      ExchangeCase{"2,5 гр", 2.5, "%6.4f", "2,5000"},
                      // Beyond seven decimals the format stops growing.
                      ExchangeCase{"0,123456789", 0.123456789, "%9.7f", "0,1234568"},
                      // A text far longer than an edit box ever shows is
                      // still read whole.
                      ExchangeCase{"                         42", 42.0, "%1.0f", "42"},
                      ExchangeCase{"1e25", 1e25, "%1.0f", "10000000000000000905969664"}));

TEST_F(CalcTest, DiametersAreTypedInMillimetresAndHeldInMetres) {
    screens.type = 1;
    view.Type(3, "108");
    ReadFields(view, screens);
    EXPECT_DOUBLE_EQ(Slot(3), 0.108);
    WriteFields(view, screens);
    EXPECT_EQ(view.SlotText(3), "108");

    screens.type = 5;
    view.Type(23, "219");
    ReadFields(view, screens);
    EXPECT_DOUBLE_EQ(Slot(23), 0.219);
}

TEST_F(CalcTest, HugeDiameterComesBackFinite) {
    // 1e400 saturates at the largest double, which comes back from metres to
    // millimetres as a finite number, in the command and on the type screen.
    Calculate(1, {{3, "1e400"}});
    EXPECT_EQ(Outputs().front(), Info("Диаметр трубы должен быть от 0.018м до 1.420м"));
    for (const auto& e : view.Events()) EXPECT_NE(e.kind, Kind::Error);
    EXPECT_EQ(view.SlotText(3).size(), 309u);
    EXPECT_NO_THROW(WriteFields(view, screens));
}

TEST_F(CalcTest, WallThicknessStaysInMillimetres) {
    Calculate(4);
    EXPECT_EQ(Slot(8), 5.0);
}

TEST_F(CalcTest, OnlyVisibleSlotsAreRead) {
    screens.type = 2;
    view.Type(6, "999");
    view.Type(7, "999");
    ReadFields(view, screens);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_TRUE(IsSlotVisible(2, slot) || Slot(slot) == 0.0) << slot;
    EXPECT_EQ(Slot(32), 20.0);
}

TEST_F(CalcTest, SharedSlotFormatFollowsTheLastTypedText) {
    // Type 1 at 20,5; type 2 at 18 rebuilds slot 1's format; type 1 then
    // shows its own 20.5 without decimals.
    Calculate(1, {{1, "20,5"}});
    EXPECT_EQ(Slot(1), 20.5);
    screens.type = 2;
    EXPECT_EQ(view.SlotText(1), "20,5");
    Calculate(2, {{1, "18"}});
    screens.type = 1;
    WriteFields(view, screens);
    EXPECT_EQ(view.SlotText(1), "20");  // 20.5 with %1.0f rounds to even
}

TEST_F(CalcTest, TypeOneWritesTheNormBackWithOneDecimal) {
    Calculate(1);
    EXPECT_EQ(view.SlotText(6), "146,0");
    EXPECT_EQ(view.SlotText(1), "20");
    EXPECT_EQ(view.SlotText(3), "108");
    EXPECT_EQ(view.SlotText(4), "350");
}

TEST_F(CalcTest, OtherTypesLeaveTheTypedTextsAlone) {
    for (int type = 2; type <= 5; ++type) {
        screens = Screens();
        view = RecordingView();
        Calculate(type, {{1, "20,50"}, {17, "5,00"}});
        for (const auto& e : view.Events()) EXPECT_NE(e.kind, Kind::SlotText) << "type " << type;
    }
}

TEST_F(CalcTest, CalculatingTwiceGivesTheSameResult) {
    for (int type = 1; type <= 5; ++type) {
        Calculate(type);
        const auto first = view.Events();
        const double thickness = Slot(kSlotThickness);
        Calculate(type);
        EXPECT_EQ(view.Events(), first) << "type " << type;
        EXPECT_EQ(Slot(kSlotThickness), thickness);
    }
}

TEST_F(CalcTest, CalculatedFlagIsSetBeforeTheCalculationAlsoWhenItRefuses) {
    Calculate(3);  // air 20 °C and surface 20 °C: refused
    EXPECT_EQ(screens[3].calculated, 1);
    EXPECT_EQ(screens[1].calculated, 0);
}

TEST(ResultLine, ShowsMillimetresWithADecimalComma) {
    EXPECT_EQ(ResultLineText(0.0345), "Толщина тепловой изоляции = 34,5 мм");
    EXPECT_EQ(ResultLineText(0.0), "Толщина тепловой изоляции = 0,0 мм");
    EXPECT_EQ(ResultLineText(0.15), "Толщина тепловой изоляции = 150,0 мм");
}

TEST_F(CalcTest, EveryEditBoxEmptyReadsAsZero) {
    for (int slot = 0; slot < kSlotCount; ++slot) view.Type(slot, "");
    Calculate(3);
    EXPECT_TRUE(screens[3].calculated);
    EXPECT_EQ(view.ResultLine(), "Толщина тепловой изоляции = 0,0 мм");
}

}  // namespace
}  // namespace kaldora::testing
