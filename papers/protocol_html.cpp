#include "papers/protocol_html.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "engine/current_norm.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_trace.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/text_fold.h"
#include "model/type_layout.h"

namespace kaldora {

namespace {

using Cells = std::vector<std::string>;

// The texts as characters and back: the program's own and the user's
// identity fields, read as they are.
std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) out += NextCharacter(text, i);
    return out;
}

std::string Encode(std::u32string_view text) {
    std::string out;
    for (const char32_t c : text) AppendUtf8(out, c);
    return out;
}

// Letters of the scripts the texts use: Latin, Greek, Cyrillic.
bool IsLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xAA || c == 0xB5 || c == 0xBA ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) ||
           (c >= 0x370 && c <= 0x3FF && c != 0x375 && c != 0x37E && c != 0x384 && c != 0x385 && c != 0x387) ||
           (c >= 0x400 && c <= 0x52F && !(c >= 0x482 && c <= 0x489));
}

// A word's character as the protocol's patterns have always read it: ASCII
// letters, digits and "_" only.
bool IsWordCharacter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsBlank(char32_t c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u32string TrimmedCodePoints(std::u32string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::u32string(text.substr(first, last - first));
}

std::string Trimmed(std::string_view text) { return Encode(TrimmedCodePoints(Decode(text))); }

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(from, at);
        out.append(text.substr(at, found - at));
        if (found == std::string_view::npos) return out;
        out.append(to);
        at = found + from.size();
    }
}

std::string Html(std::string_view text) {
    std::string out;
    for (const char c : text) switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    return out;
}

// Six significant digits at most, a decimal comma, no trailing zeros: enough
// to recompute every step by hand.
std::string Number(double value, int significant = 6) { return TraceNumber(value, significant); }

// A number of a narrow table column: small magnitudes as a power of ten, so
// that no number needs more than a few characters.
std::string ShortNumber(double value, int significant) {
    if (!std::isfinite(value) || value == 0.0 || std::fabs(value) >= 1e-3) return Number(value, significant);
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return Number(value / std::pow(10.0, exponent), significant) + "·10<sup>−" + std::to_string(-exponent) + "</sup>";
}

// Quantities as a formula sets them: the letter in italics, what follows an
// underscore as a subscript ("t_m", "R_из", "λ₁"). A letter counts where no
// letter, "_", ">" or "°" stands before it and no word character or "<"
// after what it takes along; it takes along as much as leaves it so.
std::string Notation(std::string_view html) {
    const std::u32string text = Decode(html);
    const auto symbol = [](char32_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0x3B1 && c <= 0x3C9) || c == 0x394;
    };
    const auto subscript = [](char32_t c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               (c >= 0x410 && c <= 0x44F) || c == 0x451 || (c >= 0x3B1 && c <= 0x3C9);
    };
    const auto digit = [](char32_t c) { return c >= 0x2080 && c <= 0x2089; };
    const auto ends = [&](std::size_t at) {
        return at == text.size() || !(IsWordCharacter(text[at]) || text[at] == '<');
    };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = text[i];
        const bool free =
            i == 0 || !(IsLetter(text[i - 1]) || text[i - 1] == '_' || text[i - 1] == '>' || text[i - 1] == 0xB0);
        // Where the symbol's subscript and its subscript digits end: the
        // longest subscript first, then shorter ones, then none; for each the
        // most digits first.
        std::optional<std::pair<std::size_t, std::size_t>> taken;
        if (symbol(c) && free) {
            std::vector<std::size_t> subEnds;
            if (i + 2 < text.size() && text[i + 1] == '_' && subscript(text[i + 2])) {
                std::size_t longest = i + 2;
                while (longest < text.size() && subscript(text[longest])) ++longest;
                for (std::size_t end = longest; end > i + 2; --end) subEnds.push_back(end);
            }
            subEnds.push_back(i + 1);
            for (const std::size_t subEnd : subEnds) {
                std::size_t digitsEnd = subEnd;
                while (digitsEnd < text.size() && digit(text[digitsEnd])) ++digitsEnd;
                for (std::size_t end = digitsEnd + 1; !taken && end-- > subEnd;)
                    if (ends(end)) taken = std::pair{subEnd, end};
                if (taken) break;
            }
        }
        if (!taken) {
            AppendUtf8(out, c);
            ++i;
            continue;
        }
        const auto [subEnd, digitsEnd] = *taken;
        out += "<i>";
        AppendUtf8(out, c);
        out += "</i>";
        if (subEnd > i + 1) out += "<sub>" + Encode(std::u32string_view(text).substr(i + 2, subEnd - i - 2)) + "</sub>";
        out += Encode(std::u32string_view(text).substr(subEnd, digitsEnd - subEnd));
        i = digitsEnd;
    }
    return out;
}

