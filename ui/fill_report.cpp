#include "ui/fill_report.h"

#include "model/calc_types.h"
#include "papers/report_layout.h"
#include "report/report_page.h"
#include "screen/screens.h"

namespace kaldora {

void FillReport(ReportPage& page, const TypeScreen& screen) {
    if (!IsCalcType(screen.input.type)) return;
    page["QRImage2"].picture = page["QRImage1"].picture;
    for (auto& [name, text] : ReportTexts(screen.input, screen.calculated, screen.whole))
        page[name].text = std::move(text);
}

}  // namespace kaldora
