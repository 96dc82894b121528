#include "cli/table_columns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <set>

#include "cli/errors.h"
#include "cli/output.h"
#include "engine/method_constants.h"
#include "engine/quantities.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/type_layout.h"

namespace kaldora::cli {

namespace {

// A slot's column, named as the slot table names it.
constexpr InputColumn SlotInput(int slot) {
    const SlotDesign* design = FindSlotDesign(slot);
    return {design->columnEnglish, design->columnRussian, Field::Slot, slot};
}

}  // namespace

constexpr std::array<InputColumn, 24> kInputColumns = {{
    {"section", "Участок", Field::Section, 0},
    {"type", "Вид расчета", Field::Type, 0},
    {"indoors", "В помещении", Field::Indoors, 0},
    {"metal", "Металлическое покрытие", Field::Metal, 0},
    {"long_hours", "Свыше 5000 ч/год", Field::LongHours, 0},
    {"norm", "Нормы", Field::Norm, 0},
    {"supports", "Опоры", Field::Supports, 0},
    {"region", "Район", Field::Region, 0},
    SlotInput(kSlotAirTemp),
    {"diameter_mm", "Диаметр трубопровода, мм", Field::Diameter, 0},  // the type's diameter slot
    SlotInput(kSlotCarrierTemp),
    SlotInput(kSlotSurfaceTemp),
    SlotInput(kSlotWallThickness),
    SlotInput(kSlotWaterTemp),
    SlotInput(kSlotStandstillHours),
    SlotInput(kSlotHumidity),
    SlotInput(kSlotSoilTemp),
    SlotInput(kSlotSoilConductivity),
    SlotInput(kSlotChannelDepth),
    SlotInput(kSlotChannelHeight),
    SlotInput(kSlotChannelWidth),
    SlotInput(kSlotSupplyTemp),
    SlotInput(kSlotReturnTemp),
    {"length_m", "Длина участка, м", Field::Length, 0},
}};

namespace {

using R = ResultKind;
const ResultColumn kThickness{"thickness_mm", "Толщина изоляции, мм", R::Number, 1, false};
const ResultColumn kNorm{"norm_w_per_m", "Норма теплового потока, Вт/м", R::Number, 1, false};
const ResultColumn kLossSupply{"loss_supply_w_per_m", "Потери подающего трубопровода, Вт/м", R::Number, 1, false};
const ResultColumn kLossReturn{"loss_return_w_per_m", "Потери обратного трубопровода, Вт/м", R::Number, 1, false};
const ResultColumn kVolume{"volume_m3", "Объем изоляции, м³", R::Number, 3, true};
const ResultColumn kCover{"cover_m2", "Площадь покрытия, м²", R::Number, 2, true};
const ResultColumn kMessages{"messages", "Сообщения", R::Text, 0, false};
const ResultColumn kError{"error", "Ошибка", R::Text, 0, false};

// Result slots beside the thickness, with their columns.
const std::pair<const ResultColumn*, int> kSlotResults[] = {
    {&kNorm, kSlotNormFlux}, {&kLossSupply, kSlotSupplyLoss}, {&kLossReturn, kSlotReturnLoss}};

// The whole result, empty where the row's type has no such value; named as
// in the JSON.
const ResultColumn kSurfaceTemp{WholeResultName(WholeKind::SurfaceTemp), "Температура поверхности, °C", R::Number, 1,
                                false};
const ResultColumn kHeatFlux{WholeResultName(WholeKind::HeatFlux), "Тепловой поток, Вт/м", R::Number, 1, false};
const ResultColumn kChannelAir{WholeResultName(WholeKind::ChannelAirTemp), "Температура воздуха в канале, °C",
                               R::Number, 1, false};
const std::pair<const ResultColumn*, WholeKind> kWholeResults[] = {{&kSurfaceTemp, WholeKind::SurfaceTemp},
                                                                   {&kHeatFlux, WholeKind::HeatFlux},
                                                                   {&kChannelAir, WholeKind::ChannelAirTemp}};

const ResultColumn* const kAllResults[] = {&kThickness,   &kNorm,     &kLossSupply, &kLossReturn,
                                           &kSurfaceTemp, &kHeatFlux, &kChannelAir, &kVolume,
                                           &kCover,       &kMessages, &kError};

bool SameAscii(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// slotN for a slot that some type shows; 0 otherwise.
int SlotColumn(std::string_view name) {
    if (name.size() <= 4 || !SameAscii(name.substr(0, 4), "slot")) return 0;
    int slot = 0;
    const char* end = name.data() + name.size();
    const auto [ptr, error] = std::from_chars(name.data() + 4, end, slot);
    if (error != std::errc() || ptr != end || !FindSlotDesign(slot)) return 0;
    return slot;
}

// What a column claims; a second claim on the same key is a duplicate. The
// diameter column claims both diameter slots.
std::vector<int> ClaimsOf(const TableLayout::Column& c) {
    constexpr int kFieldKey = 1000;
    switch (c.field) {
        case Field::Slot: return {c.slot};
        case Field::Diameter: return {kSlotDiameter, kSlotPipeDiameters};
        default: return {kFieldKey + static_cast<int>(c.field)};
    }
}

// What an option cell says, in any letter case: the words spreadsheets and
// people write for yes and no.
enum class Flag { Empty, Yes, No, Unreadable };
Flag ReadFlag(std::string_view text) {
    if (text.empty()) return Flag::Empty;
    // Most tables say 1 or 0: no need to fold them.
    if (text == "1") return Flag::Yes;
    if (text == "0") return Flag::No;
    for (const std::string_view yes : {"1", "yes", "да", "true", "истина"})
        if (SameWords(text, yes)) return Flag::Yes;
    for (const std::string_view no : {"0", "no", "нет", "false", "ложь"})
        if (SameWords(text, no)) return Flag::No;
    return Flag::Unreadable;
}

// A cell's text as a row error quotes it: at most 80 characters.
std::string Quoted(std::string_view text, Titles titles) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < 80; ++chars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    const std::string cut = std::string(text.substr(0, end)) + (end < text.size() ? "…" : "");
    return titles == Titles::Russian ? "«" + cut + "»" : "'" + cut + "'";
}

// The title of an input column in the table's language; slotN for a slot no
// named column stands for.
std::string ColumnTitle(const TableLayout::Column& column, Titles titles) {
    for (const InputColumn& c : kInputColumns)
        if (c.field == column.field && (c.field != Field::Slot || c.slot == column.slot))
            return std::string(TitleOf(c, titles));
    return "slot" + std::to_string(column.slot);
}

const InputColumn& OptionColumn(Field field) {
    for (const InputColumn& c : kInputColumns)
        if (c.field == field) return c;
    return kInputColumns.front();  // not reached: every option has a column
}

// A norm choice from its cell: empty keeps the default; a word the choice
// does not know is the row's problem.
template <typename Choice>
std::string ReadChoice(std::string_view cell, const InputColumn& column, Titles titles, std::optional<Choice>& choice) {
    if (cell.empty()) return {};
    if ((choice = ChoiceFromWord<Choice>(cell))) return {};
    std::string words;
    for (const auto& text : ChoiceTexts(Choice{}))
        words += (words.empty() ? "" : ", ") + std::string(titles == Titles::Russian ? text.shortWord : text.word);
    return std::string(TitleOf(column, titles)) + " must be one of " + words + ", not '" + std::string(cell) + "'";
}

// Why "1,2" is no number where commas separate the cells.
std::string CommaHint(const TableLayout& layout, std::string_view cell) {
    if (!layout.commaGroups || cell.find(',') == std::string_view::npos) return {};
    return layout.titles == Titles::Russian ? " (ячейки разделены запятыми: дробную часть отделяет точка)"
                                            : " (commas separate the cells: the decimal sign is a point)";
}

// Line breaks of a box's text become single blanks in a table cell.
std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') {
            line += text[i];
            continue;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
        line += ' ';
    }
    return line;
}

}  // namespace

