#include "model/calc_trace.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace kaldora {

namespace trace_detail {

void RecordCheck(CalcTrace& trace, bool met, std::string_view condition) {
    trace.checks.push_back({std::string(condition), met});
}

void RecordQuantity(CalcTrace& trace, std::string_view symbol, std::string_view meaning, double value,
                    std::string_view unit) {
    TraceValue v{std::string(symbol), std::string(meaning), value, std::string(unit)};
    if (trace.passOpen && !trace.passes.empty())
        trace.passes.back().values.push_back(std::move(v));
    else
        trace.values.push_back(std::move(v));
}

}  // namespace trace_detail

std::string TraceOperand(double value, bool leading) {
    const std::string text = TraceNumber(value, 7);
    return value < 0.0 && !leading ? "(" + text + ")" : text;
}

std::string TraceNumber(double value, int significant) {
    if (!std::isfinite(value)) return "—";
    if (value == 0.0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(significant - 1 - magnitude, 0, 9);
    std::string text = FormatFixed(std::fabs(value), 1, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return (value < 0.0 ? "−" : "") + SwapFirstPoint(text);
}

bool CheckedAgainst(CalcTrace* trace, bool met, std::string_view left, double leftValue, std::string_view right,
                    double rightValue, std::string_view unit) {
    if (!trace) return met;
    // Appended, not " " + string: GCC 12 warns wrongly on that at -O2.
    std::string u;
    if (!unit.empty()) u.append(" ").append(unit);
    trace_detail::RecordCheck(*trace, met,
                              std::string(left) + " = " + TraceNumber(leftValue) + u + (met ? " ≤ " : " > ") +
                                  std::string(right) + " = " + TraceNumber(rightValue) + u);
    return met;
}

void TraceInputRead(CalcTrace* trace, int slot, std::string_view typed, double value) {
    if (trace) trace->inputs.push_back({slot, std::string(typed), value});
}

void TraceOption(CalcTrace* trace, std::string_view name, std::string_view value) {
    if (trace) trace->options.emplace_back(name, value);
}

void TraceBeginPass(CalcTrace* trace, int number) {
    if (!trace) return;
    trace->passes.push_back({number, {}});
    trace->passOpen = true;
}

void TraceEndPasses(CalcTrace* trace, bool settled) {
    if (!trace) return;
    trace->passOpen = false;
    if (!settled) trace->passesSettled = false;
}

void TraceResult(CalcTrace* trace, std::string_view symbol, std::string_view meaning, double value,
                 std::string_view unit) {
    if (trace) trace->results.push_back({std::string(symbol), std::string(meaning), value, std::string(unit)});
}

void TraceMessage(CalcTrace* trace, std::string_view text) {
    if (trace) trace->messages.emplace_back(text);
}

void TraceRefusal(CalcTrace* trace) {
    if (trace) trace->refused = true;
}

}  // namespace kaldora
