#include "ui/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/help.h"

namespace kaldora {

namespace {

// Qt's Russian texts for its print, page set-up and file dialogs; where they
// are not installed those dialogs stay in English.
void InstallQtTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Кальдора"));
    // An empty display name keeps the window caption exactly as designed:
    // Qt would otherwise append the application name to it.
    QApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kaldora.kaldora"));
    app.setProperty(kHelpFileProperty, QString::fromLatin1(kHelpFileName));
    InstallQtTranslations(app);
}

}  // namespace kaldora
