// The engine for the browser: one case from kaldora-calc's own words, and
// the descriptions the page builds its form from, both as JSON.
#include <emscripten/bind.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/errors.h"
#include "cli/output.h"
#include "cli/table.h"
#include "engine/case_run.h"
#include "engine/current_norm.h"
#include "engine/method_constants.h"
#include "model/calc_types.h"
#include "model/norm_choice.h"
#include "model/number_text.h"
#include "model/screen_texts.h"
#include "model/slots.h"
#include "model/type_layout.h"
#include "papers/protocol_html.h"
#include "papers/report_layout.h"
#include "screen/screens.h"

namespace kaldora::web {

namespace {

using Json = nlohmann::ordered_json;

template <typename Choice>
Json ChoiceList() {
    Json list = Json::array();
    for (const auto& text : ChoiceTexts(Choice{})) list.push_back({{"word", text.word}, {"title", text.title}});
    return list;
}

Json Captions(std::string_view (*caption)(bool)) { return Json::array({caption(false), caption(true)}); }

Json FieldOf(const CalcTypeInfo& info, const SlotDesign& design) {
    Json items = Json::array();
    if (design.slot == info.diameterSlot)
        for (const std::string_view item : *info.diameterItems) items.push_back(item);
    if (design.slot == kSlotSupplyTemp)
        for (const std::string_view item : kSupplyTemperatureItems) items.push_back(item);
    return {{"slot", design.slot},          {"label", FieldLabel(design.caption)},
            {"unit", design.unit},          {"initial", design.designText},
            {"hint", design.panelHint},     {"readOnly", design.readOnly},
            {"result", design.showsResult}, {"items", items}};
}

// What the window shows after a calculation, in its words: the result line
// (≈ where the iterations stopped short), its notes, the rows of the whole
// result, the boxes in order, the caution about doubtful norm cells and the
// fields read as 0 though they held no number.
Json Shown(const CaseInput& input, const CaseResult& result) {
    const CalcTypeInfo& info = TypeInfo(result.type);
    std::string line = ResultLineText(result.thicknessMm / 1000.0);
    if (result.whole.answer == Answer::Thickness && result.whole.convergence.Approximate())
        line.replace(line.find(" = "), 3, " ≈ ");
    Json whole = Json::array();
    for (const WholeKind kind : info.screenResults)
        if (const std::optional<double> value = ValueOf(result.whole, kind))
            whole.push_back({{"caption", WholeResultCaption(kind, *value, info.wholeMoment)},
                             {"text", FormatShown(kind == WholeKind::HeatFlux ? std::fabs(*value) : *value, 3, 1)}});
    Json messages = Json::array();
    for (const CalcMessage& message : result.events)
        if (message.kind != CalcMessage::Kind::ResultLine)
            messages.push_back(message.kind == CalcMessage::Kind::Error
                                   ? Json{{"kind", "error"}, {"text", ArithmeticFaultText(message.text)}}
                                   : Json{{"kind", "info"}, {"text", message.text}});
    // A type that writes its fields back shows them in the formats typed.
    Json fields = Json::object();
    const bool faulted = !result.events.empty() && result.events.back().kind == CalcMessage::Kind::Error;
    Json unread = Json::array();
    for (const SlotDesign& design : ShownSlotDesigns) {
        if (!IsSlotVisible(result.type, design.slot)) continue;
        std::string_view text = design.designText;
        for (const auto& [slot, typed] : input.slotTexts)
            if (slot == design.slot) text = typed;
        if (info.writesFieldsBack && !faulted)
            fields[std::to_string(design.slot)] = SwapFirstPoint(
                FormatWithRecord(SlotFormat(SwapFirstComma(text)),
                                 TypedFromHeld(design.slot, result.values[static_cast<std::size_t>(design.slot)])));
        if (!design.showsResult && !HasNumberPrefix(SwapFirstComma(text))) {
            const std::string label = FieldLabel(design.caption);
            unread.push_back({{"slot", design.slot}, {"name", label.substr(0, label.find(" ("))}});
        }
    }
    // The report page with this case's texts in its elements.
    CalcInput shownInput = InputOf(input);
    shownInput.values = result.values;
    std::vector<PaperElement> page = DesignedReportElements();
    for (const auto& [name, text] : ReportTexts(shownInput, true, result.whole))
        for (PaperElement& e : page)
            if (e.name == name) e.text = text;
    Json report = Json::array();
    for (const PaperElement& e : page)
        report.push_back({{"name", e.name},
                          {"kind", e.kind == PaperElement::Kind::Picture ? "picture"
                                   : e.kind == PaperElement::Kind::Date  ? "date"
                                                                         : "text"},
                          {"left", e.left},
                          {"top", e.top},
                          {"width", e.width},
                          {"height", e.height},
                          {"points", e.points},
                          {"bold", e.bold},
                          {"underline", e.underline},
                          {"wrap", e.wrap},
                          {"text", e.text}});
    return {{"resultLine", line},
            {"refused", result.whole.answer == Answer::Refused},
            {"notes", UnsettledTexts(result.whole.convergence)},
            {"whole", whole},
            {"messages", messages},
            {"caution", DoubtfulCellsCaution(result.whole.doubtfulCells)},
            {"readAsZero", unread},
            {"fields", fields},
            {"report", report}};
}

// kaldora-calc's arguments, one a line.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

// The five types as the window shows them, the norm's choices and the
// window's own words.
std::string Describe() {
    Json types = Json::array();
    for (const CalcTypeInfo& info : CalcTypes) {
        Json fields = Json::array();
        std::vector<SlotPlacement> placements(info.placements.begin(), info.placements.end());
        std::sort(placements.begin(), placements.end(), [](const auto& a, const auto& b) { return a.top < b.top; });
        for (const SlotPlacement& placement : placements)
            if (const SlotDesign* design = FindSlotDesign(placement.slot)) fields.push_back(FieldOf(info, *design));
        types.push_back({{"type", info.Number()},
                         {"heading", TypeHeadings[static_cast<std::size_t>(info.Number())]},
                         {"fields", fields},
                         {"placement", info.HasLocationOption()},
                         {"alwaysIndoors", info.alwaysIndoors},
                         {"cover", info.HasCoverOption()},
                         {"hours", info.HasHoursOption()},
                         {"norm", info.HasNormOption()}});
    }
    return Json{
        {"types", types},
        {"captions",
         {{"placement", Captions(LocationCaption)},
          {"cover", Captions(CoverCaption)},
          {"hours", Captions(HoursCaption)},
          {"calculate", kCalculateCaption},
          {"report", kReportCaption},
          {"protocol", kProtocolCaption},
          {"identity", kProtocolFieldCaptions}}},
        {"norm",
         {{"sets", ChoiceList<NormSet>()}, {"supports", ChoiceList<Supports>()}, {"regions", ChoiceList<Region>()}}}}
        .dump();
}

// One case, as kaldora-calc's arguments one a line ("--type", "1", "3=108",
// "--outdoors", …): kaldora-calc's JSON with the trace, and what the window
// would show; or {"error": why the arguments cannot be calculated}.
std::string Run(const std::string& lines) {
    try {
        const cli::Arguments parsed = cli::ParseArguments(Lines(lines));
        if (parsed.mode != cli::Arguments::Mode::OneCase) return Json{{"error", "one case only"}}.dump();
        CalcTrace trace;
        const CaseResult result = RunCase(parsed.input, &trace);
        Json json = Json::parse(cli::JsonText(result, &trace));
        json["shown"] = Shown(parsed.input, result);
        return json.dump();
    } catch (const cli::ArgumentError& error) {
        return Json{{"error", error.message}}.dump();
    }
}

// The calculation protocol of one case, as the program prints it: its body
// as HTML, the running header and the title; `identity` is a JSON array of
// the fields in ProtocolFields' order, `date` the day as printed.
std::string Protocol(const std::string& lines, const std::string& identity, const std::string& date) {
    try {
        const cli::Arguments parsed = cli::ParseArguments(Lines(lines));
        CalcTrace trace;
        RunCase(parsed.input, &trace);
        const Json given = Json::parse(identity, nullptr, false);
        std::vector<std::string> f;
        if (given.is_array())
            for (const Json& field : given) f.push_back(field.is_string() ? field.get<std::string>() : std::string());
        f.resize(std::size(kProtocolFieldCaptions));
        const ProtocolFields fields{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
        return Json{{"html", ProtocolHtml(trace, date, fields)},
                    {"header", ProtocolRunningHeader(trace.type, fields.object)},
                    {"title", ProtocolTitle(fields.object)}}
            .dump();
    } catch (const cli::ArgumentError& error) {
        return Json{{"error", error.message}}.dump();
    }
}

// A table of cases in the page's file system at `in` (named `name` in what
// is said of it), its results written to `out` as kaldora-calc writes them:
// CSV in the table's own dialect, or a workbook. Gives the counts of rows and
// of rows not computed and the notes, or {"error": why} in kaldora-calc's words.
std::string Table(const std::string& in, const std::string& name, const std::string& out, bool workbook) {
    using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
    char* noteText = nullptr;
    std::size_t noteSize = 0;
    std::FILE* notes = open_memstream(&noteText, &noteSize);
    Json answer;
    try {
        const File input(std::fopen(in.c_str(), "rb"), std::fclose);
        const File csv(workbook ? nullptr : std::fopen(out.c_str(), "wb"), std::fclose);
        if (!input) throw cli::ReadError{std::strerror(errno)};
        if (!workbook && !csv) throw cli::WriteError{out, std::strerror(errno)};
        const cli::TableCounts counts =
            cli::RunTable({input.get(), csv.get(), workbook ? out : std::string(), nullptr, notes});
        answer = {{"rows", counts.rows}, {"errors", counts.errors}};
    } catch (const cli::ArgumentError& e) {
        answer = {{"error", e.message}};
    } catch (const cli::ReadError& e) {
        answer = {{"error", "cannot read " + name + ": " + e.reason}};
    } catch (const cli::WriteError& e) {
        answer = {{"error", "cannot write the results: " + e.reason}};
    } catch (const std::bad_alloc&) {
        answer = {{"error", "out of memory"}};
    }
    // The stream's buffer is whole, and the caller's, once it is closed.
    if (notes) std::fclose(notes);
    Json noteLines = Json::array();
    constexpr std::string_view kProgram = "kaldora-calc: ";
    for (std::string& line : Lines(std::string(noteText ? noteText : "", noteSize)))
        noteLines.push_back(line.starts_with(kProgram) ? line.substr(kProgram.size()) : line);
    std::free(noteText);
    answer["notes"] = noteLines;
    return answer.dump();
}

// An empty table with every column to fill in, as `kaldora-calc --template
// ru` writes it, at `path` in the page's file system.
bool WriteTableTemplate(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    cli::WriteTemplate(out, cli::Titles::Russian);
    return std::fclose(out) == 0;
}

}  // namespace kaldora::web

EMSCRIPTEN_BINDINGS(kaldora) {
    emscripten::function("describe", &kaldora::web::Describe);
    emscripten::function("run", &kaldora::web::Run);
    emscripten::function("protocol", &kaldora::web::Protocol);
    emscripten::function("table", &kaldora::web::Table);
    emscripten::function("writeTableTemplate", &kaldora::web::WriteTableTemplate);
}
