// The yardstick of the window's start-up time: an empty Qt window of the
// main window's size, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(792, 573);
    window.show();
    return app.exec();
}
