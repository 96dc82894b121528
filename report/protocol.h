// The calculation protocol: an A4 document in Russian of what one
// calculation did, from its trace, for an inspector to check by hand:
// identified (object, section, executor, checker, date of the calculation),
// every constant with its source, every pass, the arithmetic of the results,
// and a word where an iteration stopped at its limit.
#pragma once

#include <QDate>
#include <QString>

#include "report/print_output.h"

class QPagedPaintDevice;

namespace kaldora {

struct CalcTrace;

// Who and what the protocol is for; any of it may stay empty.
struct ProtocolIdentity {
    QString object, section, executor, checker;
    // Optional, printed only when given.
    QString organisation{}, project{}, document{};
};

// A protocol ready to print: its body as HTML for Qt's text document, the
// running header of every page and what its PDF carries.
struct ProtocolDocument {
    QString html;
    QString runningHeader;
    PdfMetadata metadata;
};

ProtocolDocument MakeProtocol(const CalcTrace& trace, const QDate& calculated, const ProtocolIdentity& identity);

// Lays the protocol out on A4 pages, a heading never alone at a page's foot,
// and paints it with the running header and "Лист N из M" on every page.
void PrintProtocol(QPagedPaintDevice& device, const ProtocolDocument& protocol);

// Writes the protocol as a PDF file: 0, or the system's error number when
// the file could not be written whole.
int WriteProtocolPdf(const QString& path, const ProtocolDocument& protocol);

}  // namespace kaldora