std::string_view TitleOf(const InputColumn& column, Titles titles) {
    return titles == Titles::Russian ? column.russian : column.english;
}

std::string_view TitleOf(const ResultColumn& column, Titles titles) {
    return titles == Titles::Russian ? column.russian : column.english;
}

std::string_view TotalsCaption(Titles titles) { return titles == Titles::Russian ? "ИТОГО" : "TOTAL"; }

TableLayout ReadHeader(const std::vector<std::string>& header) {
    TableLayout layout;
    std::map<int, std::string_view> claimed;
    bool hasType = false;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = TrimBlanks(header[i]);
        if (name.empty()) throw ArgumentError{"column " + std::to_string(i + 1) + " of the header has no name"};
        std::optional<TableLayout::Column> column;
        for (const InputColumn& known : kInputColumns) {
            if (SameAscii(name, known.english) || SameTitle(name, known.russian)) {
                column = TableLayout::Column{known.field, known.slot};
                if (SameTitle(name, known.russian)) layout.titles = Titles::Russian;
            }
        }
        if (const int slot = SlotColumn(name); !column && slot) column = {Field::Slot, slot};
        for (const ResultColumn* result : kAllResults)
            if (!column && (SameAscii(name, result->english) || SameTitle(name, result->russian)))
                column = TableLayout::Column{Field::Result, 0};
        if (!column) throw ArgumentError{"unknown column " + Quoted(name, Titles::English)};
        if (column->field == Field::Result) {
            layout.columns.push_back(*column);
            continue;
        }
        for (const int key : ClaimsOf(*column)) {
            const auto [it, fresh] = claimed.emplace(key, name);
            if (!fresh)
                throw ArgumentError{"two columns for one field: " + Quoted(it->second, Titles::English) + " and " +
                                    Quoted(name, Titles::English)};
        }
        if (column->field == Field::Type) hasType = true;
        if (column->field == Field::Section) layout.sectionColumn = layout.inputs.size();
        if (column->field == Field::Length) layout.hasLength = true;
        layout.inputs.push_back(i);
        layout.columns.push_back(*column);
    }
    if (!hasType) throw ArgumentError{"the table has no column 'type'"};

    layout.results = {&kThickness, &kNorm, &kLossSupply, &kLossReturn, &kSurfaceTemp, &kHeatFlux, &kChannelAir};
    if (layout.hasLength) layout.results.insert(layout.results.end(), {&kVolume, &kCover});
    layout.results.insert(layout.results.end(), {&kMessages, &kError});
    return layout;
}

