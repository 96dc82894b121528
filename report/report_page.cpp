#include "report/report_page.h"

#include <QDate>
#include <QFontMetricsF>

#include "assets/fonts.h"
#include "assets/pictures.h"

namespace kaldora {

ReportElement& ReportPage::operator[](std::string_view name) {
    for (ReportElement& e : elements)
        if (e.name == name) return e;
    // Only the design's own names are ever asked for.
    qFatal("no report element %.*s", static_cast<int>(name.size()), name.data());
}

const ReportElement* ReportPage::Find(std::string_view name) const {
    for (const ReportElement& e : elements)
        if (e.name == name) return &e;
    return nullptr;
}

ReportPage DesignedReportPage() {
    ReportPage page;
    const QImage logo = LoadPicture(Picture::Logo).toImage();
    // Both pictures are the logo; the one under the footer takes it when the
    // page is filled.
    for (const PaperElement& e : DesignedReportElements())
        page.elements.push_back({e, e.name == "QRImage1" ? logo : QImage()});
    return page;
}

namespace {

// Underlined blanks print as a rule; Qt leaves blanks without an underline,
// so the line is drawn where the font puts its underline.
void PaintUnderline(QPainter& painter, const QFontMetricsF& metrics, QPointF baseline, double width) {
    const double y = baseline.y() + metrics.underlinePos();
    painter.save();
    painter.setPen(QPen(Qt::black, metrics.lineWidth()));
    painter.drawLine(QPointF(baseline.x(), y), QPointF(baseline.x() + width, y));
    painter.restore();
}

// A name a hair too long for a one-line box is set a little tighter instead
// of breaking off its last word onto the next row.
void FitOneLineBox(QFont& font, const ReportElement& e, const QString& text, const QRectF& box, QPaintDevice* device) {
    if (!e.wrap) return;
    const QFontMetricsF metrics(font, device);
    const double width = metrics.horizontalAdvance(text);
    constexpr double kMostTightening = 1.05;
    if (box.height() >= 2 * metrics.lineSpacing() || width <= box.width() || width > box.width() * kMostTightening)
        return;
    font.setLetterSpacing(QFont::PercentageSpacing, 100.0 * box.width() / width - 0.5);
}

}  // namespace

void PaintReportPage(QPainter& painter, const ReportPage& page, double dotsPerMm) {
    painter.fillRect(QRectF(0, 0, kPaperWidthMm * dotsPerMm, kPaperHeightMm * dotsPerMm), Qt::white);
    painter.setPen(Qt::black);
    for (const ReportElement& e : page.elements) {
        const QRectF box(e.left * dotsPerMm, e.top * dotsPerMm, e.width * dotsPerMm, e.height * dotsPerMm);
        if (e.kind == ReportElement::Kind::Picture) {
            if (!e.picture.isNull()) painter.drawImage(box, e.picture);
            continue;
        }
        const QString text = e.kind == ReportElement::Kind::Date
                                 ? QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))
                                 : QString::fromStdString(e.text);
        QFont font = ReportFont(e.points, e.bold, e.underline);
        FitOneLineBox(font, e, text, box, painter.device());
        painter.setFont(font);
        const QFontMetricsF metrics(font, painter.device());
        if (e.underline && text.trimmed().isEmpty()) {
            PaintUnderline(painter, metrics, box.topLeft() + QPointF(0, metrics.ascent()), box.width());
        } else if (e.wrap) {
            // A name longer than its box runs on below it rather than being cut.
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip, text);
        } else {
            painter.drawText(box.topLeft() + QPointF(0, metrics.ascent()), text);
        }
    }
}

}  // namespace kaldora
