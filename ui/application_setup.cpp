#include "ui/application_setup.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include "ui/help.h"
#include "ui/window_placement.h"

namespace kaldora {

namespace {

// Qt's Russian texts for its print, page set-up and file dialogs; where they
// are not installed those dialogs stay in English.
void InstallQtTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void SetUpApplication(QApplication& app) {
    // The design's colours and pixel sizes assume this style and palette.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setApplicationName(QStringLiteral("Кальдора"));
    // An empty display name keeps the window caption exactly as designed:
    // Qt would otherwise append the application name to it.
    QApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kaldora.kaldora"));
    app.setProperty(kHelpFileProperty, QString::fromLatin1(kHelpFileName));
    InstallQtTranslations(app);
}

void RestartToFitTheScreen(char* argv[]) {
    constexpr char kFitted[] = "KALDORA_FITTED_SCALE";
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || qEnvironmentVariableIsSet(kFitted)) return;
    const double factor = FittingScaleFactor(QSize(kWindowWidth, kWindowHeight + kTitleBarAllowance),
                                             screen->availableGeometry().size(), screen->devicePixelRatio());
    if (factor >= 1.0) return;
    bool given = false;
    const double present = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
    qputenv("QT_SCALE_FACTOR", QByteArray::number((given ? present : 1.0) * factor));
    qputenv(kFitted, "1");
    execv("/proc/self/exe", argv);  // returns only when it failed: go on unscaled
}

}  // namespace kaldora
