#include "ui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>

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

QTextBrowser* ShowHelpContents(QWidget* owner) {
    auto* browser = owner->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    if (!browser) {
        // A window of its own, owned by the main window so it closes with it.
        browser = new QTextBrowser(owner);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setWindowFlag(Qt::Window);
        browser->setWindowTitle(QStringLiteral("Методические указания"));
        browser->setOpenExternalLinks(true);  // links within the notes stay here
        const QString path = HelpDocumentPath();
        if (QFileInfo::exists(path))
            browser->setSource(QUrl::fromLocalFile(path));
        else
            browser->setPlainText(QStringLiteral("Файл справки не найден: ") + path);
        // Beside the main window: right of it, else left of it, else at the
        // screen's left edge, over the menu rather than over the fields.
        const QRect main = owner->frameGeometry();
        QRect place(main.topRight() + QPoint(8, 0), QSize(560, owner->height()));
        if (const QScreen* screen = owner->screen()) {
            const QRect room = screen->availableGeometry();
            if (place.right() > room.right()) place.moveRight(main.left() - 8);
            if (place.left() < room.left()) place.moveLeft(room.left());
        }
        browser->setGeometry(place);
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

}  // namespace kaldora
