// The report page: its elements as data (position and size in millimetres
// from the sheet's top-left corner, font, wrapping) and one routine that
// paints the filled page onto any painter, so that the printer, a PDF file
// and the tests draw the same page.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "papers/report_layout.h"

namespace kaldora {

struct ReportElement {
    using Kind = PaperElement::Kind;
    QString name;
    Kind kind;
    double left, top;      // mm
    double width, height;  // mm; 0 width: as wide as its text (auto size)
    double points = 10;    // font size
    bool bold = false;
    bool underline = false;
    bool wrap = false;
    QString text = {};    // caption of a text element
    QImage picture = {};  // picture element, stretched to its box
};

struct ReportPage {
    std::vector<ReportElement> elements;

    ReportElement& operator[](const QString& name);
    const ReportElement* Find(const QString& name) const;
};

// The page as designed: fixed texts, the logo, empty variable elements.
ReportPage DesignedReportPage();

// Paints the page; `dotsPerMm` is the resolution of the painter's device.
void PaintReportPage(QPainter& painter, const ReportPage& page, double dotsPerMm);

}  // namespace kaldora