namespace {

// What a workbook cell holds instead of a value, after its column's title.
std::string FaultText(CellFault fault, std::string_view cell, Titles titles) {
    const bool russian = titles == Titles::Russian;
    switch (fault) {
        case CellFault::FormulaWithoutValue:
            return russian ? "формула без сохраненного значения: откройте и сохраните книгу в Excel"
                           : "a formula without a stored value: open and save the workbook in Excel";
        case CellFault::ErrorValue: return (russian ? "ошибка формулы " : "the formula error ") + Quoted(cell, titles);
        case CellFault::MissingString:
            return russian ? "ссылка на строку, которой нет в книге" : "a shared string the workbook does not hold";
        case CellFault::Date: return russian ? "дата, а не число" : "a date, not a number";
    }
    return {};
}

// Whether a column's cell counts for a case of `type`: a field the type
// does not show is never read.
bool Counts(const TableLayout::Column& column, int type) {
    switch (column.field) {
        case Field::Section:
        case Field::Result: return false;
        case Field::Slot: return IsSlotVisible(type, column.slot);
        default: return true;
    }
}

}  // namespace

std::string ReadCase(const TableLayout& layout, const std::vector<std::string>& row,
                     const std::vector<std::pair<std::size_t, CellFault>>& faults, TableCase& c) {
    const bool russian = layout.titles == Titles::Russian;
    // A spreadsheet leaves out a row's empty cells at its end: they are
    // empty; more cells than the header are an error unless empty.
    for (std::size_t i = layout.columns.size(); i < row.size(); ++i)
        if (!TrimBlanks(row[i]).empty())
            return russian ? "в строке " + std::to_string(row.size()) + " ячеек, в заголовке " +
                                 std::to_string(layout.columns.size())
                           : "the row has " + std::to_string(row.size()) + " fields, the header " +
                                 std::to_string(layout.columns.size());
    static const std::string kEmpty;
    const auto cellAt = [&](std::size_t i) -> const std::string& { return i < row.size() ? row[i] : kEmpty; };
    c.input.type = 0;
    c.input.indoors = c.input.metal = c.input.longHours = std::nullopt;
    c.input.norm = std::nullopt;
    c.input.supports = std::nullopt;
    c.input.region = std::nullopt;
    c.values.clear();
    c.lengthM = std::nullopt;
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        if (layout.columns[i].field != Field::Type) continue;
        const std::string_view type = TrimBlanks(cellAt(i));
        if (type.size() != 1 || !IsCalcType(type[0] - '0'))
            return russian ? ColumnTitle(layout.columns[i], layout.titles) + ": от 1 до 5, не " +
                                 Quoted(cellAt(i), layout.titles)
                           : "the type must be 1 to 5, not " + Quoted(cellAt(i), layout.titles);
        c.input.type = type[0] - '0';
    }
    for (const auto& [i, fault] : faults)
        if (i < layout.columns.size() && Counts(layout.columns[i], c.input.type))
            return ColumnTitle(layout.columns[i], layout.titles) + ": " + FaultText(fault, cellAt(i), layout.titles);
    const CalcTypeInfo& info = TypeInfo(c.input.type);
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const std::string& cell = cellAt(i);
        const TableLayout::Column& column = layout.columns[i];
        std::optional<bool>* option = nullptr;
        bool hasOption = false;
        switch (column.field) {
            case Field::Section:
            case Field::Type:
            case Field::Result: break;
            case Field::Indoors: option = &c.input.indoors, hasOption = info.HasLocationOption(); break;
            case Field::Metal: option = &c.input.metal, hasOption = info.HasCoverOption(); break;
            case Field::LongHours: option = &c.input.longHours, hasOption = info.HasHoursOption(); break;
            case Field::Norm:
            case Field::Supports:
            case Field::Region: {
                const InputColumn& title = OptionColumn(column.field);
                const std::string_view text = TrimSpaces(cell);
                std::string problem = column.field == Field::Norm ? ReadChoice(text, title, layout.titles, c.input.norm)
                                      : column.field == Field::Supports
                                          ? ReadChoice(text, title, layout.titles, c.input.supports)
                                          : ReadChoice(text, title, layout.titles, c.input.region);
                if (!problem.empty()) return problem;
                // A type without the choice may name the historical norm.
                if (!info.HasNormOption() && c.input.norm == NormSet::Historical) c.input.norm.reset();
                break;
            }
            case Field::Slot:
            case Field::Diameter: {
                // An empty cell of a field the type shows is no number at
                // all: never a default in its place. Blanks alone are typed
                // as they are (the channel's blank diameter item).
                const int slot = column.field == Field::Slot ? column.slot : info.diameterSlot;
                if (!IsSlotVisible(c.input.type, slot)) {
                    if (TrimBlanks(cell).empty()) break;
                    return russian ? "вид расчета " + std::to_string(c.input.type) + " не имеет поля «" +
                                         ColumnTitle(column, layout.titles) + "»"
                                   : "type " + std::to_string(c.input.type) + " has no field '" +
                                         ColumnTitle(column, layout.titles) + "'";
                }
                if (cell.empty()) return ColumnTitle(column, layout.titles) + (russian ? ": пусто" : ": empty");
                if (TrimBlanks(cell).empty()) {
                    c.values.emplace_back(slot, ReadTyped(slot, cell));
                    break;
                }
                // Read whole: "-25 град" or "12 m" must not count as a number.
                const std::optional<double> number = ReadSpreadsheetNumber(cell, layout.commaGroups);
                if (!number)
                    return ColumnTitle(column, layout.titles) + ": " + Quoted(cell, layout.titles) +
                           (russian ? " не число" : " is not a number") + CommaHint(layout, cell);
                c.values.emplace_back(slot, HeldFromTyped(slot, *number));
                break;
            }
            case Field::Length:
                if (TrimBlanks(cell).empty()) break;
                // The whole cell: "12 m" must not be read as 12.
                c.lengthM = ReadSpreadsheetNumber(cell, layout.commaGroups);
                if (!c.lengthM || *c.lengthM < 0.0)
                    return (russian ? ColumnTitle(column, layout.titles) + ": " + Quoted(cell, layout.titles) +
                                          " не длина в метрах"
                                    : "the length must be a number of metres, not " + Quoted(cell, layout.titles)) +
                           CommaHint(layout, cell);
                break;
        }
        if (!option) continue;
        const Flag flag = ReadFlag(TrimSpaces(cell));
        if (flag == Flag::Unreadable)
            return std::string(TitleOf(OptionColumn(column.field), layout.titles)) +
                   (russian ? ": 1 или 0 (да/нет, истина/ложь), не " : " must be 1 or 0 (yes/no, true/false), not ") +
                   Quoted(cell, layout.titles);
        // A cell for an option the type lacks may stay empty or say no.
        if (flag == Flag::Yes || (flag == Flag::No && hasOption)) *option = flag == Flag::Yes;
    }
    return CheckCase(c.input);
}

