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

extern const std::array<std::string_view, kTypeCount> TypeHeadings;

inline bool IsSlotVisible(int type, int slot) {
    if (type < 0 || type >= kTypeCount || slot < 0 || slot >= kLayoutSlots) return false;
    return SlotLeft[static_cast<std::size_t>(type)][static_cast<std::size_t>(slot)] != 0;
}

// Slots 2, 22 and 26 are internal values without a panel or edit box.
bool SlotHasControls(int slot);

// Diameter slots are typed in mm and held in m.
bool IsDiameterSlot(int slot);

struct SlotDesign {
    int slot;
    std::string_view caption;
    int panelWidth;
    int editLeft;
    int editWidth;
    bool readOnly;
    std::string_view designText;
    std::string_view panelHint;  // empty: none
    bool editHasHint;            // the edit box carries the panel hint too
    std::string_view unit;       // of the value as typed
    bool showsResult = false;    // a result the calculation writes, not an input
};

// The slots that some type shows, in slot order.
extern const std::array<SlotDesign, 17> ShownSlotDesigns;

// The design of a shown slot, or nullptr for a slot no type shows.
const SlotDesign* FindSlotDesign(int slot);

}  // namespace kaldora
