#include "report/protocol.h"

#include <QAbstractTextDocumentLayout>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "assets/fonts.h"
#include "engine/current_norm.h"
#include "engine/kernels.h"
#include "engine/method_constants.h"
#include "model/calc_trace.h"
#include "model/calc_types.h"
#include "model/number_text.h"
#include "model/type_layout.h"
#include "report/qt_text.h"

namespace kaldora {

namespace {

QString Html(std::string_view text) { return Q(text).toHtmlEscaped(); }

// Six significant digits at most, a decimal comma, no trailing zeros: enough
// to recompute every step by hand.
QString Number(double value, int significant = 6) { return Q(TraceNumber(value, significant)); }

// A number of a narrow table column: small magnitudes as a power of ten, so
// that no number needs more than a few characters.
QString ShortNumber(double value, int significant) {
    if (!std::isfinite(value) || value == 0.0 || std::fabs(value) >= 1e-3) return Number(value, significant);
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return Number(value / std::pow(10.0, exponent), significant) + QStringLiteral("·10<sup>−") +
           QString::number(-exponent) + QStringLiteral("</sup>");
}

// Quantities as a formula sets them: the letter in italics, what follows an
// underscore as a subscript ("t_m", "R_из", "λ₁").
QString Notation(QString text) {
    static const QRegularExpression symbol(
        QStringLiteral("(?<![\\p{L}_>°])([A-Za-zα-ωΔδελ])(?:_([0-9A-Za-zА-Яа-яёα-ω]+))?([₀-₉]*)(?![\\w<])"));
    QString out;
    qsizetype at = 0;
    for (auto it = symbol.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        out += QStringLiteral("<i>") + m.captured(1) + QStringLiteral("</i>");
        if (m.capturedLength(2) > 0) out += QStringLiteral("<sub>") + m.captured(2) + QStringLiteral("</sub>");
        out += m.captured(3);
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}

// Escaped, then in formula notation.
QString Formula(std::string_view text) { return Notation(Html(text)); }

QString Cell(const QString& text, bool header = false, bool small = false) {
    // Small cells hold numbers of narrow columns: they never break.
    const QString open =
        small ? QStringLiteral(" style=\"white-space:nowrap\"><span style=\"font-size:7pt\">") : QStringLiteral(">");
    const QString close = small ? QStringLiteral("</span>") : QString();
    return header ? QStringLiteral("<th") + open + text + close + QStringLiteral("</th>")
                  : QStringLiteral("<td") + open + text + close + QStringLiteral("</td>");
}

// A row of cells; small ones for wide tables (the text document takes a
// font size on the text, not on the table).
QString Row(const QStringList& cells, bool header = false, bool small = false) {
    QString row = QStringLiteral("<tr>");
    for (const QString& c : cells) row += Cell(c, header, small);
    return row + QStringLiteral("</tr>");
}

QString Table(const QString& rows) {
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">") + rows +
           QStringLiteral("</table>");
}

QString Heading(const char* text) { return QStringLiteral("<h3>") + QString::fromUtf8(text) + QStringLiteral("</h3>"); }

// "Температура воздуха" out of " Температура воздуха (0С) =".
QString InputName(const SlotDesign& design) {
    QString name = Q(design.caption).trimmed();
    if (name.endsWith(QLatin1Char('='))) name.chop(1);
    const qsizetype bracket = name.lastIndexOf(QLatin1Char('('));
    if (bracket > 0) name.truncate(bracket);
    return name.trimmed();
}

// Where an input comes from, for a reviewer: the task, or an empty field;
// under the current norm outdoors, which air temperature its fluxes assume.
QString InputBasis(const CalcTrace& trace, const TraceInput& in) {
    if (!HasNumberPrefix(SwapFirstComma(in.typed))) return QStringLiteral("поле без числа: прочитано как 0");
    QString basis = QStringLiteral("по заданию");
    const bool outdoors = std::any_of(trace.options.begin(), trace.options.end(),
                                      [](const auto& option) { return option.second == "на открытом воздухе"; });
    if (in.slot == kSlotAirTemp && trace.norm && outdoors)
        basis += QStringLiteral("; по ") + Html(trace.norm->document) +
                 QStringLiteral(
                     " — среднегодовая температура наружного воздуха (для трубопроводов, работающих в "
                     "отопительный период, — средняя за период работы)");
    return basis;
}

QString InputsSection(const CalcTrace& trace) {
    QString rows = Row({QStringLiteral("Величина"), QStringLiteral("Введено"), QStringLiteral("Принято в расчете"),
                        QStringLiteral("Основание")},
                       true);
    for (const TraceInput& in : trace.inputs) {
        const SlotDesign* design = FindSlotDesign(in.slot);
        if (!design || design->showsResult) continue;  // read, then overwritten by the result
        const bool metres = HeldInMetres(in.slot);
        rows += Row({InputName(*design), Html(in.typed) + QStringLiteral(" ") + Q(design->unit),
                     Number(in.value) + QStringLiteral(" ") + (metres ? QStringLiteral("м") : Q(design->unit)),
                     InputBasis(trace, in)});
    }
    return Heading("Исходные данные") + Table(rows);
}

QString OptionsSection(const CalcTrace& trace) {
    if (trace.options.empty()) return {};
    QString rows;
    for (const auto& [name, value] : trace.options) rows += Row({Html(name), Html(value)});
    return Heading("Условия") + Table(rows);
}

// The documents the figures come from, for a reviewer first of all.
QString BasisSection(const CalcTrace& trace) {
    QString items;
    if (trace.norm)
        items += QStringLiteral("<li>") + Html(trace.norm->document) +
                 QStringLiteral(
                     " «Тепловая изоляция оборудования и трубопроводов»: нормы плотности теплового "
                     "потока (таблицы 2–5), коэффициенты K (таблица В.1), K₁ (таблица 13), α (таблица "
                     "В.2); значения сверены по двум опубликованным копиям таблиц.</li>");
    items += QStringLiteral(
        "<li>Методика, постоянные и справочные таблицы программы Кальдора " KALDORA_VERSION
        ": источник каждой величины указан в таблице постоянных; где он программе не известен, это сказано.</li>");
    return Heading("Нормативная база") + QStringLiteral("<ul>") + items + QStringLiteral("</ul>");
}

QString MethodSection(const CalcTypeInfo& info) {
    return Heading("Методика") + QStringLiteral("<p>") +
           Formula(info.method).replace(QLatin1Char('\n'), QStringLiteral("<br>")) + QStringLiteral("</p><p>") +
           QStringLiteral("Уравнение ") + Formula("ln x = a − b/x") + QStringLiteral(" решается итерациями ") +
           Formula("x") + QStringLiteral("<sub>k+1</sub> = (") + Formula("x") +
           QStringLiteral("<sub>k</sub> + e<sup>") + Formula("a − b/x") +
           QStringLiteral("<sub>k</sub></sup>) / 2 от ") + Formula("x₀") + QStringLiteral(" = 3") + Formula("D") +
           QStringLiteral(", пока изменение больше ") + Formula("Δx") + QStringLiteral(", но не более ") +
           Formula("n_max") +
           QStringLiteral(
               " раз; где итерации не достигли точности, корень находится делением отрезка пополам на "
               "участке ") +
           Formula("x > b") + QStringLiteral(". Число π принято равным ") + Q(SwapFirstPoint(FormatFixed(kPi, 1, 11))) +
           QStringLiteral(".</p>");
}

// Every constant the calculation used, with its value and where it comes
// from, from the same list the engine computes with.
QString ConstantsSection(const CalcTrace& trace) {
    // The header repeats on every page the table reaches.
    QString rows = QStringLiteral("<thead>") +
                   Row({QStringLiteral("Величина"), QStringLiteral("Значение"), QStringLiteral("Источник")}, true) +
                   QStringLiteral("</thead>");
    for (const MethodConstant* c : ConstantsOf(trace.type, trace.norm.has_value()))
        rows += Row({Formula(c->symbol) + QStringLiteral(" — ") + Formula(c->meaning),
                     Number(c->value) + (c->unit.empty() ? QString() : QStringLiteral(" ") + Html(c->unit)),
                     Html(c->source)});
    return Heading("Постоянные расчета и их источники") + Table(rows);
}

// Where the normed flux of the current norm comes from, part by part, so that
// an inspector can check each against the norm's text.
QString NormSection(const CalcTrace& trace) {
    if (!trace.norm || trace.lookups.empty()) return {};
    const TraceNorm& n = *trace.norm;
    const TraceLookup& l = trace.lookups.back();
    const auto dn = [&](std::size_t r) {
        return QStringLiteral("Dn ") + Number(n.nominalBores[r]) + QStringLiteral(" (наружный диаметр ") +
               Number(l.rowKeys[r] * 1000.0) + QStringLiteral(" мм)");
    };
    QString rows = Row({QStringLiteral("Величина"), QStringLiteral("Значение"), QStringLiteral("Источник")}, true);
    rows +=
        Row({QStringLiteral("q_табл"), Number(n.qTable) + QStringLiteral(" Вт/м"),
             Html(n.document) + QStringLiteral(", таблица ") + QString::number(n.table) + QStringLiteral("; строки ") +
                 dn(0) + QStringLiteral(" и ") + dn(1) + QStringLiteral("; столбцы ") + Number(l.colKeys[0]) +
                 QStringLiteral(" и ") + Number(l.colKeys[1]) + QStringLiteral(" °C; ячейки ") + Number(l.cells[0][0]) +
                 QStringLiteral(", ") + Number(l.cells[0][1]) + QStringLiteral(", ") + Number(l.cells[1][0]) +
                 QStringLiteral(", ") + Number(l.cells[1][1])});
    // Movable supports of a steel pipe: K by the outer diameter.
    QString kCase;
    if (n.supports == TextOf(Supports::Movable).title)
        kCase = QStringLiteral(" (наружный диаметр ") + Number(l.rowArg * 1000.0) +
                (n.k == SupportsCoefficient(Supports::Movable, 0.0) ? QStringLiteral(" мм < 159 мм)")
                                                                    : QStringLiteral(" мм ≥ 159 мм)"));
    rows += Row({QStringLiteral("K"), Number(n.k),
                 Html(n.document) + QStringLiteral(", таблица В.1: ") + Html(n.supports) + kCase});
    rows +=
        Row({QStringLiteral("K₁"), Number(n.k1), Html(n.document) + QStringLiteral(", таблица 13: ") + Html(n.region)});
    rows += Row({QStringLiteral("q = K₁·q_табл / K"), QStringLiteral("<b>") + Number(n.q) + QStringLiteral("</b> Вт/м"),
                 Number(n.k1) + QStringLiteral(" · ") + Number(n.qTable) + QStringLiteral(" / ") + Number(n.k)});
    rows += Row({QStringLiteral("α"), Number(n.alpha) + QStringLiteral(" Вт/(м²·°C)"),
                 Html(n.document) + QStringLiteral(", таблица В.2 (вместо α исторических норм в методике)")});
    QString html = Heading("Нормы") + Table(rows);
    for (const std::string& note : n.marked)
        html += QStringLiteral(
                    "<p><b>Внимание:</b> в расчете использована ячейка нормы, значение которой вызывает "
                    "сомнение (") +
                Html(note) + QStringLiteral("); сверьте ее с текстом нормы.</p>");
    return html;
}

QString ChecksSection(const CalcTrace& trace) {
    if (trace.checks.empty()) return {};
    QString rows;
    for (const TraceCheck& c : trace.checks)
        rows +=
            Row({Formula(c.condition), c.met ? QStringLiteral("выполнено") : QStringLiteral("<b>не выполнено</b>")});
    return Heading("Проверки") + Table(rows);
}

QString LookupsSection(const CalcTrace& trace) {
    if (trace.lookups.empty()) return {};
    QString html = Heading("Табличные значения");
    for (const TraceLookup& l : trace.lookups) {
        html += QStringLiteral("<p>Таблица: ") + Html(l.table) + QStringLiteral(" (источник: ") + Html(l.source) +
                QStringLiteral("); строка ") + Number(l.rowArg) + QStringLiteral(", столбец ") + Number(l.colArg) +
                QStringLiteral(".</p>");
        if (!l.inRange) {
            html += QStringLiteral("<p>Точка вне таблицы.</p>");
            continue;
        }
        // A point on a key of the table prints that key once.
        const std::size_t firstRow = l.rowKeys[0] == l.rowKeys[1] ? 1 : 0;
        const std::size_t firstCol = l.colKeys[0] == l.colKeys[1] ? 1 : 0;
        QStringList header{QString()};
        for (std::size_t c = firstCol; c < 2; ++c) header << Number(l.colKeys[c]);
        QString rows = Row(header, true);
        for (std::size_t r = firstRow; r < 2; ++r) {
            QStringList cells{QStringLiteral("<b>") + Number(l.rowKeys[r]) + QStringLiteral("</b>")};
            for (std::size_t c = firstCol; c < 2; ++c) cells << Number(l.cells[r][c]);
            rows += Row(cells);
        }
        html += Table(rows) + QStringLiteral("<p>Линейная интерполяция: <b>") + Number(l.value) +
                QStringLiteral("</b></p>");
    }
    return html;
}

QString ValueRow(const TraceValue& v) {
    // A residual near 0 as a power of ten, not as a 0 that hides it.
    return Row({Formula(v.symbol), Formula(v.meaning), ShortNumber(v.value, 6) + QStringLiteral(" ") + Html(v.unit)});
}

QString ValuesSection(const CalcTrace& trace) {
    if (trace.values.empty()) return {};
    QString rows;
    for (const TraceValue& v : trace.values) rows += ValueRow(v);
    return Heading("Промежуточные величины") + Table(rows);
}

// The solver's runs outside passes, with a word where one stopped at its
// iteration limit.
QString SolvesSection(const CalcTrace& trace) {
    QString html;
    for (const TraceSolve& s : trace.solves) {
        html += QStringLiteral("<p>Решение ") + Formula("ln x = a − b/x") + QStringLiteral(": от ") + Formula("x₀") +
                QStringLiteral(" = 3") + Formula("D") + QStringLiteral(" = ") + Number(s.start) +
                QStringLiteral(" м за ") + QString::number(s.iterations) + QStringLiteral(" итераций ") + Formula("x") +
                QStringLiteral(" = <b>") + Number(s.x) + QStringLiteral(" м</b>.");
        if (s.bracketed)
            html += QStringLiteral(
                " <b>Точность не достигнута: итерации остановлены на пределе; корень уравнения "
                "найден делением отрезка пополам.</b>");
        else if (!s.settled)
            html += QStringLiteral(" <b>Точность не достигнута: итерации остановлены на пределе.</b>");
        html += QStringLiteral(" Невязка ") + Formula("ln x − a + b/x") + QStringLiteral(" = ") + Number(s.residual) +
                QStringLiteral(".");
        html += QStringLiteral("</p>");
    }
    return html.isEmpty() ? html : Heading("Решение уравнения") + html;
}

// The passes of an outer loop: one row a pass, one column a quantity, the
// solver's iterations of each pass last; the header row repeats on every
// page.
constexpr int kPassDigits = 5;
QString PassesSection(const CalcTrace& trace) {
    if (trace.passes.empty()) return SolvesSection(trace);
    const std::vector<TraceValue>& first = trace.passes.front().values;
    const bool withSolves = trace.solves.size() == trace.passes.size();
    QStringList header{QStringLiteral("№")};
    QString legend;
    for (const TraceValue& v : first) {
        header << Formula(v.symbol);
        legend += (legend.isEmpty() ? QString() : QStringLiteral("; ")) + Formula(v.symbol) + QStringLiteral(" — ") +
                  Formula(v.meaning) + (v.unit.empty() ? QString() : QStringLiteral(", ") + Html(v.unit));
    }
    if (withSolves) {
        header << Formula("n");
        legend += QStringLiteral("; ") + Formula("n") + QStringLiteral(" — итераций решения ") +
                  Formula("ln x = a − b/x") + QStringLiteral(" от ") + Formula("x₀") + QStringLiteral(" = 3") +
                  Formula("D") +
                  QStringLiteral(" (* — точность не достигнута, корень найден делением отрезка пополам)");
    }
    QString rows = QStringLiteral("<thead>") + Row(header, true, true) + QStringLiteral("</thead>");
    for (std::size_t p = 0; p < trace.passes.size(); ++p) {
        QStringList cells{QString::number(trace.passes[p].number)};
        for (std::size_t i = 0; i < first.size(); ++i)
            cells << (i < trace.passes[p].values.size() ? ShortNumber(trace.passes[p].values[i].value, kPassDigits)
                                                        : QString());
        if (withSolves)
            cells << QString::number(trace.solves[p].iterations) +
                         (trace.solves[p].settled ? QString() : QStringLiteral("*"));
        rows += Row(cells, false, true);
    }
    QString html = Heading("Проходы") + Table(rows) + QStringLiteral("<p style=\"font-size:8pt\">") + legend +
                   QStringLiteral("</p>");
    if (!trace.passesSettled)
        html += QStringLiteral("<p><b>Проходы остановлены после ") + QString::number(trace.passes.size()) +
                QStringLiteral("-го (предел ") + Number(method::MaxPasses.value) +
                QStringLiteral(" или уравнение без решения), не достигнув заданной точности") +
                (trace.passesBracketed
                     ? QStringLiteral("; температура воздуха в канале найдена как корень теплового баланса "
                                      "канала делением отрезка пополам (ниже, с невязкой).</b></p>")
                     : QStringLiteral(".</b></p>"));
    return html;
}

QString MessagesSection(const CalcTrace& trace) {
    if (trace.messages.empty()) return {};
    QString html = Heading("Сообщения") + QStringLiteral("<ul>");
    // The window's texts as they stand, but for a protocol's notation:
    // decimal commas, a space before a unit ("0,018 м", "20 °C").
    static const QRegularExpression point(QStringLiteral("(\\d)\\.(\\d)"));
    static const QRegularExpression metres(QStringLiteral("(\\d)м\\b"));
    static const QRegularExpression degrees(QStringLiteral("(\\d)C\\b"));
    for (const std::string& m : trace.messages) {
        QString text = Html(m).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(point, QStringLiteral("\\1,\\2"))
            .replace(metres, QStringLiteral("\\1 м"))
            .replace(degrees, QStringLiteral("\\1 °C"));
        html += QStringLiteral("<li>") + text + QStringLiteral("</li>");
    }
    return html + QStringLiteral("</ul>");
}

// Type 1 finds the thickness at which the flux equals the norm; the flux of
// the final balance differs from it by what the solver and the passes leave.
QString NormDifference(const CalcTrace& trace) {
    const auto find = [](const std::vector<TraceValue>& values, std::string_view symbol) -> const TraceValue* {
        for (const TraceValue& v : values)
            if (v.symbol == symbol) return &v;
        return nullptr;
    };
    const TraceValue* norm = find(trace.values, "q");
    const TraceValue* flux = find(trace.results, "q");
    if (!norm || !flux || norm->value == flux->value) return {};
    return QStringLiteral("<p>") + Formula("q") + QStringLiteral(" отличается от нормы ") + Number(norm->value) +
           QStringLiteral(" Вт/м на ") + Number(flux->value - norm->value, 3) + QStringLiteral(" Вт/м (") +
           Number((flux->value - norm->value) / norm->value * 100.0, 2) +
           QStringLiteral(" %): уравнение решается с точностью ") + Formula("Δx") + QStringLiteral(" = ") +
           Number(method::SolverStop.value) + QStringLiteral(" м, а ") + Formula("λ") +
           QStringLiteral(" взята при оценке ") + Formula("t_s") +
           QStringLiteral(" последнего прохода, которая сходится с точностью ") + Formula("Δt") +
           QStringLiteral(" = ") + Number(method::NormSettled.value) + QStringLiteral(" °C.</p>");
}

QString ResultsSection(const CalcTrace& trace) {
    QString html = Heading("Результаты");
    if (trace.refused) {
        // A refusal has no thickness: say so and why, never a 0 that reads like a result.
        QString why = trace.messages.empty() ? QString()
                                             : Html(trace.messages.back()).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return html + QStringLiteral("<p><b>Расчет не выполнен.</b> ") + why + QStringLiteral("</p>");
    }
    QString rows;
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
        html += QStringLiteral("<p><b>Внимание:</b> ") + Formula(text) + QStringLiteral(".</p>");
    for (const TraceValue& v : trace.results)
        if (v.symbol == "δ")
            if (const auto warning = ImplausibleThickness(WholeResult{}, v.value))
                html += QStringLiteral("<p><b>Внимание:</b> ") + Html(*warning) + QStringLiteral(".</p>");
    return html;
}

// Object, section, executor and checker with signature lines; an empty one
// keeps its line, to be filled by hand.
QString IdentityBlock(const ProtocolIdentity& identity, const QDate& calculated) {
    const auto row = [](const char* caption, const QString& value, bool signature) {
        return Row({QString::fromUtf8(caption),
                    value.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                    signature ? QStringLiteral("подпись ______________ дата __________") : QString()});
    };
    // The organisation, project and document only where given.
    QString optional;
    if (!identity.organisation.isEmpty()) optional += row("Организация", identity.organisation, false);
    if (!identity.project.isEmpty()) optional += row("Шифр проекта", identity.project, false);
    if (!identity.document.isEmpty()) optional += row("Номер документа", identity.document, false);
    return Table(optional + row("Объект", identity.object, false) + row("Участок", identity.section, false) +
                 row("Выполнил", identity.executor, true) + row("Проверил", identity.checker, true) +
                 row("Дата расчета", calculated.toString(QStringLiteral("dd.MM.yyyy")), false));
}

QString ProtocolHtml(const CalcTrace& trace, const QDate& calculated, const ProtocolIdentity& identity) {
    const CalcTypeInfo& info = TypeInfo(trace.type);
    QString html = QStringLiteral(
        "<html><body style=\"font-family:'Liberation Sans'; font-size:9.5pt\">"
        "<h2>Протокол расчета тепловой изоляции</h2>");
    html += QStringLiteral("<p>Кальдора ") + QStringLiteral(KALDORA_VERSION) + QStringLiteral("</p>");
    html += QStringLiteral("<p><b>") + Html(info.heading).replace(QLatin1Char('\n'), QString()).simplified() +
            QStringLiteral("</b></p>");
    html += IdentityBlock(identity, calculated);
    html += BasisSection(trace) + InputsSection(trace) + OptionsSection(trace) + MethodSection(info) +
            ConstantsSection(trace) + NormSection(trace) + ChecksSection(trace) + LookupsSection(trace) +
            ValuesSection(trace) + PassesSection(trace) + MessagesSection(trace) + ResultsSection(trace);
    return html + QStringLiteral("</body></html>");
}

// A heading with less than this below it on its page starts the next page.
constexpr double kHeadingKeepMm = 25.0;

// The protocol laid out on pages of `pageHeight`, each heading that would
// stand too near a page's foot moved to the next page. The breaks go into
// the text itself, one at a time from the top, laid out anew after each:
// changing the formats of a laid-out document loses headings.
void LayOutKeepingHeadings(QTextDocument& document, const QString& html, double pageHeight, double keep) {
    static const QString kHeading = QStringLiteral("<h3>");
    static const QString kBreakingHeading = QStringLiteral("<h3 style=\"page-break-before:always\">");
    std::vector<bool> breaks(static_cast<std::size_t>(html.count(kHeading)), false);
    // Each round sets a break; taking a section along clears later ones, so
    // a bound keeps any layout from going round for ever.
    for (std::size_t round = 0; round < 4 * breaks.size() + 4; ++round) {
        QString text;
        qsizetype from = 0;
        for (std::size_t k = 0; k < breaks.size(); ++k) {
            const qsizetype at = html.indexOf(kHeading, from);
            text += html.mid(from, at - from) + (breaks[k] ? kBreakingHeading : kHeading);
            from = at + kHeading.size();
        }
        document.setHtml(text + html.mid(from));
        std::size_t k = 0;
        bool moved = false;
        for (QTextBlock block = document.begin(); block.isValid() && !moved; block = block.next()) {
            if (block.blockFormat().headingLevel() != 3) continue;  // the sections' headings, as kHeading
            const std::size_t heading = k++;
            if (heading >= breaks.size() || breaks[heading]) continue;
            const QRectF box = document.documentLayout()->blockBoundingRect(block);
            const double pageEnd = (std::floor(box.top() / pageHeight) + 1) * pageHeight;
            if (pageEnd - box.bottom() >= keep) continue;
            breaks[heading] = moved = true;
        }
        if (moved) continue;
        // A last page that would hold a line or two (a refusal's result)
        // takes the section before it along.
        const double height = document.documentLayout()->documentSize().height();
        const double lastPageTop = std::floor(height / pageHeight) * pageHeight;
        if (lastPageTop == 0.0 || height - lastPageTop >= keep) return;
        std::optional<std::size_t> lastBefore;
        k = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() != 3) continue;
            const std::size_t heading = k++;
            const double top = document.documentLayout()->blockBoundingRect(block).top();
            if (top < lastPageTop && top >= lastPageTop - pageHeight && heading < breaks.size() && !breaks[heading])
                lastBefore = heading;
        }
        if (!lastBefore) return;
        breaks[*lastBefore] = true;
        std::fill(breaks.begin() + static_cast<std::ptrdiff_t>(*lastBefore) + 1, breaks.end(), false);
    }
}

}  // namespace