CalcInput TableCase::Input() const {
    CalcInput in = InputOf(input);
    for (const auto& [slot, value] : values) in.values[static_cast<std::size_t>(slot)] = value;
    return in;
}

bool IsTotalsRow(const TableLayout& layout, const std::vector<std::string>& row) {
    const auto cell = [&](std::size_t i) { return i < row.size() ? TrimSpaces(row[i]) : std::string_view(); };
    // The caption stands in the section column, or in the first one (which
    // may be the type's).
    const std::size_t captionAt = layout.inputs[layout.sectionColumn.value_or(0)];
    if (cell(captionAt) != TotalsCaption(Titles::Russian) && cell(captionAt) != TotalsCaption(Titles::English))
        return false;
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        if (i != captionAt && layout.columns[i].field == Field::Type && !cell(i).empty()) return false;
    return true;
}

std::string InitialTextsNote(const TableLayout& layout, const std::array<bool, kTypeCount>& computed) {
    std::set<int> given;
    for (const TableLayout::Column& column : layout.columns)
        for (const int slot : ClaimsOf(column)) given.insert(slot);
    std::string note;
    for (const SlotDesign& design : ShownSlotDesigns) {
        if (design.showsResult || given.count(design.slot)) continue;
        std::string used;
        for (int type = 1; type < kTypeCount; ++type)
            if (computed[static_cast<std::size_t>(type)] && IsSlotVisible(type, design.slot))
                used += (used.empty() ? "" : ", ") + std::to_string(type);
        if (used.empty()) continue;
        const bool diameter = design.slot == kSlotDiameter || design.slot == kSlotPipeDiameters;
        const TableLayout::Column column{diameter ? Field::Diameter : Field::Slot, design.slot};
        note += (note.empty() ? "" : "; ") + ColumnTitle(column, layout.titles) + " = " +
                std::string(design.designText) + " (type" + (used.find(',') != std::string::npos ? "s " : " ") + used +
                ")";
    }
    return note.empty() ? note : "no column for " + note + ": the initial texts were used";
}

