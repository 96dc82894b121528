// What each calculation type shows: its heading, which slots it shows and
// where, and the design of every slot's panel and edit box.
#pragma once

#include <array>
#include <string_view>

#include "model/calc_data.h"

namespace kaldora {

inline constexpr int kLayoutSlots = 33;  // slots 0..32

// Panel position of slot k for type t; a slot is shown exactly when its
// left entry is not 0. The panel's top edge is SlotTop + 64.
using LayoutTable = std::array<std::array<int, kLayoutSlots>, kTypeCount>;
extern const LayoutTable SlotLeft;
extern const LayoutTable SlotTop;
inline constexpr int kSlotTopOffset = 64;
inline constexpr int kPanelHeight = 24;
// The left edge of every shown panel, and of the type screen's rows below.
inline constexpr int kPanelLeft = 416;

extern const std::array<std::string_view, kTypeCount> TypeHeadings;

inline bool IsSlotVisible(int type, int slot) {
    if (type < 0 || type >= kTypeCount || slot < 0 || slot >= kLayoutSlots) return false;
    return SlotLeft[static_cast<std::size_t>(type)][static_cast<std::size_t>(slot)] != 0;
}

}  // namespace kaldora
