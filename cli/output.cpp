#include "cli/output.h"

#include <nlohmann/json.hpp>

#include "engine/current_norm.h"
#include "engine/method_constants.h"
#include "model/calc_types.h"
#include "model/screen_texts.h"
#include "model/slots.h"

namespace kaldora::cli {

using Kind = CalcMessage::Kind;

std::string HumanText(const CaseResult& result) {
    std::string text;
    const CalcMessage* lastResult = nullptr;
    for (const auto& e : result.events) {
        // Type 1 shows its result line again after writing the fields back;
        // on screen the two are one line.
        if (e.kind == Kind::ResultLine && lastResult && lastResult->thickness == e.thickness) continue;
        lastResult = e.kind == Kind::ResultLine ? &e : nullptr;
        if (e.kind == Kind::Error) text += "Ошибка: ";
        text += MessageText(e) + "\n";
    }
    if (const std::string caution = DoubtfulCellsCaution(result.whole.doubtfulCells); !caution.empty())
        text += caution + "\n";
    return text;
}

std::string_view WholeResultName(WholeKind kind) {
    switch (kind) {
        case WholeKind::SurfaceTemp: return "surface_temp_c";
        case WholeKind::HeatFlux: return "heat_flux_w_per_m";
        case WholeKind::ChannelAirTemp: return "channel_air_temp_c";
    }
    return {};
}

namespace {

nlohmann::ordered_json ValueJson(const TraceValue& v) {
    return {{"symbol", v.symbol}, {"meaning", v.meaning}, {"value", v.value}, {"unit", v.unit}};
}

nlohmann::ordered_json TraceJson(const CalcTrace& t) {
    using J = nlohmann::ordered_json;
    J json;
    json["inputs"] = J::array();
    // The unit of the value as read: metres where the slot holds metres.
    for (const TraceInput& in : t.inputs) {
        const SlotDesign* design = FindSlotDesign(in.slot);
        const std::string_view unit = HeldInMetres(in.slot) ? "м" : design ? design->unit : "";
        json["inputs"].push_back({{"slot", in.slot}, {"typed", in.typed}, {"value", in.value}, {"unit", unit}});
    }
    json["options"] = J::object();
    for (const auto& [name, value] : t.options) json["options"][name] = value;
    json["checks"] = J::array();
    for (const TraceCheck& c : t.checks) json["checks"].push_back({{"condition", c.condition}, {"met", c.met}});
    json["lookups"] = J::array();
    for (const TraceLookup& l : t.lookups) {
        J lookup{{"table", l.table}, {"row_arg", l.rowArg}, {"col_arg", l.colArg}, {"in_range", l.inRange}};
        if (l.inRange) {
            lookup["row_keys"] = l.rowKeys;
            lookup["col_keys"] = l.colKeys;
            lookup["cells"] = l.cells;
        }
        lookup["value"] = l.value;
        json["lookups"].push_back(lookup);
    }
    json["values"] = J::array();
    for (const TraceValue& v : t.values) json["values"].push_back(ValueJson(v));
    json["passes"] = J::array();
    for (const TracePass& p : t.passes) {
        J values = J::array();
        for (const TraceValue& v : p.values) values.push_back(ValueJson(v));
        json["passes"].push_back({{"pass", p.number}, {"values", values}});
    }
    json["solves"] = J::array();
    for (const TraceSolve& s : t.solves)
        json["solves"].push_back({{"a", s.a},
                                  {"b", s.b},
                                  {"start", s.start},
                                  {"x", s.x},
                                  {"iterations", s.iterations},
                                  {"method", s.bracketed ? "bisection" : "iteration"},
                                  {"residual", s.residual}});
    json["messages"] = t.messages;
    json["results"] = J::array();
    for (const TraceValue& v : t.results) json["results"].push_back(ValueJson(v));
    json["refused"] = t.refused;
    return json;
}

// The current norm's choices and, from the trace, where the normed flux
// came from: the table, its rows (Dn and outer diameter) and columns around
// the point with their cells, and the coefficients.
nlohmann::ordered_json NormJson(const NormChoice& choice, const CalcTrace* trace) {
    nlohmann::ordered_json json;
    json["document"] = TextOf(choice.set).title;
    json["supports"] = TextOf(choice.supports).word;
    json["region"] = TextOf(choice.region).word;
    if (!trace || !trace->norm) return json;
    const TraceNorm& n = *trace->norm;
    const TraceLookup& lookup = trace->lookups.back();
    json["table"] = n.table;
    json["rows"] = nlohmann::ordered_json::array();
    for (int r = 0; r < 2; ++r)
        json["rows"].push_back({{"dn_mm", n.nominalBores[static_cast<std::size_t>(r)]},
                                {"outer_mm", lookup.rowKeys[static_cast<std::size_t>(r)] * 1000.0}});
    json["columns_c"] = lookup.colKeys;
    json["cells"] = lookup.cells;
    json["q_table"] = n.qTable;
    json["k"] = n.k;
    json["k1"] = n.k1;
    json["q"] = n.q;
    json["alpha"] = n.alpha;
    json["check"] = n.marked;
    return json;
}

}  // namespace

std::string JsonText(const CaseResult& result, const CalcTrace* trace) {
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
        json["events"].push_back({{"kind", kind}, {"text", MessageText(e)}});
    }
    nlohmann::ordered_json slots = nlohmann::ordered_json::object();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (const std::optional<double> value = result.SlotValue(slot)) slots[std::to_string(slot)] = *value;
    json["slots"] = slots;
    json["thickness_mm"] = result.thicknessMm;
    for (const WholeKind kind : TypeInfo(result.type).wholeResults) {
        const std::optional<double> value = ValueOf(result.whole, kind);
        json[std::string(WholeResultName(kind))] = value ? nlohmann::ordered_json(*value) : nullptr;
    }
    json["converged"] = result.whole.convergence.Settled();
    // How the result was found: by the method's iterations, or where they
    // did not settle, as the root of the same equation by bisection.
    json["method"] = result.whole.convergence.Bracketed() ? "bisection" : "iteration";
    if (!result.whole.convergence.Settled()) json["not_converged"] = UnsettledTexts(result.whole.convergence);
    if (const auto warning = ImplausibleThickness(result.whole, result.thicknessMm))
        json["warnings"] = std::vector<std::string>{*warning};
    if (result.norm && result.norm->set == NormSet::Sp61) json["norm"] = NormJson(*result.norm, trace);
    if (trace) json["trace"] = TraceJson(*trace);
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
    for (const std::string& text : UnsettledTexts(result.whole.convergence)) line += (line.empty() ? "" : " | ") + text;
    if (const auto warning = ImplausibleThickness(result.whole, result.thicknessMm))
        line += (line.empty() ? "" : " | ") + *warning;
    if (const std::string caution = DoubtfulCellsCaution(result.whole.doubtfulCells); !caution.empty())
        line += (line.empty() ? "" : " | ") + caution;
    return line;
}

}  // namespace kaldora::cli
