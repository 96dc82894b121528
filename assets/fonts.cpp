#include "assets/fonts.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

namespace kaldora {

namespace {
// Liberation Sans has Arial's metrics. Nothing free matches Arial Black, so
// the heavy face of a wide sans stands in; Liberation Sans Narrow matches
// Arial Narrow.
constexpr char kReportFamily[] = "Liberation Sans";

const char* Family(Face face) {
    switch (face) {
        case Face::ArialBlack: return "DejaVu Sans";
        case Face::ArialNarrow: return "Liberation Sans Narrow";
        case Face::Arial:
        case Face::SansSerif: break;
    }
    return kReportFamily;
}
}  // namespace

QFont DesignFont(Face face, int pixelHeight, bool bold) {
    QFont font(QString::fromLatin1(Family(face)));
    font.setPixelSize(pixelHeight);
    font.setWeight(face == Face::ArialBlack ? QFont::Black : bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont ReportFont(double points, bool bold, bool underline) {
    QFont font(QString::fromLatin1(kReportFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString MissingReportFont() {
    const QString family = QString::fromLatin1(kReportFamily);
    const bool present = QFontDatabase::families().contains(family) &&
                         QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic);
    return present ? QString() : family;
}

}  // namespace kaldora
