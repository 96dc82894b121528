#include "assets/pictures.h"

#include <QFile>
#include <QGuiApplication>

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

QImage Read(const QString& path, qreal screenRatio) {
    if (screenRatio > 1.0) {
        QString sharp = path;
        sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        if (QFile::exists(sharp)) {
            QImage image(sharp);
            image.setDevicePixelRatio(2.0);
            return image;
        }
    }
    return QImage(path);
}

QPixmap Load(const QString& path) { return QPixmap::fromImage(Read(path, qApp ? qApp->devicePixelRatio() : 1.0)); }

}  // namespace

QPixmap LoadPicture(Picture picture) { return Load(PathOf(picture)); }

QImage ReadPicture(Picture picture, qreal screenRatio) { return Read(PathOf(picture), screenRatio); }

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
