#include "model/calc_trace.h"

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

void RecordCheck(bool met, std::string_view condition) {
    attached->checks.push_back({std::string(condition), met});
}

void RecordQuantity(std::string_view symbol, std::string_view meaning, double value,
                    std::string_view unit) {
    TraceValue v{std::string(symbol), std::string(meaning), value, std::string(unit)};
    if (passOpen && !attached->passes.empty())
        attached->passes.back().values.push_back(std::move(v));
    else
        attached->values.push_back(std::move(v));
}

}  // namespace trace_detail

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

void TraceEndPasses() { passOpen = false; }

void TraceResult(std::string_view symbol, std::string_view meaning, double value,
                 std::string_view unit) {
    if (attached)
        attached->results.push_back({std::string(symbol), std::string(meaning), value, std::string(unit)});
}

void TraceMessage(std::string_view text) {
    if (attached) attached->messages.emplace_back(text);
}

void TraceRefusal() {
    if (attached) attached->refused = true;
}

}  // namespace kaldora
