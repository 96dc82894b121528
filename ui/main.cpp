// Start-up of the program. The main window's controls come with the window
// module; until then a plain window with the right caption and size.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Кальдора"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Программа тепловых расчетов"));
    window.setFixedSize(792, 573);
    window.show();
    return app.exec();
}
