// Fills the report page from the current type's row and flags.
#pragma once

#include <string>
#include <string_view>

namespace kaldora {

struct ReportPage;

// Formats a value for the report ("%3.1f" and a decimal comma) into the
// message buffer and returns that text.
const std::string& FormatReportValue(std::string_view format, double value);

void FillReport(ReportPage& page);

}  // namespace kaldora
