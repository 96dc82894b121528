#include "report/printer_output.h"

#include <QPrinter>
#include <cerrno>

#include "assets/fonts.h"

namespace kaldora {

QString PrintChecked(QPrinter& printer, const PdfMetadata& metadata, const PagePainter& paint) {
    if (const QString font = MissingReportFont(); !font.isEmpty())
        return QStringLiteral(
                   "Не установлен шрифт %1 с русскими буквами: лист напечатался бы квадратиками. "
                   "Установите пакет fonts-liberation.")
            .arg(font);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString path = printer.outputFileName();
        const QByteArray pdf = PdfBytes(printer.pageLayout(), printer.resolution(), metadata, paint);
        const int error = pdf.isEmpty() ? EIO : WriteWholeFile(path, pdf);
        if (error == 0) return {};
        return QStringLiteral("Не удалось записать файл %1: %2").arg(path, WriteFailureReason(error));
    }
    printer.setDocName(metadata.title);
    printer.setCreator(metadata.creator);
    if (paint(printer) && printer.printerState() != QPrinter::Error) return {};
    return QStringLiteral("Не удалось напечатать на принтере «%1»").arg(printer.printerName());
}

}  // namespace kaldora
