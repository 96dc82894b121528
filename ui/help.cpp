#include "ui/help.h"

#include <QCoreApplication>
#include <QVariant>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kaldora {

QString HelpDocumentPath() {
    // The help file the application object was given at start-up.
    QString helpFile = qApp ? qApp->property(kHelpFileProperty).toString() : QString();
    if (helpFile.isEmpty()) helpFile = QString::fromLatin1(kHelpFileName);
    const QString document = QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html");
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
