#include "report/print_output.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <cerrno>
#include <cstring>

#include "files/file_replacement.h"

namespace kaldora {

namespace {

// The document's XMP packet: title, author, language and creating tool, as
// Qt would write it but with the author and language, which its writer has
// no setters for.
QByteArray Xmp(const PdfMetadata& metadata) {
    const auto e = [](const QString& text) { return text.toHtmlEscaped(); };
    const QString xmp = QStringLiteral(
                            "<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
                            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
                            "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
                            "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                            "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
                            "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
                            "<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>\n"
                            "<dc:language><rdf:Bag><rdf:li>ru-RU</rdf:li></rdf:Bag></dc:language>\n"
                            "<xmp:CreatorTool>%3</xmp:CreatorTool>\n"
                            "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>")
                            .arg(e(metadata.title), e(metadata.author), e(metadata.creator));
    return xmp.toUtf8();
}

}  // namespace

QByteArray PdfBytes(const QPageLayout& layout, int resolution, const PdfMetadata& metadata, const PagePainter& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setTitle(metadata.title);
        writer.setCreator(metadata.creator);
        writer.setDocumentXmpMetadata(Xmp(metadata));
        if (!paint(writer)) return {};
    }  // the writer finishes the document here
    QByteArray pdf = buffer.data();
    // The writer stamps the moment of writing; the date of the document
    // instead, of the same length, so no offset moves.
    const QByteArray stamp = QByteArrayLiteral("/CreationDate (D:");
    const QDate date = metadata.date.isValid() ? metadata.date : QDate::currentDate();
    const QByteArray digits = date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + QByteArrayLiteral("000000");
    if (const qsizetype at = pdf.indexOf(stamp); at >= 0 && pdf.size() >= at + stamp.size() + digits.size())
        pdf.replace(at + stamp.size(), digits.size(), digits);
    return pdf;
}

int WriteWholeFile(const QString& path, const QByteArray& bytes) {
    return ReplaceFile(QFile::encodeName(path).toStdString(),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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

}  // namespace kaldora