// Escaped, then in formula notation.
std::string Formula(std::string_view text) { return Notation(Html(text)); }

std::string Cell(const std::string& text, bool header = false, bool small = false) {
    // Small cells hold numbers of narrow columns: they never break.
    const std::string open = small ? " style=\"white-space:nowrap\"><span style=\"font-size:7pt\">" : ">";
    const std::string close = small ? "</span>" : "";
    return (header ? "<th" : "<td") + open + text + close + (header ? "</th>" : "</td>");
}

// A row of cells; small ones for wide tables (the text document takes a
// font size on the text, not on the table).
std::string Row(const Cells& cells, bool header = false, bool small = false) {
    std::string row = "<tr>";
    for (const std::string& c : cells) row += Cell(c, header, small);
    return row + "</tr>";
}

std::string Table(const std::string& rows) {
    return "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">" + rows + "</table>";
}

std::string Heading(std::string_view text) { return "<h3>" + std::string(text) + "</h3>"; }

// "Температура воздуха" out of " Температура воздуха (0С) =".
std::string InputName(const SlotDesign& design) {
    std::string name = Trimmed(design.caption);
    if (!name.empty() && name.back() == '=') name.pop_back();
    if (const std::size_t bracket = name.rfind('('); bracket != std::string::npos && bracket > 0) name.resize(bracket);
    return Trimmed(name);
}

// Where an input comes from, for a reviewer: the task, or an empty field;
// under the current norm outdoors, which air temperature its fluxes assume.
std::string InputBasis(const CalcTrace& trace, const TraceInput& in) {
    if (!HasNumberPrefix(SwapFirstComma(in.typed))) return "поле без числа: прочитано как 0";
    std::string basis = "по заданию";
    const bool outdoors = std::any_of(trace.options.begin(), trace.options.end(),
                                      [](const auto& option) { return option.second == "на открытом воздухе"; });
    if (in.slot == kSlotAirTemp && trace.norm && outdoors)
        basis += "; по " + Html(trace.norm->document) +
                 " — среднегодовая температура наружного воздуха (для трубопроводов, работающих в "
                 "отопительный период, — средняя за период работы)";
    return basis;
}

std::string InputsSection(const CalcTrace& trace) {
    std::string rows = Row({"Величина", "Введено", "Принято в расчете", "Основание"}, true);
    for (const TraceInput& in : trace.inputs) {
        const SlotDesign* design = FindSlotDesign(in.slot);
        if (!design || design->showsResult) continue;  // read, then overwritten by the result
        const bool metres = HeldInMetres(in.slot);
        rows += Row({InputName(*design), Html(in.typed) + " " + std::string(design->unit),
                     Number(in.value) + " " + (metres ? std::string("м") : std::string(design->unit)),
                     InputBasis(trace, in)});
    }
    return Heading("Исходные данные") + Table(rows);
}

std::string OptionsSection(const CalcTrace& trace) {
    if (trace.options.empty()) return {};
    std::string rows;
    for (const auto& [name, value] : trace.options) rows += Row({Html(name), Html(value)});
    return Heading("Условия") + Table(rows);
}

// The documents the figures come from, for a reviewer first of all.
std::string BasisSection(const CalcTrace& trace) {
    std::string items;
    if (trace.norm)
        items += "<li>" + Html(trace.norm->document) +
                 " «Тепловая изоляция оборудования и трубопроводов»: нормы плотности теплового "
                 "потока (таблицы 2–5), коэффициенты K (таблица В.1), K₁ (таблица 13), α (таблица "
                 "В.2); значения сверены по двум опубликованным копиям таблиц.</li>";
    items += "<li>Методика, постоянные и справочные таблицы программы Кальдора " KALDORA_VERSION
             ": источник каждой величины указан в таблице постоянных; где он программе не известен, это сказано.</li>";
    return Heading("Нормативная база") + "<ul>" + items + "</ul>";
}

