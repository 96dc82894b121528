#include "ui/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kaldora {

QString HelpDocumentPath() {
    const QString document = QFileInfo(QString::fromLatin1(kHelpFileName)).completeBaseName() +
                             QStringLiteral(".html");
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {programDir.filePath(document),
          programDir.filePath(QStringLiteral("../share/kaldora/") + document)}) {
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    }
    return programDir.filePath(document);
}

void ShowHelpContents() { QDesktopServices::openUrl(QUrl::fromLocalFile(HelpDocumentPath())); }

}  // namespace kaldora
