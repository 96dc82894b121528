// The report page: its elements as designed (papers/report_layout) with the
// pictures they show, and one routine that paints the filled page onto any
// painter, so that the printer, a PDF file and the tests draw the same page.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <string_view>
#include <vector>

#include "papers/report_layout.h"

namespace kaldora {

// An element of the page as designed, with the picture it shows.
struct ReportElement : PaperElement {
    QImage picture = {};  // picture element, stretched to its box
};

struct ReportPage {
    std::vector<ReportElement> elements;

    ReportElement& operator[](std::string_view name);
    const ReportElement* Find(std::string_view name) const;
};

// The page as designed: fixed texts, the logo, empty variable elements.
ReportPage DesignedReportPage();

// Paints the page; `dotsPerMm` is the resolution of the painter's device.
void PaintReportPage(QPainter& painter, const ReportPage& page, double dotsPerMm);

}  // namespace kaldora
