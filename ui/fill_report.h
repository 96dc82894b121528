// Fills the report page from a type screen's row and options.
#pragma once

#include "papers/report_layout.h"

namespace kaldora {

struct ReportPage;
struct TypeScreen;

void FillReport(ReportPage& page, const TypeScreen& screen);

}  // namespace kaldora
