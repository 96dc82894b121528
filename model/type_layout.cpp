#include "model/type_layout.h"

#include "model/calc_types.h"

namespace kaldora {

namespace {

// Every shown panel stands at the same left edge; only the tops differ.
LayoutTable MakeTable(bool left) {
    LayoutTable table{};
    for (const CalcTypeInfo& info : CalcTypes)
        for (const SlotPlacement& p : info.placements)
            table[static_cast<std::size_t>(info.Number())][static_cast<std::size_t>(p.slot)] =
                left ? kPanelLeft : p.top;
    return table;
}

std::array<std::string_view, kTypeCount> MakeHeadings() {
    std::array<std::string_view, kTypeCount> headings{" "};
    for (const CalcTypeInfo& info : CalcTypes) headings[static_cast<std::size_t>(info.Number())] = info.heading;
    return headings;
}

}  // namespace

const LayoutTable SlotLeft = MakeTable(true);
const LayoutTable SlotTop = MakeTable(false);
const std::array<std::string_view, kTypeCount> TypeHeadings = MakeHeadings();

}  // namespace kaldora
