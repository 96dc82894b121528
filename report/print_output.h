// PDF output that says when it failed: the document is made in memory and
// written whole, so that a full disk or a folder without write permission is
// noticed. Qt Gui only.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>

class QPageLayout;
class QPagedPaintDevice;

namespace kaldora {

// Paints the pages onto the device; false when its painter could not begin.
using PagePainter = std::function<bool(QPagedPaintDevice&)>;

// What a PDF carries besides its pages.
struct PdfMetadata {
    QString title{};
    QString author{};  // in the document's XMP metadata, where readers look for it
    QString creator = QStringLiteral("Кальдора " KALDORA_VERSION);
    // The document's date (the calculation's), as its creation date at
    // midnight UTC: the same inputs on the same day give the same bytes.
    // Invalid: today.
    QDate date{};
};

// The pages as a PDF document, at the resolution and page layout given.
QByteArray PdfBytes(const QPageLayout& layout, int resolution, const PdfMetadata& metadata, const PagePainter& paint);

// Replaces the file with the bytes, whole or not at all: 0 when every byte
// reached the disk and the file took the target's place, else the system's
// error number (the earlier file then stays as it was).
int WriteWholeFile(const QString& path, const QByteArray& bytes);

// The reason for a system error number, in the window's words ("нет места
// на диске").
QString WriteFailureReason(int error);

}  // namespace kaldora
