// Start-up: the application object, the main window and the hidden report
// host, and the message loop.
#include <QApplication>
#include <QHashSeed>
#include <QMessageBox>
#include <exception>

#include "report/qt_messages.h"
#include "report/report_preview.h"
#include "ui/application_setup.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    kaldora::DropRuntimeDirWarning();
    // The PDF writer orders its fonts by hash: a fixed seed, the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    QApplication app(argc, argv);
    kaldora::RestartToFitTheScreen(argv);
    try {
        kaldora::SetUpApplication(app);
        kaldora::ReportPreview Form2;
        kaldora::MainWindow Form1(&Form2, kaldora::TitleScreenFirst{});
        Form1.show();
        // The title screen is painted before the controls it hides are made.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        Form1.BuildOtherScreens();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(e.what()));
    }
    return 0;
}
