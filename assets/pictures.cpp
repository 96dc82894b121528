#include "assets/pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

namespace kaldora {

namespace {

QString PathOf(Picture picture) {
    switch (picture) {
        case Picture::Background: return QStringLiteral(":/assets/background.jpg");
        case Picture::Title: return QStringLiteral(":/assets/title.jpg");
        case Picture::IdleMarker: return QStringLiteral(":/assets/marker_idle.bmp");
        case Picture::LitMarker: return QStringLiteral(":/assets/marker_lit.bmp");
        case Picture::Logo: return QStringLiteral(":/assets/logo.jpg");
    }
    return {};
}

QPixmap Load(const QString& path) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    if (ratio > 1.0) {
        QString sharp = path;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        if (QFile::exists(sharp)) {
            QPixmap pixmap(sharp);
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

}  // namespace

QPixmap LoadPicture(Picture picture) { return Load(PathOf(picture)); }

QPixmap LoadTypePicture(int type) { return Load(QStringLiteral(":/assets/type%1.jpg").arg(type)); }

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {32, 64, 256}) icon.addFile(QStringLiteral(":/assets/icon%1.png").arg(size));
    return icon;
}

QString LoadMemoText(int memo) {
    QFile file(QStringLiteral(":/assets/memo%1.txt").arg(memo));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

}  // namespace kaldora
