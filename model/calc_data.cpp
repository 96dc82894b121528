#include "model/calc_data.h"

#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/type_layout.h"

namespace kaldora {

double ReadTyped(int slot, std::string_view text) {
    return HeldFromTyped(slot, ParsePointNumber(SwapFirstComma(text)));
}

CalcInput InitialInput(int type) {
    CalcInput input;
    input.type = type;
    input.indoors = TypeInfo(type).alwaysIndoors;
    for (const SlotDesign& design : ShownSlotDesigns)
        if (IsSlotVisible(type, design.slot))
            input.values[static_cast<std::size_t>(design.slot)] = ReadTyped(design.slot, design.designText);
    return input;
}

}  // namespace kaldora
