#include "report/report_page.h"

#include <QDate>
#include <QFontMetricsF>

#include "assets/fonts.h"
#include "assets/pictures.h"

namespace kaldora {

const char* const kFooterLines[4] = {
    "АО \"ВЕЛАРИС\"",
    "199999, г. Заречногорск, ул. Изоляторов, 7",
    "Тел. +7 (000) 120-45-60, факс +7 (000) 120-45-61",
    "www.velaris.example",
};

ReportElement& ReportPage::operator[](const QString& name) {
    for (ReportElement& e : elements)
        if (e.name == name) return e;
    // Only the design's own names are ever asked for.
    qFatal("no report element %s", qPrintable(name));
}

const ReportElement* ReportPage::Find(const QString& name) const {
    for (const ReportElement& e : elements)
        if (e.name == name) return &e;
    return nullptr;
}

namespace {

using Kind = ReportElement::Kind;

ReportElement Text(const char* name, double left, double top, double width, double height, double points,
                   const QString& text = QString(), bool wrap = false) {
    return {QString::fromLatin1(name), Kind::Text, left, top, width, height, points, false, false, wrap, text, {}};
}

ReportElement Bold(ReportElement e) {
    e.bold = true;
    return e;
}

ReportElement Heading(const char* name, double left, double top, const char* text) {
    ReportElement e = Text(name, left, top, 0, 0, 10, QString::fromUtf8(text));
    e.bold = true;
    e.underline = true;
    return e;
}

}  // namespace

ReportPage DesignedReportPage() {
    ReportPage page;
    auto& el = page.elements;
    const QImage logo = LoadPicture(Picture::Logo).toImage();
    el.push_back({QStringLiteral("QRImage1"), Kind::Picture, 25.4, 21.2, 51.1, 9.0, 10, false, false, false, {}, logo});
    el.push_back(Bold(Text("QRLabel1", 143.9, 21.2, 53.2, 6.6, 14, QStringLiteral("АО \"ВЕЛАРИС\""))));
    el.push_back(
        Text("QRLabel2", 158.8, 29.6, 38.4, 10.8, 11, QStringLiteral("Программа расчета тепловой изоляции"), true));
    el.push_back(Text("QRDate", 158.8, 38.6, 10.8, 4.5, 10, QStringLiteral("Дата: ")));
    el.push_back({QStringLiteral("QRSysData1"), Kind::Date, 169.3, 38.6, 0, 0, 10});
    el.push_back(Heading("QRLabel3", 25.4, 48.7, "Вид расчета."));
    el.push_back(Text("QRRegName", 50.8, 48.7, 146.3, 10.8, 10, {}, true));
    el.push_back(Heading("QRLabel4", 25.4, 61.4, "Характеристика объекта"));
    el.push_back(Text("QRLabel7", 27.5, 67.7, 34.1, 19.3, 10,
                      QStringLiteral("Объект  Расположение  Тепловая изоляция   Покрытие"), true));
    el.push_back(Text("QRCon", 129.1, 67.7, 0, 0, 10));
    el.push_back(Text("QRStat", 129.1, 72.0, 0, 0, 10));
    el.push_back(Text("QRLabel8", 129.1, 76.2, 0, 0, 10, QStringLiteral("Минераловатный цилиндр")));
    el.push_back(Text("QRType", 129.1, 80.4, 0, 0, 10));
    el.push_back(Heading("QRLabel5", 25.4, 88.9, "Данные для расчета: "));

    const double nameTop[9] = {95.3, 103.7, 112.2, 120.7, 129.1, 137.6, 148.2, 160.9, 169.3};
    const double nameHeight[9] = {4.5, 4.5, 4.5, 4.5, 4.5, 6.6, 8.7, 4.5, 4.5};
    const double valueTop[9] = {94.7, 103.2, 111.7, 120.1, 128.6, 137.1, 151.9, 160.3, 168.8};
    for (int row = 0; row < 9; ++row) {
        const QByteArray name = "QRN" + QByteArray::number(row + 1);
        const QByteArray value = "QRD" + QByteArray::number(row + 1);
        el.push_back(Text(name.constData(), 27.5, nameTop[row], 99.7, nameHeight[row], 10, {}, true));
        el.push_back(Bold(Text(value.constData(), 131.2, valueTop[row], 0, 0, 11)));
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
    ReportElement rule = Heading("QRLabel19", 25.4, 212.7, "");
    rule.text = QString(161, QLatin1Char(' '));
    rule.width = 171.7;
    rule.height = 4.5;
    el.push_back(rule);
    const double footerTop[4] = {220.1, 224.4, 228.6, 232.8};
    for (int line = 0; line < 4; ++line) {
        const QByteArray name = "QRLabel" + QByteArray::number(15 + line);
        el.push_back(
            Text(name.constData(), 27.5, footerTop[line], 72.2, 4.5, 9, QString::fromUtf8(kFooterLines[line])));
    }
    el.push_back({QStringLiteral("QRImage2"), Kind::Picture, 131.2, 220.1, 51.1, 9.0});
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
        if (e.kind == Kind::Picture) {
            if (!e.picture.isNull()) painter.drawImage(box, e.picture);
            continue;
        }
        const QString text =
            e.kind == Kind::Date ? QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) : e.text;
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
