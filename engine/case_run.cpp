#include "engine/case_run.h"

#include "engine/calculation.h"
#include "model/calc_data.h"
#include "model/calc_types.h"
#include "model/slots.h"
#include "model/type_layout.h"

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

const CalcInput& InitialInputOf(int type) {
    static const std::array<CalcInput, kTypeCount> initial = [] {
        std::array<CalcInput, kTypeCount> inputs{};
        for (const CalcTypeInfo& info : CalcTypes)
            inputs[static_cast<std::size_t>(info.Number())] = InitialInput(info.Number());
        return inputs;
    }();
    return initial[static_cast<std::size_t>(type)];
}

CalcInput InputOf(const CaseInput& input, CalcTrace* trace) {
    CalcInput in = InitialInputOf(input.type);
    if (input.indoors) in.indoors = *input.indoors;
    if (input.metal) in.metalCover = *input.metal;
    if (input.longHours) in.longHours = *input.longHours;
    if (input.norm) in.norm.set = *input.norm;
    if (input.supports) in.norm.supports = *input.supports;
    if (input.region) in.norm.region = *input.region;
    if (input.slotTexts.empty() && !trace) return in;
    std::array<const std::string*, kSlotCount> typed{};
    for (const auto& [slot, text] : input.slotTexts) typed[static_cast<std::size_t>(slot)] = &text;
    for (const SlotDesign& design : ShownSlotDesigns) {
        if (!IsSlotVisible(input.type, design.slot)) continue;
        const std::string* text = typed[static_cast<std::size_t>(design.slot)];
        if (!text && !trace) continue;
        const std::string_view shown = text ? std::string_view(*text) : design.designText;
        double& value = in.values[static_cast<std::size_t>(design.slot)];
        if (text) value = ReadTyped(design.slot, shown);
        TraceInputRead(trace, design.slot, shown, value);
    }
    return in;
}

CaseResult RunCalculation(const CalcInput& input, CalcTrace* trace) {
    const int t = input.type;
    const CalcTypeInfo& info = TypeInfo(t);
    CalcOutcome outcome = Calculate(input, trace);
    // The window writes such a type's fields back and shows its result line
    // once more; the events say so too.
    if (info.writesFieldsBack && !outcome.Faulted())
        outcome.messages.push_back({CalcMessage::Kind::ResultLine, {}, outcome.Thickness()});
    const auto option = [](bool has, bool value) { return has ? std::optional<bool>(value) : std::nullopt; };
    CaseResult result{t,
                      option(info.HasLocationOption(), input.indoors),
                      option(info.HasCoverOption(), input.metalCover),
                      option(info.HasHoursOption(), input.longHours),
                      info.HasNormOption() ? std::optional(input.norm) : std::nullopt,
                      std::move(outcome.messages),
                      outcome.values,
                      TypedFromHeld(kSlotThickness, outcome.Thickness()),
                      std::move(outcome.whole)};
    return result;
}

std::optional<double> CaseResult::SlotValue(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return std::nullopt;
    const double value = values[static_cast<std::size_t>(slot)];
    if (IsSlotVisible(type, slot) || slot == kSlotThickness || value != 0.0) return value;
    return std::nullopt;
}

CaseResult RunCase(const CaseInput& input, CalcTrace* trace) { return RunCalculation(InputOf(input, trace), trace); }

}  // namespace kaldora
