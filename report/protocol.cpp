#include "report/protocol.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QTextDocument>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "assets/fonts.h"
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
QString Number(double value, int significant = 6) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    if (value == 0.0) return QStringLiteral("0");
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(significant - 1 - magnitude, 0, 9);
    std::string text = FormatFixed(value, 1, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return Q(SwapFirstPoint(text));
}

QString Cell(const QString& text, bool header = false) {
    return header ? QStringLiteral("<th>") + text + QStringLiteral("</th>")
                  : QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

// A row of cells; small ones for wide tables (the text document takes a
// font size on the text, not on the table).
QString Row(const QStringList& cells, bool header = false, bool small = false) {
    QString row = QStringLiteral("<tr>");
    for (const QString& c : cells)
        row += Cell(small ? QStringLiteral("<span style=\"font-size:7.5pt\">") + c + QStringLiteral("</span>") : c,
                    header);
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

QString InputsSection(const CalcTrace& trace) {
    QString rows = Row({QStringLiteral("Величина"), QStringLiteral("Введено"), QStringLiteral("Принято в расчете")}, true);
    for (const TraceInput& in : trace.inputs) {
        const SlotDesign* design = FindSlotDesign(in.slot);
        if (!design || design->showsResult) continue;  // read, then overwritten by the result
        const bool metres = IsDiameterSlot(in.slot);
        rows += Row({InputName(*design), Html(in.typed) + QStringLiteral(" ") + Q(design->unit),
                     Number(in.value) + QStringLiteral(" ") + (metres ? QStringLiteral("м") : Q(design->unit))});
    }
    return Heading("Исходные данные") + Table(rows);
}

QString OptionsSection(const CalcTrace& trace) {
    if (trace.options.empty()) return {};
    QString rows;
    for (const auto& [name, value] : trace.options) rows += Row({Html(name), Html(value)});
    return Heading("Условия") + Table(rows);
}

QString MethodSection(const CalcTypeInfo& info) {
    return Heading("Методика") + QStringLiteral("<p>") + Html(info.method).replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
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
    rows += Row({QStringLiteral("q_табл"), Number(n.qTable) + QStringLiteral(" Вт/м"),
                 Html(n.document) + QStringLiteral(", таблица ") + QString::number(n.table) + QStringLiteral("; строки ") +
                     dn(0) + QStringLiteral(" и ") + dn(1) + QStringLiteral("; столбцы ") + Number(l.colKeys[0]) +
                     QStringLiteral(" и ") + Number(l.colKeys[1]) + QStringLiteral(" °C; ячейки ") +
                     Number(l.cells[0][0]) + QStringLiteral(", ") + Number(l.cells[0][1]) + QStringLiteral(", ") +
                     Number(l.cells[1][0]) + QStringLiteral(", ") + Number(l.cells[1][1])});
    rows += Row({QStringLiteral("K"), Number(n.k),
                 Html(n.document) + QStringLiteral(", таблица В.1: ") + Html(n.supports)});
    rows += Row({QStringLiteral("K₁"), Number(n.k1),
                 Html(n.document) + QStringLiteral(", таблица 13: ") + Html(n.region)});
    rows += Row({QStringLiteral("q = K₁·q_табл / K"), QStringLiteral("<b>") + Number(n.q) + QStringLiteral("</b> Вт/м"),
                 Number(n.k1) + QStringLiteral(" · ") + Number(n.qTable) + QStringLiteral(" / ") + Number(n.k)});
    rows += Row({QStringLiteral("α"), Number(n.alpha) + QStringLiteral(" Вт/(м²·°C)"),
                 Html(n.document) + QStringLiteral(", таблица В.2 (вместо α исторических норм в методике)")});
    QString html = Heading("Нормы") + Table(rows);
    for (const std::string& note : n.marked)
        html += QStringLiteral("<p><b>Внимание:</b> в расчете использована ячейка, значение которой расходится "
                               "в опубликованных источниках (") + Html(note) +
                QStringLiteral("); сверьте ее с текстом нормы.</p>");
    return html;
}

QString ChecksSection(const CalcTrace& trace) {
    if (trace.checks.empty()) return {};
    QString rows;
    for (const TraceCheck& c : trace.checks)
        rows += Row({Html(c.condition), c.met ? QStringLiteral("выполнено") : QStringLiteral("<b>не выполнено</b>")});
    return Heading("Проверки") + Table(rows);
}

QString LookupsSection(const CalcTrace& trace) {
    if (trace.lookups.empty()) return {};
    QString html = Heading("Табличные значения");
    for (const TraceLookup& l : trace.lookups) {
        html += QStringLiteral("<p>Таблица: ") + Html(l.table) + QStringLiteral("; строка ") + Number(l.rowArg) +
                QStringLiteral(", столбец ") + Number(l.colArg) + QStringLiteral(".</p>");
        if (!l.inRange) {
            html += QStringLiteral("<p>Точка вне таблицы.</p>");
            continue;
        }
        QString rows = Row({QString(), Number(l.colKeys[0]), Number(l.colKeys[1])}, true);
        for (int r = 0; r < 2; ++r)
            rows += Row({QStringLiteral("<b>") + Number(l.rowKeys[static_cast<std::size_t>(r)]) + QStringLiteral("</b>"),
                         Number(l.cells[static_cast<std::size_t>(r)][0]), Number(l.cells[static_cast<std::size_t>(r)][1])});
        html += Table(rows) + QStringLiteral("<p>Линейная интерполяция: <b>") + Number(l.value) + QStringLiteral("</b></p>");
    }
    return html;
}

QString ValueRow(const TraceValue& v) {
    return Row({Html(v.symbol), Html(v.meaning), Number(v.value) + QStringLiteral(" ") + Html(v.unit)});
}

QString ValuesSection(const CalcTrace& trace) {
    if (trace.values.empty()) return {};
    QString rows;
    for (const TraceValue& v : trace.values) rows += ValueRow(v);
    return Heading("Промежуточные величины") + Table(rows);
}

// The passes of an outer loop: one row a quantity, one column a pass; the
// solver's iterations of each pass below. Five digits keep ten passes within
// the page's width.
constexpr int kPassDigits = 5;
QString PassesSection(const CalcTrace& trace) {
    if (trace.passes.empty()) {
        QString html;
        for (const TraceSolve& s : trace.solves)
            html += QStringLiteral("<p>Решение ln x = a − b/x: от x₀ = 3D = ") + Number(s.start) +
                    QStringLiteral(" м за ") + QString::number(s.iterations) + QStringLiteral(" итераций x = <b>") +
                    Number(s.x) + QStringLiteral(" м</b>.</p>");
        return html.isEmpty() ? html : Heading("Решение уравнения") + html;
    }
    QStringList header{QStringLiteral("№")};
    for (const TracePass& p : trace.passes) header << QString::number(p.number);
    QString rows = Row(header, true, true);
    QString legend;
    for (std::size_t i = 0; i < trace.passes.front().values.size(); ++i) {
        const TraceValue& first = trace.passes.front().values[i];
        QStringList cells{QStringLiteral("<b>") + Html(first.symbol) + QStringLiteral("</b>")};
        for (const TracePass& p : trace.passes)
            cells << (i < p.values.size() ? Number(p.values[i].value, kPassDigits) : QString());
        rows += Row(cells, false, true);
        legend += (legend.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("<b>") + Html(first.symbol) +
                  QStringLiteral("</b> — ") + Html(first.meaning) +
                  (first.unit.empty() ? QString() : QStringLiteral(", ") + Html(first.unit));
    }
    if (trace.solves.size() == trace.passes.size()) {
        QStringList cells{QStringLiteral("<b>n</b>")};
        for (const TraceSolve& s : trace.solves) cells << QString::number(s.iterations);
        rows += Row(cells, false, true);
        legend += QStringLiteral("; <b>n</b> — итераций решения ln x = a − b/x от x₀ = 3D");
    }
    return Heading("Проходы") + Table(rows) +
           QStringLiteral("<p style=\"font-size:8pt\">") + legend + QStringLiteral("</p>");
}

QString MessagesSection(const CalcTrace& trace) {
    if (trace.messages.empty()) return {};
    QString html = Heading("Сообщения") + QStringLiteral("<ul>");
    for (const std::string& m : trace.messages)
        html += QStringLiteral("<li>") + Html(m).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QStringLiteral("</li>");
    return html + QStringLiteral("</ul>");
}

QString ResultsSection(const CalcTrace& trace) {
    QString html = Heading("Результаты");
    if (trace.refused) {
        // A refusal has no thickness: say so and why, never a 0 that reads like a result.
        QString why = trace.messages.empty() ? QString() : Html(trace.messages.back()).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return html + QStringLiteral("<p><b>Расчет не выполнен.</b> ") + why + QStringLiteral("</p>");
    }
    QString rows;
    for (const TraceValue& v : trace.results) rows += ValueRow(v);
    return html + Table(rows);
}

}  // namespace

QString ProtocolHtml(const CalcTrace& trace, const QDate& date) {
    if (!IsCalcType(trace.type)) return {};
    const CalcTypeInfo& info = TypeInfo(trace.type);
    QString html = QStringLiteral(
        "<html><body style=\"font-family:'Liberation Sans'; font-size:9.5pt\">"
        "<h2>Протокол расчета тепловой изоляции</h2>");
    html += QStringLiteral("<p>Кальдора ") + QStringLiteral(KALDORA_VERSION) + QStringLiteral(" · дата расчета ") +
            date.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("</p>");
    html += QStringLiteral("<p><b>") + Html(info.heading).replace(QLatin1Char('\n'), QString()).simplified() +
            QStringLiteral("</b></p>");
    html += InputsSection(trace) + OptionsSection(trace) + MethodSection(info) + NormSection(trace) + ChecksSection(trace) +
            LookupsSection(trace) + ValuesSection(trace) + PassesSection(trace) + MessagesSection(trace) +
            ResultsSection(trace);
    return html + QStringLiteral("</body></html>");
}

void PrintProtocol(QPagedPaintDevice& device, const QString& html) {
    // The text document adds 2 cm on every side of what the device leaves;
    // with 5 mm more on the left the page has the report's 25 mm binding edge.
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(5, 0, 0, 0), QPageLayout::Millimeter));
    QTextDocument document;
    document.setDefaultFont(ReportFont(9.5));
    document.setHtml(html);
    document.print(&device);
}

PdfMetadata ProtocolMetadata() {
    return {.title = QStringLiteral("Протокол расчета тепловой изоляции")};
}

int WriteProtocolPdf(const QString& path, const CalcTrace& trace) {
    const QString html = ProtocolHtml(trace, QDate::currentDate());
    const QByteArray pdf = PdfBytes(QPageLayout(), 1200, ProtocolMetadata(), [&](QPagedPaintDevice& device) {
        PrintProtocol(device, html);
        return true;
    });
    return WriteWholeFile(path, pdf);
}

}  // namespace kaldora
