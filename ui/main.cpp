// Start-up: the application object, the main window and the hidden report
// host, and the message loop.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "report/qt_messages.h"
#include "report/unit2.h"
#include "ui/application_setup.h"
#include "ui/unit1.h"

int main(int argc, char* argv[]) {
    kaldora::DropRuntimeDirWarning();
    QApplication app(argc, argv);
    kaldora::RestartToFitTheScreen(argv);
    try {
        kaldora::SetUpApplication(app);
        kaldora::TForm2 Form2;
        kaldora::TForm1 Form1(&Form2);
        Form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(e.what()));
    }
    return 0;
}