ProtocolDocument MakeProtocol(const CalcTrace& trace, const QDate& calculated, const ProtocolIdentity& identity) {
    if (!IsCalcType(trace.type)) return {};
    const QString heading = Q(TypeInfo(trace.type).heading).simplified();
    QString header = QStringLiteral("Кальдора ") + QStringLiteral(KALDORA_VERSION) + QStringLiteral(" · ") + heading;
    if (!identity.object.isEmpty()) header += QStringLiteral(" · ") + identity.object;
    QString title = QStringLiteral("Протокол расчета тепловой изоляции");
    if (!identity.object.isEmpty()) title += QStringLiteral(": ") + identity.object;
    // A title and a running header are one line each.
    return {ProtocolHtml(trace, calculated, identity),
            header.simplified(),
            {.title = title.simplified(), .author = identity.executor.simplified(), .date = calculated}};
}

void PrintProtocol(QPagedPaintDevice& device, const ProtocolDocument& protocol) {
    // The report's 25 mm binding edge on the left; the running header above
    // the body, the sheet number below it.
    constexpr double kLeft = 25, kTop = 10, kRight = 20, kBottom = 10;
    constexpr double kBodyTop = 10, kBodyBottom = 10;  // within the margins
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kLeft, kTop, kRight, kBottom), QPageLayout::Millimeter));
    const double dotsPerMm = device.logicalDpiY() / 25.4;
    const QSizeF area = device.pageLayout().paintRect(QPageLayout::Millimeter).size() * dotsPerMm;
    const QSizeF body(area.width(), area.height() - (kBodyTop + kBodyBottom) * dotsPerMm);

    QTextDocument document;
    document.setDefaultFont(ReportFont(9.5));
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setPageSize(body);
    LayOutKeepingHeadings(document, protocol.html, body.height(), kHeadingKeepMm * dotsPerMm);

    QPainter painter(&device);
    if (!painter.isActive()) return;
    const int pages = document.pageCount();
    const QFont small = ReportFont(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        painter.setFont(small);
        painter.setPen(Qt::black);
        const QRectF headerBox(0, 0, area.width(), 5 * dotsPerMm);
        painter.drawText(
            headerBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
            painter.fontMetrics().elidedText(protocol.runningHeader, Qt::ElideRight, static_cast<int>(area.width())));
        painter.drawLine(QPointF(0, headerBox.bottom()), QPointF(area.width(), headerBox.bottom()));
        painter.drawText(QRectF(0, area.height() - 5 * dotsPerMm, area.width(), 5 * dotsPerMm),
                         Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Лист %1 из %2").arg(page + 1).arg(pages));

        painter.save();
        painter.translate(0, kBodyTop * dotsPerMm - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

int WriteProtocolPdf(const QString& path, const ProtocolDocument& protocol) {
    const QByteArray pdf = PdfBytes(QPageLayout(), 1200, protocol.metadata, [&](QPagedPaintDevice& device) {
        PrintProtocol(device, protocol);
        return true;
    });
    return WriteWholeFile(path, pdf);
}

}  // namespace kaldora
