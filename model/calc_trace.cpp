#include "model/calc_trace.h"

namespace kaldora {

namespace {
CalcTrace* active = nullptr;
bool passOpen = false;
}  // namespace

void AttachTrace(CalcTrace* trace) {
    active = trace;
    passOpen = false;
}

CalcTrace* ActiveTrace() { return active; }

bool Checked(bool met, std::string_view condition) {
    if (active) active->checks.push_back({std::string(condition), met});
    return met;
}

void TraceInputRead(int slot, std::string_view typed, double value) {
    if (active) active->inputs.push_back({slot, std::string(typed), value});
}

void TraceOption(std::string_view name, std::string_view value) {
    if (active) active->options.emplace_back(name, value);
}

void TraceQuantity(std::string_view symbol, std::string_view meaning, double value,
                   std::string_view unit) {
    if (!active) return;
    TraceValue v{std::string(symbol), std::string(meaning), value, std::string(unit)};
    if (passOpen && !active->passes.empty())
        active->passes.back().values.push_back(std::move(v));
    else
        active->values.push_back(std::move(v));
}

void TraceBeginPass(int number) {
    if (!active) return;
    active->passes.push_back({number, {}});
    passOpen = true;
}

void TraceEndPasses() { passOpen = false; }

void TraceResult(std::string_view symbol, std::string_view meaning, double value,
                 std::string_view unit) {
    if (active)
        active->results.push_back({std::string(symbol), std::string(meaning), value, std::string(unit)});
}

void TraceMessage(std::string_view text) {
    if (active) active->messages.emplace_back(text);
}

void TraceRefusal() {
    if (active) active->refused = true;
}

}  // namespace kaldora
