#include "papers/report_layout.h"

#include "engine/current_norm.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/type_layout.h"

namespace kaldora {

const char* const kFooterLines[4] = {
    "АО \"ВЕЛАРИС\"",
    "199999, г. Заречногорск, ул. Изоляторов, 7",
    "Тел. +7 (000) 120-45-60, факс +7 (000) 120-45-61",
    "www.velaris.example",
};

namespace {

using Kind = PaperElement::Kind;

PaperElement Text(std::string name, double left, double top, double width, double height, double points,
                  std::string text = {}, bool wrap = false) {
    return {std::move(name), Kind::Text, left, top, width, height, points, false, false, wrap, std::move(text)};
}

PaperElement Bold(PaperElement e) {
    e.bold = true;
    return e;
}

PaperElement Heading(std::string name, double left, double top, std::string text) {
    PaperElement e = Text(std::move(name), left, top, 0, 0, 10, std::move(text));
    e.bold = true;
    e.underline = true;
    return e;
}

constexpr char kBlank[] = " ";

// As typed: diameters and the thickness in millimetres.
std::string SlotValue(const CalcInput& input, int slot) {
    return FormatReportValue("%3.1f", TypedFromHeld(slot, input.values[static_cast<std::size_t>(slot)]));
}

}  // namespace

std::vector<PaperElement> DesignedReportElements() {
    std::vector<PaperElement> el;
    el.push_back({"QRImage1", Kind::Picture, 25.4, 21.2, 51.1, 9.0});
    el.push_back(Bold(Text("QRLabel1", 143.9, 21.2, 53.2, 6.6, 14, "АО \"ВЕЛАРИС\"")));
    el.push_back(Text("QRLabel2", 158.8, 29.6, 38.4, 10.8, 11, "Программа расчета тепловой изоляции", true));
    el.push_back(Text("QRDate", 158.8, 38.6, 10.8, 4.5, 10, "Дата: "));
    el.push_back({"QRSysData1", Kind::Date, 169.3, 38.6, 0, 0, 10});
    el.push_back(Heading("QRLabel3", 25.4, 48.7, "Вид расчета."));
    el.push_back(Text("QRRegName", 50.8, 48.7, 146.3, 10.8, 10, {}, true));
    el.push_back(Heading("QRLabel4", 25.4, 61.4, "Характеристика объекта"));
    el.push_back(
        Text("QRLabel7", 27.5, 67.7, 34.1, 19.3, 10, "Объект  Расположение  Тепловая изоляция   Покрытие", true));
    el.push_back(Text("QRCon", 129.1, 67.7, 0, 0, 10));
    el.push_back(Text("QRStat", 129.1, 72.0, 0, 0, 10));
    el.push_back(Text("QRLabel8", 129.1, 76.2, 0, 0, 10, "Минераловатный цилиндр"));
    el.push_back(Text("QRType", 129.1, 80.4, 0, 0, 10));
    el.push_back(Heading("QRLabel5", 25.4, 88.9, "Данные для расчета: "));

    const double nameTop[9] = {95.3, 103.7, 112.2, 120.7, 129.1, 137.6, 148.2, 160.9, 169.3};
    const double nameHeight[9] = {4.5, 4.5, 4.5, 4.5, 4.5, 6.6, 8.7, 4.5, 4.5};
    const double valueTop[9] = {94.7, 103.2, 111.7, 120.1, 128.6, 137.1, 151.9, 160.3, 168.8};
    for (int row = 0; row < 9; ++row) {
        el.push_back(Text("QRN" + std::to_string(row + 1), 27.5, nameTop[row], 99.7, nameHeight[row], 10, {}, true));
        el.push_back(Bold(Text("QRD" + std::to_string(row + 1), 131.2, valueTop[row], 0, 0, 11)));
    }

    // The current norm, where a type that has the choice leaves its input
    // rows blank; empty under the historical tables.
    el.push_back(Text("QRNorm", 27.5, 137.6, 169.3, 8.7, 10, {}, true));
    // Under it, the caution for a cell whose published copies disagree.
    el.push_back(Text("QRNormCheck", 27.5, 147.4, 169.3, 8.7, 10, {}, true));

    el.push_back(Heading("QRLabel6", 25.4, 177.8, "Результаты расчета:"));
    el.push_back(Text("QRResName", 27.5, 186.3, 99.7, 8.7, 10, {}, true));
    el.push_back(Bold(Text("QRRes", 131.2, 185.7, 0, 0, 11)));
    el.push_back(Text("QRQDir", 27.5, 196.9, 99.7, 6.6, 10, {}, true));
    el.push_back(Bold(Text("QRResQDir", 131.2, 196.3, 0, 0, 11)));
    el.push_back(Text("QRQReDir", 27.5, 205.3, 99.7, 6.6, 10, {}, true));
    el.push_back(Bold(Text("QRResQReDir", 131.2, 204.8, 0, 0, 11)));
    PaperElement rule = Heading("QRLabel19", 25.4, 212.7, std::string(161, ' '));
    rule.width = 171.7;
    rule.height = 4.5;
    el.push_back(rule);
    const double footerTop[4] = {220.1, 224.4, 228.6, 232.8};
    for (int line = 0; line < 4; ++line)
        el.push_back(
            Text("QRLabel" + std::to_string(15 + line), 27.5, footerTop[line], 72.2, 4.5, 9, kFooterLines[line]));
    el.push_back({"QRImage2", Kind::Picture, 131.2, 220.1, 51.1, 9.0});
    return el;
}

std::string FormatReportValue(std::string_view format, double value) {
    return SwapFirstPoint(FormatWithRecord(std::string(format), value));
}

std::vector<std::pair<std::string, std::string>> ReportTexts(const CalcInput& in, bool calculated,
                                                             const WholeResult& whole) {
    std::vector<std::pair<std::string, std::string>> texts;
    const int t = in.type;
    if (!IsCalcType(t)) return texts;
    const CalcTypeInfo& info = TypeInfo(t);
    texts.emplace_back("QRRegName", TypeHeadings[static_cast<std::size_t>(t)]);
    texts.emplace_back("QRCon", info.reportObject);
    texts.emplace_back("QRStat", !info.reportPlacement.empty() ? std::string(info.reportPlacement)
                                 : in.indoors                  ? "В помещении"
                                                               : "На открытом воздухе");
    texts.emplace_back("QRType", info.HasCoverOption() && in.metalCover ? "Металл" : "Неметаллическое");

    for (std::size_t i = 0; i < info.reportRows.size(); ++i) {
        const ReportRow& row = info.reportRows[i];
        std::string value = kBlank;
        switch (row.source) {
            case ReportRow::Source::Blank: break;
            case ReportRow::Source::Slot: value = SlotValue(in, row.slot); break;
            case ReportRow::Source::Hours: value = in.longHours ? "свыше 5000 часов" : "не более 5000 часов"; break;
        }
        texts.emplace_back("QRN" + std::to_string(i + 1), row.name);
        texts.emplace_back("QRD" + std::to_string(i + 1), value);
    }

    const NormChoice& norm = in.norm;
    texts.emplace_back("QRNorm", info.HasNormOption() && norm.set == NormSet::Sp61
                                     ? "Нормы: " + std::string(TextOf(norm.set).title) + ", " +
                                           std::string(SupportsPhrase(norm.supports)) +
                                           "; район: " + std::string(TextOf(norm.region).title)
                                     : std::string());
    texts.emplace_back("QRNormCheck", calculated ? DoubtfulCellsCaution(whole.doubtfulCells) : std::string());

    texts.emplace_back("QRResName", info.reportResultName);
    // A thickness the iterations did not settle on is printed as approximate.
    const bool approximate = calculated && whole.answer == Answer::Thickness && whole.convergence.Approximate();
    texts.emplace_back("QRRes", (approximate ? "≈ " : "") + SlotValue(in, kSlotThickness));
    // Up to two further result lines; the rest stay blank.
    const std::pair<const char*, const char*> resultElements[] = {{"QRQDir", "QRResQDir"}, {"QRQReDir", "QRResQReDir"}};
    for (std::size_t i = 0; i < std::size(resultElements); ++i) {
        const bool shown = i < info.reportResults.size();
        texts.emplace_back(resultElements[i].first, shown ? std::string(info.reportResults[i].name) : kBlank);
        texts.emplace_back(resultElements[i].second, shown ? SlotValue(in, info.reportResults[i].slot) : kBlank);
    }
    return texts;
}

}  // namespace kaldora