std::string MethodSection(const CalcTypeInfo& info) {
    return Heading("Методика") + "<p>" + ReplaceAll(Formula(info.method), "\n", "<br>") + "</p><p>" + "Уравнение " +
           Formula("ln x = a − b/x") + " решается итерациями " + Formula("x") + "<sub>k+1</sub> = (" + Formula("x") +
           "<sub>k</sub> + e<sup>" + Formula("a − b/x") + "<sub>k</sub></sup>) / 2 от " + Formula("x₀") + " = 3" +
           Formula("D") + ", пока изменение больше " + Formula("Δx") + ", но не более " + Formula("n_max") +
           " раз; где итерации не достигли точности, корень находится делением отрезка пополам на "
           "участке " +
           Formula("x > b") + ". Число π принято равным " + SwapFirstPoint(FormatFixed(kPi, 1, 11)) + ".</p>";
}

// Every constant the calculation used, with its value and where it comes
// from, from the same list the engine computes with.
std::string ConstantsSection(const CalcTrace& trace) {
    // The header repeats on every page the table reaches.
    std::string rows = "<thead>" + Row({"Величина", "Значение", "Источник"}, true) + "</thead>";
    for (const MethodConstant* c : ConstantsOf(trace.type, trace.norm.has_value()))
        rows += Row({Formula(c->symbol) + " — " + Formula(c->meaning),
                     Number(c->value) + (c->unit.empty() ? std::string() : " " + Html(c->unit)), Html(c->source)});
    return Heading("Постоянные расчета и их источники") + Table(rows);
}

// Where the normed flux of the current norm comes from, part by part, so that
// an inspector can check each against the norm's text.
std::string NormSection(const CalcTrace& trace) {
    if (!trace.norm || trace.lookups.empty()) return {};
    const TraceNorm& n = *trace.norm;
    const TraceLookup& l = trace.lookups.back();
    const auto dn = [&](std::size_t r) {
        return "Dn " + Number(n.nominalBores[r]) + " (наружный диаметр " + Number(l.rowKeys[r] * 1000.0) + " мм)";
    };
    std::string rows = Row({"Величина", "Значение", "Источник"}, true);
    rows += Row({"q_табл", Number(n.qTable) + " Вт/м",
                 Html(n.document) + ", таблица " + std::to_string(n.table) + "; строки " + dn(0) + " и " + dn(1) +
                     "; столбцы " + Number(l.colKeys[0]) + " и " + Number(l.colKeys[1]) + " °C; ячейки " +
                     Number(l.cells[0][0]) + ", " + Number(l.cells[0][1]) + ", " + Number(l.cells[1][0]) + ", " +
                     Number(l.cells[1][1])});
    // Movable supports of a steel pipe: K by the outer diameter.
    std::string kCase;
    if (n.supports == TextOf(Supports::Movable).title)
        kCase = " (наружный диаметр " + Number(l.rowArg * 1000.0) +
                (n.k == SupportsCoefficient(Supports::Movable, 0.0) ? " мм < 159 мм)" : " мм ≥ 159 мм)");
    rows += Row({"K", Number(n.k), Html(n.document) + ", таблица В.1: " + Html(n.supports) + kCase});
    rows += Row({"K₁", Number(n.k1), Html(n.document) + ", таблица 13: " + Html(n.region)});
    rows += Row({"q = K₁·q_табл / K", "<b>" + Number(n.q) + "</b> Вт/м",
                 Number(n.k1) + " · " + Number(n.qTable) + " / " + Number(n.k)});
    rows += Row({"α", Number(n.alpha) + " Вт/(м²·°C)",
                 Html(n.document) + ", таблица В.2 (вместо α исторических норм в методике)"});
    std::string html = Heading("Нормы") + Table(rows);
    for (const std::string& note : n.marked)
        html +=
            "<p><b>Внимание:</b> в расчете использована ячейка нормы, значение которой вызывает "
            "сомнение (" +
            Html(note) + "); сверьте ее с текстом нормы.</p>";
    return html;
}

