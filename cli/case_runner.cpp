#include "cli/case_runner.h"

#include "engine/calculate_command.h"
#include "model/calc_data.h"
#include "model/type_layout.h"
#include "model/value_exchange.h"

namespace kaldora::cli {

std::string CheckCase(const CaseInput& input) {
    if (input.type < 1 || input.type > 5) return "the type must be 1 to 5";
    for (const auto& [slot, text] : input.slotTexts)
        if (!IsSlotVisible(input.type, slot))
            return "type " + std::to_string(input.type) + " has no field for slot " +
                   std::to_string(slot);
    return {};
}

CaseResult RunCase(const CaseInput& input) {
    ResetCalcData();
    const int t = input.type;
    // The condensation type is always indoors, as in the window.
    if (input.indoors && t != 2) IndoorsFlag[t] = *input.indoors;
    if (input.metal) MetalCoverFlag[t] = *input.metal;
    if (input.longHours) LongHoursFlag[t] = *input.longHours;

    RecordingView view;
    for (const auto& [slot, text] : input.slotTexts) view.Type(slot, text);
    AttachView(&view);
    CurrentType = t;

    // The row as the fields put it, to tell which slots the calculation wrote.
    ReadSlots();
    double before[kSlotCount];
    for (int k = 0; k < kSlotCount; ++k) before[k] = ParamTable[t][k];
    CalculateCommand();
    AttachView(nullptr);

    CaseResult result{t, IndoorsFlag[t] != 0, MetalCoverFlag[t] != 0, LongHoursFlag[t] != 0,
                      {}, {}, ParamTable[t][kSlotThickness] * 1000.0};
    for (const auto& e : view.Events())
        if (e.kind != RecordingView::Kind::SlotText) result.events.push_back(e);
    for (int k = 0; k < kSlotCount; ++k)
        if (IsSlotVisible(t, k) || k == kSlotThickness || ParamTable[t][k] != before[k])
            result.slots[k] = ParamTable[t][k];
    return result;
}

}  // namespace kaldora::cli
