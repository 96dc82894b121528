#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>

#include "test_support.h"

namespace kaldora::testing {
namespace {

struct FaultCase {
    const char* name;
    int type;
    std::vector<std::pair<int, std::string>> texts;
    const char* message;
};

class ArithmeticFaultTest : public CalcTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ArithmeticFaultTest, ShowsTheFaultAndLeavesOnlyFiniteNumbers) {
    const FaultCase& c = GetParam();
    screens.type = c.type;
    for (const auto& [slot, text] : c.texts) view.Type(slot, text);
    view.ClearEvents();
    CalculateScreen(screens, view);

    const auto out = Outputs();
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), Error(c.message));
    EXPECT_EQ(out[out.size() - 2], Result("0,0"));
    EXPECT_EQ(Slot(kSlotThickness), 0.0);
    for (double value : screens[c.type].input.values) EXPECT_TRUE(std::isfinite(value));
    for (const auto& e : view.Events()) {
        EXPECT_EQ(e.text.find("nan"), std::string::npos) << e.text;
        EXPECT_EQ(e.text.find("inf"), std::string::npos) << e.text;
    }

    // The program goes on: the next calculation works as usual.
    Calculate(3, {{1, "20"}, {3, "108"}, {4, "350"}, {7, "45"}});
    EXPECT_EQ(Outputs(), (std::vector{Result("53,3")}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArithmeticFaultTest,
    ::testing::Values(
        FaultCase{"SurfaceTypeHugeCarrier", 3, {{1, "20"}, {4, "1e308"}, {7, "45"}}, "Floating point overflow"},
        FaultCase{"NormTypeDeepFrost", 1, {{1, "-1e308"}, {4, "350"}}, "Floating point overflow"},
        FaultCase{"ChannelHugeSoilTemperature", 5, {{17, "-1e308"}}, "Floating point overflow"}),
    [](const auto& info) { return std::string(info.param.name); });

#if defined(__GLIBC__)  // traps exist only where the floating-point unit flags
TEST_F(CalcTest, TrapsStayOff) {
    Calculate(3, {{1, "20"}, {4, "1e308"}, {7, "45"}});
    EXPECT_EQ(::fegetexcept(), 0);
}
#endif

}  // namespace
}  // namespace kaldora::testing