std::string ChecksSection(const CalcTrace& trace) {
    if (trace.checks.empty()) return {};
    std::string rows;
    for (const TraceCheck& c : trace.checks)
        rows += Row({Formula(c.condition), c.met ? "выполнено" : "<b>не выполнено</b>"});
    return Heading("Проверки") + Table(rows);
}

std::string LookupsSection(const CalcTrace& trace) {
    if (trace.lookups.empty()) return {};
    std::string html = Heading("Табличные значения");
    for (const TraceLookup& l : trace.lookups) {
        html += "<p>Таблица: " + Html(l.table) + " (источник: " + Html(l.source) + "); строка " + Number(l.rowArg) +
                ", столбец " + Number(l.colArg) + ".</p>";
        if (!l.inRange) {
            html += "<p>Точка вне таблицы.</p>";
            continue;
        }
        // A point on a key of the table prints that key once.
        const std::size_t firstRow = l.rowKeys[0] == l.rowKeys[1] ? 1 : 0;
        const std::size_t firstCol = l.colKeys[0] == l.colKeys[1] ? 1 : 0;
        Cells header{""};
        for (std::size_t c = firstCol; c < 2; ++c) header.push_back(Number(l.colKeys[c]));
        std::string rows = Row(header, true);
        for (std::size_t r = firstRow; r < 2; ++r) {
            Cells cells{"<b>" + Number(l.rowKeys[r]) + "</b>"};
            for (std::size_t c = firstCol; c < 2; ++c) cells.push_back(Number(l.cells[r][c]));
            rows += Row(cells);
        }
        html += Table(rows) + "<p>Линейная интерполяция: <b>" + Number(l.value) + "</b></p>";
    }
    return html;
}

std::string ValueRow(const TraceValue& v) {
    // A residual near 0 as a power of ten, not as a 0 that hides it.
    return Row({Formula(v.symbol), Formula(v.meaning), ShortNumber(v.value, 6) + " " + Html(v.unit)});
}

std::string ValuesSection(const CalcTrace& trace) {
    if (trace.values.empty()) return {};
    std::string rows;
    for (const TraceValue& v : trace.values) rows += ValueRow(v);
    return Heading("Промежуточные величины") + Table(rows);
}

// The solver's runs outside passes, with a word where one stopped at its
// iteration limit.
std::string SolvesSection(const CalcTrace& trace) {
    std::string html;
    for (const TraceSolve& s : trace.solves) {
        html += "<p>Решение " + Formula("ln x = a − b/x") + ": от " + Formula("x₀") + " = 3" + Formula("D") + " = " +
                Number(s.start) + " м за " + std::to_string(s.iterations) + " итераций " + Formula("x") + " = <b>" +
                Number(s.x) + " м</b>.";
        if (s.bracketed)
            html +=
                " <b>Точность не достигнута: итерации остановлены на пределе; корень уравнения "
                "найден делением отрезка пополам.</b>";
        else if (!s.settled)
            html += " <b>Точность не достигнута: итерации остановлены на пределе.</b>";
        html += " Невязка " + Formula("ln x − a + b/x") + " = " + Number(s.residual) + ".";
        html += "</p>";
    }
    return html.empty() ? html : Heading("Решение уравнения") + html;
}

