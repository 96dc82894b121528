// Fills the report page from a type screen's row and options.
#pragma once

#include <string>
#include <string_view>

namespace kaldora {

struct ReportPage;
struct TypeScreen;

// Formats a value for the report ("%3.1f" and a decimal comma).
std::string FormatReportValue(std::string_view format, double value);

void FillReport(ReportPage& page, const TypeScreen& screen);

}  // namespace kaldora