constexpr std::string_view kQuantitiesOverflow = "Объем и площадь изоляции не вычислены: проверьте длину участка";
constexpr std::string_view kSumOverflow = "Сумма не вычислена: проверьте длины участков";

void ResultCells(const TableLayout& layout, const CaseResult& result, const std::optional<double>& lengthM,
                 std::vector<ResultCell>& cells) {
    // Results only from results: a refusal fills no result cell, "no
    // insulation needed" only the thickness 0, and a thickness nobody would
    // lay gets no quantities.
    const Answer answer = result.whole.answer;
    const bool plausible = !ImplausibleThickness(result.whole, result.thicknessMm);
    // A length so long that a quantity overflows gets no quantities either.
    std::optional<InsulationQuantities> quantities;
    bool overflow = false;
    if (lengthM && answer == Answer::Thickness && plausible)
        if (const auto q = QuantitiesOf(result, *lengthM)) {
            overflow = !std::isfinite(q->volumeM3) || !std::isfinite(q->coverM2);
            if (!overflow) quantities = q;
        }
    cells.resize(layout.results.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const ResultColumn* column = layout.results[i];
        ResultCell& cell = cells[i];
        cell.number.reset();
        cell.text.clear();
        if (column == &kMessages) {
            cell.text = OneLine(MessagesLine(result));
            if (overflow) cell.text += (cell.text.empty() ? "" : " ") + std::string(kQuantitiesOverflow);
        }
        if (answer == Answer::Refused || (answer == Answer::NoInsulation && column != &kThickness)) continue;
        if (column == &kThickness) cell.number = result.thicknessMm;
        for (const auto& [slotColumn, slot] : kSlotResults)
            if (column == slotColumn) cell.number = result.SlotValue(slot);
        for (const auto& [wholeColumn, kind] : kWholeResults)
            if (column == wholeColumn) cell.number = ValueOf(result.whole, kind);
        if (column == &kVolume && quantities) cell.number = quantities->volumeM3;
        if (column == &kCover && quantities) cell.number = quantities->coverM2;
    }
}

void TotalCells(const TableLayout& layout, const std::vector<double>& sums, std::vector<ResultCell>& cells) {
    cells.assign(layout.results.size(), {});
    bool overflow = false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!layout.results[i]->summed) continue;
        if (std::isfinite(sums[i]))
            cells[i].number = sums[i];
        else
            overflow = true;
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (layout.results[i] == &kMessages && overflow) cells[i].text = kSumOverflow;
}

void ErrorCells(const TableLayout& layout, const std::string& error, std::vector<ResultCell>& cells) {
    cells.assign(layout.results.size(), {});
    cells.back().text = error;  // the error column closes the row
}

}  // namespace kaldora::cli
