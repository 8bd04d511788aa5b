// The yardstick of the start-up bench: a bare QWidget of the design window's client size, shown
// on the same platform, then the process ends.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1440, 830);
    window.show();
    QApplication::processEvents();
    return 0;
}
