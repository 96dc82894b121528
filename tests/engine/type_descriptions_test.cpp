// The descriptions of the five types agree with themselves: what the screen
// shows, the report prints and a table's columns hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/calc_types.h"
#include "model/slots.h"
#include "model/type_layout.h"

namespace kaldora {
namespace {

// Every field a type shows is printed in its report and has a table column;
// its panels do not overlap, and Tab (the slot order) goes down the screen.
TEST(TypeDescriptions, ScreenReportAndTableAgree) {
    for (int type = 1; type <= 5; ++type) {
        const CalcTypeInfo& info = TypeInfo(type);
        std::vector<SlotPlacement> shown(info.placements.begin(), info.placements.end());
        std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return a.slot < b.slot; });
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const int slot = shown[i].slot;
            if (i > 0) {
                EXPECT_GE(shown[i].top, shown[i - 1].top + kPanelHeight) << "type " << type << ", slot " << slot;
            }
            const SlotDesign* design = FindSlotDesign(slot);
            ASSERT_NE(design, nullptr) << "slot " << slot;
            if (design->showsResult) continue;
            const bool reported = std::any_of(info.reportRows.begin(), info.reportRows.end(), [&](const ReportRow& r) {
                return r.source == ReportRow::Source::Slot && r.slot == slot;
            });
            EXPECT_TRUE(reported) << "type " << type << ", slot " << slot;
            EXPECT_TRUE(!design->columnEnglish.empty() || slot == info.diameterSlot) << "slot " << slot;
        }
    }
}

}  // namespace
}  // namespace kaldora
