#include "report/protocol.h"

#include <QAbstractTextDocumentLayout>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <optional>

#include "assets/fonts.h"
#include "model/calc_trace.h"
#include "model/calc_types.h"
#include "papers/protocol_html.h"
#include "report/qt_text.h"

namespace kaldora {

namespace {

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
    const auto s = [](const QString& text) { return text.toStdString(); };
    const ProtocolFields fields{s(identity.object),  s(identity.section),      s(identity.executor),
                                s(identity.checker), s(identity.organisation), s(identity.project),
                                s(identity.document)};
    const std::string date = s(calculated.toString(QStringLiteral("dd.MM.yyyy")));
    // A title and a running header are one line each.
    return {Q(ProtocolHtml(trace, date, fields)),
            Q(ProtocolRunningHeader(trace.type, fields.object)),
            {.title = Q(ProtocolTitle(fields.object)), .author = identity.executor.simplified(), .date = calculated}};
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
