#include "ui/application_setup.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
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

QPalette PinnedPalette() {
    // Qt's own light palette, as a desktop without a theme has it: the
    // design's colours assume it.
    struct RoleColours {
        QPalette::ColorRole role;
        QRgb enabled, disabled;
    };
    static constexpr RoleColours kLight[] = {
        {QPalette::WindowText, 0xff000000, 0xffbebebe},    {QPalette::Button, 0xffefefef, 0xffefefef},
        {QPalette::Light, 0xffffffff, 0xffffffff},         {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
        {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},          {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
        {QPalette::Text, 0xff000000, 0xffbebebe},          {QPalette::BrightText, 0xffffffff, 0xffffffff},
        {QPalette::ButtonText, 0xff000000, 0xffbebebe},    {QPalette::Base, 0xffffffff, 0xffefefef},
        {QPalette::Window, 0xffefefef, 0xffefefef},        {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
        {QPalette::Highlight, 0xff308cc6, 0xff919191},     {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
        {QPalette::Link, 0xff0000ff, 0xff0000ff},          {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
        {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7}, {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
        {QPalette::ToolTipText, 0xff000000, 0xff000000},   {QPalette::PlaceholderText, 0x80000000, 0x80000000},
    };
    QPalette pinned;
    for (const RoleColours& c : kLight) {
        pinned.setColor(QPalette::Active, c.role, QColor::fromRgba(c.enabled));
        pinned.setColor(QPalette::Inactive, c.role, QColor::fromRgba(c.enabled));
        pinned.setColor(QPalette::Disabled, c.role, QColor::fromRgba(c.disabled));
    }
    return pinned;
}

void SetUpApplication(QApplication& app) {
    // The design's colours and pixel sizes assume this style and palette.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(PinnedPalette());
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