// The passes of an outer loop: one row a pass, one column a quantity, the
// solver's iterations of each pass last; the header row repeats on every
// page.
constexpr int kPassDigits = 5;
std::string PassesSection(const CalcTrace& trace) {
    if (trace.passes.empty()) return SolvesSection(trace);
    const std::vector<TraceValue>& first = trace.passes.front().values;
    const bool withSolves = trace.solves.size() == trace.passes.size();
    Cells header{"№"};
    std::string legend;
    for (const TraceValue& v : first) {
        header.push_back(Formula(v.symbol));
        legend += (legend.empty() ? std::string() : "; ") + Formula(v.symbol) + " — " + Formula(v.meaning) +
                  (v.unit.empty() ? std::string() : ", " + Html(v.unit));
    }
    if (withSolves) {
        header.push_back(Formula("n"));
        legend += "; " + Formula("n") + " — итераций решения " + Formula("ln x = a − b/x") + " от " + Formula("x₀") +
                  " = 3" + Formula("D") + " (* — точность не достигнута, корень найден делением отрезка пополам)";
    }
    std::string rows = "<thead>" + Row(header, true, true) + "</thead>";
    for (std::size_t p = 0; p < trace.passes.size(); ++p) {
        Cells cells{std::to_string(trace.passes[p].number)};
        for (std::size_t i = 0; i < first.size(); ++i)
            cells.push_back(i < trace.passes[p].values.size()
                                ? ShortNumber(trace.passes[p].values[i].value, kPassDigits)
                                : std::string());
        if (withSolves)
            cells.push_back(std::to_string(trace.solves[p].iterations) + (trace.solves[p].settled ? "" : "*"));
        rows += Row(cells, false, true);
    }
    std::string html = Heading("Проходы") + Table(rows) + "<p style=\"font-size:8pt\">" + legend + "</p>";
    if (!trace.passesSettled)
        html += "<p><b>Проходы остановлены после " + std::to_string(trace.passes.size()) + "-го (предел " +
                Number(method::MaxPasses.value) + " или уравнение без решения), не достигнув заданной точности" +
                (trace.passesBracketed ? "; температура воздуха в канале найдена как корень теплового баланса "
                                         "канала делением отрезка пополам (ниже, с невязкой).</b></p>"
                                       : ".</b></p>");
    return html;
}

// The window's texts as they stand, but for a protocol's notation: decimal
// commas, a space before a unit ("0,018 м", "20 °C").
std::string ProtocolNotation(std::string_view message) {
    const std::u32string text = Decode(ReplaceAll(Html(message), "\n", " "));
    const auto digit = [](char32_t c) { return c >= '0' && c <= '9'; };
    std::u32string commas;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (digit(text[i]) && i + 2 < text.size() && text[i + 1] == '.' && digit(text[i + 2])) {
            commas += {text[i], U',', text[i + 2]};
            i += 2;
        } else {
            commas += text[i];
        }
    }
    // A digit right before a unit at a word's boundary: after "C" where no
    // word character follows; after "м", which no pattern counts as a word's,
    // only where one does (so "0,018м" keeps its unit unspaced).
    const auto spaced = [&](const std::u32string& in, char32_t unit, std::u32string_view with) {
        const bool unitInWord = IsWordCharacter(unit);
        std::u32string out;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const bool wordAfter = i + 2 < in.size() && IsWordCharacter(in[i + 2]);
            if (digit(in[i]) && i + 1 < in.size() && in[i + 1] == unit && wordAfter != unitInWord) {
                out += in[i];
                out += with;
                ++i;
            } else {
                out += in[i];
            }
        }
        return out;
    };
    return Encode(spaced(spaced(commas, U'м', U" м"), U'C', U" °C"));
}

std::string MessagesSection(const CalcTrace& trace) {
    if (trace.messages.empty()) return {};
    std::string html = Heading("Сообщения") + "<ul>";
    for (const std::string& m : trace.messages) html += "<li>" + ProtocolNotation(m) + "</li>";
    return html + "</ul>";
}

// Type 1 finds the thickness at which the flux equals the norm; the flux of
// the final balance differs from it by what the solver and the passes leave.
std::string NormDifference(const CalcTrace& trace) {
    const auto find = [](const std::vector<TraceValue>& values, std::string_view symbol) -> const TraceValue* {
        for (const TraceValue& v : values)
            if (v.symbol == symbol) return &v;
        return nullptr;
    };
    const TraceValue* norm = find(trace.values, "q");
    const TraceValue* flux = find(trace.results, "q");
    if (!norm || !flux || norm->value == flux->value) return {};
    return "<p>" + Formula("q") + " отличается от нормы " + Number(norm->value) + " Вт/м на " +
           Number(flux->value - norm->value, 3) + " Вт/м (" +
           Number((flux->value - norm->value) / norm->value * 100.0, 2) + " %): уравнение решается с точностью " +
           Formula("Δx") + " = " + Number(method::SolverStop.value) + " м, а " + Formula("λ") + " взята при оценке " +
           Formula("t_s") + " последнего прохода, которая сходится с точностью " + Formula("Δt") + " = " +
           Number(method::NormSettled.value) + " °C.</p>";
}

