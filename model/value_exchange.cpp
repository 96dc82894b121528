#include "model/value_exchange.h"

#include <cfenv>
#include <cmath>

#include "model/calc_data.h"
#include "model/calc_trace.h"
#include "model/number_text.h"
#include "model/type_layout.h"

namespace kaldora {

namespace {

CalcView* view = nullptr;

// The fault the floating-point unit flagged; division by zero and overflow
// come before the invalid operation that usually follows them.
std::string FaultMessage() {
    if (std::fetestexcept(FE_DIVBYZERO)) return "Floating point division by zero";
    if (std::fetestexcept(FE_OVERFLOW)) return "Floating point overflow";
    return "Invalid floating point operation";
}

}  // namespace

void RequireFinite(double value) {
    if (!std::isfinite(value)) throw ArithmeticFault{FaultMessage()};
}

void AttachView(CalcView* newView) { view = newView; }

CalcView* AttachedView() { return view; }

void ReadSlots() {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!IsSlotVisible(CurrentType, slot)) continue;
        // The buffer takes the whole text, however long: cutting it would
        // change the number the user typed.
        const std::string typed = view ? view->SlotText(slot) : std::string();
        EditTextBuffer = SwapFirstComma(typed);
        double value = ParsePointNumber(EditTextBuffer);
        value = HeldFromTyped(slot, value);
        CurrentSlot(slot) = value;
        TraceInputRead(slot, typed, value);
        MakeSlotFormat(slot, EditTextBuffer);
    }
}

void MakeSlotFormat(int slot, std::string_view text) {
    const auto point = text.find('.');
    if (point == std::string_view::npos) {
        SlotFormats[static_cast<std::size_t>(slot)] = "%1.0f";
        return;
    }
    int decimals = static_cast<int>(CountCharacters(text.substr(point + 1)));
    if (decimals > kMaxSlotDecimals) decimals = kMaxSlotDecimals;
    // "%W.Pf" with W = P + 2: one digit each.
    static_assert(kMaxSlotDecimals + 2 <= 9);
    const char record[] = {'%', static_cast<char>('0' + decimals + 2), '.', static_cast<char>('0' + decimals), 'f'};
    SlotFormats[static_cast<std::size_t>(slot)].assign(record, sizeof record);
}

void WriteSlots() {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!IsSlotVisible(CurrentType, slot)) continue;
        const double value = TypedFromHeld(slot, CurrentSlot(slot));
        RequireFinite(value);
        EditTextBuffer = SwapFirstPoint(FormatWithRecord(SlotFormats[static_cast<std::size_t>(slot)], value));
        if (view) view->SetSlotText(slot, EditTextBuffer);
    }
    ShowResult(CurrentSlot(kSlotThickness));
}

std::string ResultLineText(double thicknessMetres) {
    return "Толщина тепловой изоляции = " + FormatShown(TypedFromHeld(kSlotThickness, thicknessMetres), 3, 1) + " мм";
}

void ShowResult(double thicknessMetres) {
    RequireFinite(TypedFromHeld(kSlotThickness, thicknessMetres));
    MessageBuffer = ResultLineText(thicknessMetres);
    if (view) view->SetResultLine(MessageBuffer);
}

void InfoBox(std::string_view message) {
    TraceMessage(message);
    if (view) view->ShowInfo(std::string(message));
}

}  // namespace kaldora
