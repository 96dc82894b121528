#include "report/print_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <cerrno>
#include <cstring>

namespace kaldora {

QByteArray PdfBytes(const QPageLayout& layout, int resolution, const PdfMetadata& metadata,
                    const PagePainter& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setTitle(metadata.title);
        writer.setCreator(metadata.creator);
        if (!paint(writer)) return {};
    }  // the writer finishes the document here
    return buffer.data();
}

int WriteWholeFile(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    const char* data = bytes.constData();
    for (qsizetype left = bytes.size(); left > 0;) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        data += written;
        left -= written;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

QString WriteFailureReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT: return QStringLiteral("нет места на диске");
        case EACCES:
        case EPERM: return QStringLiteral("нет прав на запись");
        case ENOENT:
        case ENOTDIR: return QStringLiteral("нет такой папки");
        case EROFS: return QStringLiteral("диск доступен только для чтения");
        case EISDIR: return QStringLiteral("это папка, а не файл");
        default: return QStringLiteral("ошибка записи (%1)").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString PrintChecked(QPrinter& printer, const PdfMetadata& metadata, const PagePainter& paint) {
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