std::string ResultsSection(const CalcTrace& trace) {
    std::string html = Heading("Результаты");
    if (trace.refused) {
        // A refusal has no thickness: say so and why, never a 0 that reads like a result.
        const std::string why =
            trace.messages.empty() ? std::string() : ReplaceAll(Html(trace.messages.back()), "\n", " ");
        return html + "<p><b>Расчет не выполнен.</b> " + why + "</p>";
    }
    std::string rows;
    for (const TraceValue& v : trace.results) rows += ValueRow(v);
    html += Table(rows) + NormDifference(trace);
    Convergence convergence;
    convergence.passes = trace.passesSettled;
    convergence.passesBracketed = trace.passesBracketed;
    for (const TraceSolve& s : trace.solves) {
        convergence.solver = convergence.solver && s.settled;
        convergence.solverBracketed = convergence.solverBracketed || s.bracketed;
    }
    for (const std::string& text : UnsettledTexts(convergence))
        html += "<p><b>Внимание:</b> " + Formula(text) + ".</p>";
    for (const TraceValue& v : trace.results)
        if (v.symbol == "δ")
            if (const auto warning = ImplausibleThickness(WholeResult{}, v.value))
                html += "<p><b>Внимание:</b> " + Html(*warning) + ".</p>";
    return html;
}

// Object, section, executor and checker with signature lines; an empty one
// keeps its line, to be filled by hand.
std::string IdentityBlock(const ProtocolFields& identity, std::string_view calculated) {
    const auto row = [](std::string_view caption, std::string_view value, bool signature) {
        return Row({std::string(caption), ReplaceAll(Html(value), "\n", "<br>"),
                    signature ? "подпись ______________ дата __________" : ""});
    };
    // The organisation, project and document only where given.
    const auto caption = [](int field) { return kProtocolFieldCaptions[field]; };
    std::string optional;
    if (!identity.organisation.empty()) optional += row(caption(4), identity.organisation, false);
    if (!identity.project.empty()) optional += row(caption(5), identity.project, false);
    if (!identity.document.empty()) optional += row(caption(6), identity.document, false);
    return Table(optional + row(caption(0), identity.object, false) + row(caption(1), identity.section, false) +
                 row(caption(2), identity.executor, true) + row(caption(3), identity.checker, true) +
                 row("Дата расчета", calculated, false));
}

}  // namespace

std::string Simplified(std::string_view text) {
    std::u32string out;
    for (const char32_t c : TrimmedCodePoints(Decode(text))) {
        if (!IsBlank(c)) {
            out += c;
        } else if (out.back() != U' ') {
            out += U' ';
        }
    }
    return Encode(out);
}

std::string ProtocolHtml(const CalcTrace& trace, std::string_view calculated, const ProtocolFields& identity) {
    const CalcTypeInfo& info = TypeInfo(trace.type);
    std::string html =
        "<html><body style=\"font-family:'Liberation Sans'; font-size:9.5pt\">"
        "<h2>Протокол расчета тепловой изоляции</h2>";
    html += "<p>Кальдора " KALDORA_VERSION "</p>";
    html += "<p><b>" + Simplified(ReplaceAll(Html(info.heading), "\n", "")) + "</b></p>";
    html += IdentityBlock(identity, calculated);
    html += BasisSection(trace) + InputsSection(trace) + OptionsSection(trace) + MethodSection(info) +
            ConstantsSection(trace) + NormSection(trace) + ChecksSection(trace) + LookupsSection(trace) +
            ValuesSection(trace) + PassesSection(trace) + MessagesSection(trace) + ResultsSection(trace);
    return html + "</body></html>";
}

std::string ProtocolRunningHeader(int type, std::string_view object) {
    std::string header = "Кальдора " KALDORA_VERSION " · " + Simplified(TypeInfo(type).heading);
    if (!object.empty()) header += " · " + std::string(object);
    return Simplified(header);
}

std::string ProtocolTitle(std::string_view object) {
    std::string title = "Протокол расчета тепловой изоляции";
    if (!object.empty()) title += ": " + std::string(object);
    return Simplified(title);
}

}  // namespace kaldora
