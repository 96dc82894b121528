#include "report/unit2.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>

#include "report/protocol.h"

namespace kaldora {

namespace {
void SetUpPage(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(25, 10, 10, 10), QPageLayout::Millimeter));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    // Element positions are measured from the sheet's corner, not from the
    // margins.
    printer.setFullPage(true);
}
}  // namespace

TForm2::TForm2() : QuickRep1(DesignedReportPage()) { setObjectName(QStringLiteral("Form2")); }

QPrinter& TForm2::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetUpPage(*printer_);
    }
    return *printer_;
}

bool TForm2::RunPrintDialog(QWidget* parent) {
    QPrintDialog PrintDialog1(&Printer(), parent);
    PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
    const bool confirmed = PrintDialog1.exec() == QDialog::Accepted;
    SetUpPage(Printer());  // the dialog may have changed the paper
    return confirmed;
}

void TForm2::Print() { PrintReportPage(Printer(), QuickRep1); }

void TForm2::PrintProtocol(const QString& html) {
    Printer().setFullPage(false);  // the protocol is laid out within the margins
    kaldora::PrintProtocol(Printer(), html);
    SetUpPage(Printer());
}

void PrintReportPage(QPrinter& printer, const ReportPage& page) {
    SetUpPage(printer);
    QPainter painter(&printer);
    PaintReportPage(painter, page, printer.resolution() / 25.4);
}

}  // namespace kaldora
