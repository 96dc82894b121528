#include "model/calc_trace.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace kaldora {

namespace trace_detail {
CalcTrace* attached = nullptr;
}  // namespace trace_detail

namespace {
using trace_detail::attached;
bool passOpen = false;
}  // namespace

void AttachTrace(CalcTrace* trace) {
    attached = trace;
    passOpen = false;
}

namespace trace_detail {

void RecordCheck(bool met, std::string_view condition) { attached->checks.push_back({std::string(condition), met}); }

void RecordQuantity(std::string_view symbol, std::string_view meaning, double value, std::string_view unit) {
    TraceValue v{std::string(symbol), std::string(meaning), value, std::string(unit)};
    if (passOpen && !attached->passes.empty())
        attached->passes.back().values.push_back(std::move(v));
    else
        attached->values.push_back(std::move(v));
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

bool CheckedAgainst(bool met, std::string_view left, double leftValue, std::string_view right, double rightValue,
                    std::string_view unit) {
    if (!attached) return met;
    const std::string u = unit.empty() ? std::string() : " " + std::string(unit);
    trace_detail::RecordCheck(met, std::string(left) + " = " + TraceNumber(leftValue) + u + (met ? " ≤ " : " > ") +
                                       std::string(right) + " = " + TraceNumber(rightValue) + u);
    return met;
}

void TraceInputRead(int slot, std::string_view typed, double value) {
    if (attached) attached->inputs.push_back({slot, std::string(typed), value});
}

void TraceOption(std::string_view name, std::string_view value) {
    if (attached) attached->options.emplace_back(name, value);
}

void TraceBeginPass(int number) {
    if (!attached) return;
    attached->passes.push_back({number, {}});
    passOpen = true;
}

void TraceEndPasses(bool settled) {
    passOpen = false;
    if (attached && !settled) attached->passesSettled = false;
}

void TraceResult(std::string_view symbol, std::string_view meaning, double value, std::string_view unit) {
    if (attached) attached->results.push_back({std::string(symbol), std::string(meaning), value, std::string(unit)});
}

void TraceMessage(std::string_view text) {
    if (attached) attached->messages.emplace_back(text);
}

void TraceRefusal() {
    if (attached) attached->refused = true;
}

}  // namespace kaldora
