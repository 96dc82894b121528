#include "screen/screens.h"

#include "engine/calculation.h"
#include "model/calc_trace.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/screen_texts.h"
#include "model/type_layout.h"

namespace kaldora {

Screens::Screens() {
    for (int t = 0; t < kTypeCount; ++t) {
        (*this)[t].input.type = t;
        (*this)[t].input.indoors = IsCalcType(t) && TypeInfo(t).alwaysIndoors;
    }
}

std::string SlotFormat(std::string_view pointText) {
    const auto point = pointText.find('.');
    if (point == std::string_view::npos) return "%1.0f";
    int decimals = static_cast<int>(CountCharacters(pointText.substr(point + 1)));
    if (decimals > kMaxSlotDecimals) decimals = kMaxSlotDecimals;
    // "%W.Pf" with W = P + 2: one digit each.
    static_assert(kMaxSlotDecimals + 2 <= 9);
    const char record[] = {'%', static_cast<char>('0' + decimals + 2), '.', static_cast<char>('0' + decimals), 'f'};
    return {record, sizeof record};
}

void ReadFields(const CalcView& view, Screens& screens, CalcTrace* trace) {
    TypeScreen& screen = screens.Current();
    const int type = screens.type;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!IsSlotVisible(type, slot)) continue;
        // The whole text, however long: cutting it would change the number
        // the user typed.
        const std::string typed = view.SlotText(slot);
        const std::string pointText = SwapFirstComma(typed);
        const double value = HeldFromTyped(slot, ParsePointNumber(pointText));
        screen.input.values[static_cast<std::size_t>(slot)] = value;
        TraceInputRead(trace, slot, typed, value);
        screens.formats[static_cast<std::size_t>(slot)] = SlotFormat(pointText);
    }
}

void WriteFields(CalcView& view, const Screens& screens) {
    const TypeScreen& screen = screens.Current();
    const int type = screens.type;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!IsSlotVisible(type, slot)) continue;
        const auto k = static_cast<std::size_t>(slot);
        view.SetSlotText(
            slot, SwapFirstPoint(FormatWithRecord(screens.formats[k], TypedFromHeld(slot, screen.input.values[k]))));
    }
    view.SetResultLine(ResultLineText(screen.input.values[kSlotThickness]));
}

void CalculateScreen(Screens& screens, CalcView& view, CalcTrace* trace) {
    TypeScreen& screen = screens.Current();
    if (trace) trace->Clear();
    ReadFields(view, screens, trace);
    screen.calculated = true;
    CalcOutcome outcome = Calculate(screen.input, trace);
    screen.input.values = outcome.values;
    screen.whole = std::move(outcome.whole);
    for (const CalcMessage& message : outcome.messages) switch (message.kind) {
            case CalcMessage::Kind::ResultLine: view.SetResultLine(ResultLineText(message.thickness)); break;
            case CalcMessage::Kind::Info: view.ShowInfo(message.text); break;
            case CalcMessage::Kind::Error: view.ShowError(message.text); break;
        }
    if (!outcome.Faulted() && TypeInfo(screens.type).writesFieldsBack) WriteFields(view, screens);
}

}  // namespace kaldora
