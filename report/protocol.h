// The calculation protocol: an A4 document in Russian of what one
// calculation did, from its trace, for an inspector to check by hand.
#pragma once

#include <QDate>
#include <QString>

class QPagedPaintDevice;

namespace kaldora {

struct CalcTrace;

// The protocol as HTML with tables, for Qt's text document.
QString ProtocolHtml(const CalcTrace& trace, const QDate& date);

// Lays the protocol out on A4 pages with margins and paints it, numbering
// the pages.
void PrintProtocol(QPagedPaintDevice& device, const QString& html);

// Writes the protocol as a PDF file; false when the file cannot be written.
bool WriteProtocolPdf(const QString& path, const CalcTrace& trace);

}  // namespace kaldora
