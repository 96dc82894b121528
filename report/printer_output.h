// Printing through the print dialog's printer that says when it failed: a
// painter that cannot begin, a printer left in its error state, a PDF file
// that could not be written whole.
#pragma once

#include <QString>

#include "report/print_output.h"

class QPrinter;

namespace kaldora {

// Prints through `paint` on the printer as the print dialog left it (a
// printer, or a PDF file): empty when the pages got there, else one Russian
// line saying what failed and where.
QString PrintChecked(QPrinter& printer, const PdfMetadata& metadata, const PagePainter& paint);

}  // namespace kaldora
