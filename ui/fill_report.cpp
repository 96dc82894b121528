#include "ui/fill_report.h"

#include "model/calc_types.h"
#include "papers/report_layout.h"
#include "report/qt_text.h"
#include "report/report_page.h"
#include "screen/screens.h"

namespace kaldora {

void FillReport(ReportPage& page, const TypeScreen& screen) {
    if (!IsCalcType(screen.input.type)) return;
    page[QStringLiteral("QRImage2")].picture = page[QStringLiteral("QRImage1")].picture;
    for (const auto& [name, text] : ReportTexts(screen.input, screen.calculated, screen.whole))
        page[Q(name)].text = Q(text);
}

}  // namespace kaldora
