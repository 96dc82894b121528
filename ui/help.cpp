#include "ui/help.h"

#include "ui/window_placement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
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
         {programDir.filePath(document), programDir.filePath(QStringLiteral("../share/kaldora/") + document)}) {
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
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), browser);
        QObject::connect(close, &QShortcut::activated, browser, &QWidget::close);
        const QString path = HelpDocumentPath();
        if (QFileInfo::exists(path))
            browser->setSource(QUrl::fromLocalFile(path));
        else
            browser->setPlainText(QStringLiteral("Файл справки не найден: ") + path);
        // Beside the main window, on the side with more room, tops aligned;
        // its frame is taken to be as wide as the main window's.
        const QRect main = owner->frameGeometry();
        const QMargins frame(owner->geometry().left() - main.left(), owner->geometry().top() - main.top(),
                             main.right() - owner->geometry().right(), main.bottom() - owner->geometry().bottom());
        const QSize size(560, owner->height());
        const QRect room = owner->screen() ? owner->screen()->availableGeometry() : main;
        const QRect place = HelpBeside(main, size.grownBy(frame), room, 8);
        browser->setGeometry(place.marginsRemoved(frame));
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

}  // namespace kaldora
