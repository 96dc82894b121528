#include "engine/case_run.h"

#include "engine/calculate_command.h"
#include "model/attachments.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/type_layout.h"
#include "model/value_exchange.h"

namespace kaldora {

std::string CheckCase(const CaseInput& input) {
    if (!IsCalcType(input.type)) return "the type must be 1 to 5";
    const CalcTypeInfo& info = TypeInfo(input.type);
    const auto type = [&] { return "type " + std::to_string(input.type); };
    for (const auto& [slot, text] : input.slotTexts)
        if (!IsSlotVisible(input.type, slot)) return type() + " has no field for slot " + std::to_string(slot);
    if (input.indoors && !info.HasLocationOption()) return type() + " has no placement option (indoors/outdoors)";
    if (input.metal && !info.HasCoverOption()) return type() + " has no cover option (metal/nonmetal)";
    if (input.longHours && !info.HasHoursOption()) return type() + " has no operating-hours option (long/short hours)";
    if ((input.norm || input.supports || input.region) && !info.HasNormOption())
        return type() + " has no norm option (norm, supports, region)";
    if ((input.supports || input.region) && input.norm != NormSet::Sp61)
        return "the supports and the region belong to the current norm (sp61)";
    return {};
}

CaseResult RunCase(const CaseInput& input, CalcTrace* trace) {
    ResetCalcData();
    const int t = input.type;
    const CalcTypeInfo& info = TypeInfo(t);
    if (input.indoors) IndoorsFlag[t] = *input.indoors;
    if (input.metal) MetalCoverFlag[t] = *input.metal;
    if (input.longHours) LongHoursFlag[t] = *input.longHours;
    NormChoice& norm = NormChoices[static_cast<std::size_t>(t)];
    if (input.norm) norm.set = *input.norm;
    if (input.supports) norm.supports = *input.supports;
    if (input.region) norm.region = *input.region;

    RecordingView view;
    for (const auto& [slot, text] : input.slotTexts) view.Type(slot, text);
    {
        const ViewAttachment attachedView(view);
        const TraceAttachment attachedTrace(trace);
        CurrentType = t;
        CalculateCommand();
    }

    const auto flag = [](bool has, int value) { return has ? std::optional<bool>(value != 0) : std::nullopt; };
    CaseResult result{t,
                      flag(info.HasLocationOption(), IndoorsFlag[t]),
                      flag(info.HasCoverOption(), MetalCoverFlag[t]),
                      flag(info.HasHoursOption(), LongHoursFlag[t]),
                      info.HasNormOption() ? std::optional(norm) : std::nullopt,
                      {},
                      {},
                      TypedFromHeld(kSlotThickness, ParamTable[t][kSlotThickness]),
                      WholeResults[static_cast<std::size_t>(t)]};
    result.events = view.TakeEvents();
    std::erase_if(result.events, [](const RecordingView::Event& e) { return e.kind == RecordingView::Kind::SlotText; });
    // The fields fill only the shown slots of a zeroed row: any other slot
    // that is not 0 was written by the calculation.
    for (int k = 0; k < kSlotCount; ++k)
        if (IsSlotVisible(t, k) || k == kSlotThickness || ParamTable[t][k] != 0.0)
            result.slotValues[static_cast<std::size_t>(k)] = ParamTable[t][k];
    return result;
}

}  // namespace kaldora
