// The hidden report host: carries the report page and prints it on the
// printer chosen in the print dialog.
#pragma once

#include <QPrinter>
#include <QWidget>
#include <memory>

#include "report/protocol.h"
#include "report/report_page.h"

namespace kaldora {

class ReportPreview : public QWidget {
public:
    ReportPreview();

    ReportPage QuickRep1;

    // The standard print dialog; true when the user confirmed it. Printing
    // to a file offers `name`.pdf in the user's documents folder.
    bool RunPrintDialog(QWidget* parent, const QString& name);

    // Prints the page, exactly one sheet, on the chosen printer; empty, or
    // what failed (see report/print_output.h).
    QString Print();

    // Prints a calculation protocol (see report/protocol.h) on the chosen
    // printer; the printer stays set up for the report page. Empty, or what
    // failed.
    QString PrintProtocol(const ProtocolDocument& protocol);

    // Made at its first use: a printer asks the print system (CUPS) for its
    // queues, which must not hold up the start of the program.
    QPrinter& Printer();

private:
    std::unique_ptr<QPrinter> printer_;
};

// Paints the page onto a printer (or into its PDF file): A4 portrait,
// positions measured from the sheet's corner. Empty, or what failed.
QString PrintReportPage(QPrinter& printer, const ReportPage& page);

}  // namespace kaldora
