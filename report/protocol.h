// The calculation protocol: an A4 document in Russian of what one
// calculation did, from its trace, for an inspector to check by hand.
#pragma once

#include <QDate>
#include <QString>

#include "report/print_output.h"

class QPagedPaintDevice;

namespace kaldora {

struct CalcTrace;

// The protocol as HTML with tables, for Qt's text document.
QString ProtocolHtml(const CalcTrace& trace, const QDate& date);

// Lays the protocol out on A4 pages with margins and paints it, numbering
// the pages.
void PrintProtocol(QPagedPaintDevice& device, const QString& html);

// Title and creator of a protocol's PDF.
PdfMetadata ProtocolMetadata();

// Writes the protocol as a PDF file: 0, or the system's error number when
// the file could not be written whole.
int WriteProtocolPdf(const QString& path, const CalcTrace& trace);

}  // namespace kaldora
