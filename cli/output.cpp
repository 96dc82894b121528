#include "cli/output.h"

#include <charconv>
#include <nlohmann/json.hpp>

namespace kaldora::cli {

using Kind = RecordingView::Kind;

std::string HumanText(const CaseResult& result) {
    std::string text;
    const std::string* lastResult = nullptr;
    for (const auto& e : result.events) {
        // Type 1 shows its result line again after writing the fields back;
        // on screen the two are one line.
        if (e.kind == Kind::ResultLine && lastResult && *lastResult == e.text) continue;
        lastResult = e.kind == Kind::ResultLine ? &e.text : nullptr;
        if (e.kind == Kind::Error) text += "Ошибка: ";
        text += e.text + "\n";
    }
    return text;
}

std::string JsonText(const CaseResult& result) {
    nlohmann::ordered_json json;
    json["type"] = result.type;
    // Only the options the type has.
    nlohmann::ordered_json flags = nlohmann::ordered_json::object();
    if (result.indoors) flags["indoors"] = *result.indoors;
    if (result.metal) flags["metal"] = *result.metal;
    if (result.longHours) flags["long_hours"] = *result.longHours;
    json["flags"] = flags;
    json["events"] = nlohmann::json::array();
    for (const auto& e : result.events) {
        const char* kind = e.kind == Kind::Info ? "info" : e.kind == Kind::Error ? "error" : "result";
        json["events"].push_back({{"kind", kind}, {"text", e.text}});
    }
    nlohmann::ordered_json slots = nlohmann::ordered_json::object();
    for (std::size_t slot = 0; slot < result.slots.size(); ++slot)
        if (result.slots[slot]) slots[std::to_string(slot)] = *result.slots[slot];
    json["slots"] = slots;
    json["thickness_mm"] = result.thicknessMm;
    return json.dump(2) + "\n";
}

std::string MessagesLine(const CaseResult& result) {
    std::string line;
    for (const auto& e : result.events) {
        if (e.kind == Kind::ResultLine) continue;
        if (!line.empty()) line += " | ";
        if (e.kind == Kind::Error) line += "Ошибка: ";
        line += e.text;
    }
    return line;
}

std::string ShortestNumber(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace kaldora::cli
