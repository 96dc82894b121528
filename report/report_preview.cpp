#include "report/report_preview.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QStandardPaths>

#include "report/printer_output.h"
#include "report/protocol.h"

namespace kaldora {

namespace {
void SetUpPage(QPrinter& printer) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(25, 10, 10, 10),
                                      QPageLayout::Millimeter));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    // Element positions are measured from the sheet's corner, not from the
    // margins.
    printer.setFullPage(true);
}
}  // namespace

ReportPreview::ReportPreview() : QuickRep1(DesignedReportPage()) { setObjectName(QStringLiteral("Form2")); }

QPrinter& ReportPreview::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetUpPage(*printer_);
    }
    return *printer_;
}

bool ReportPreview::RunPrintDialog(QWidget* parent, const QString& name) {
    QPrintDialog PrintDialog1(&Printer(), parent);
    PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
    // Qt offers print.pdf, or the last file, for the report and the protocol
    // alike, so that one overwrites the other: each gets its own name, in
    // the folder printed to last or the documents folder.
    if (auto* file = PrintDialog1.findChild<QLineEdit*>(QStringLiteral("filename"))) {
        const QString last = Printer().outputFileName();
        // A folder that exists: a new user's documents folder may not yet.
        QString folder = last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
        file->setText(QDir(folder).filePath(name + QStringLiteral(".pdf")));
    }
    const bool confirmed = PrintDialog1.exec() == QDialog::Accepted;
    SetUpPage(Printer());  // the dialog may have changed the paper
    return confirmed;
}

QString ReportPreview::Print() { return PrintReportPage(Printer(), QuickRep1); }

QString ReportPreview::PrintProtocol(const ProtocolDocument& protocol) {
    Printer().setFullPage(false);  // the protocol is laid out within the margins
    const QString failure = PrintChecked(Printer(), protocol.metadata, [&](QPagedPaintDevice& device) {
        kaldora::PrintProtocol(device, protocol);
        return true;
    });
    SetUpPage(Printer());
    return failure;
}

QString PrintReportPage(QPrinter& printer, const ReportPage& page) {
    SetUpPage(printer);
    return PrintChecked(printer, {.title = QStringLiteral("Расчет тепловой изоляции")}, [&](QPagedPaintDevice& device) {
        QPainter painter(&device);
        if (!painter.isActive()) return false;
        PaintReportPage(painter, page, printer.resolution() / 25.4);
        return true;
    });
}

}  // namespace kaldora
