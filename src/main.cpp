#include <QApplication>

#include "qt/design_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DesignWindow window;
    if (!window.isLoaded()) return 1;
    window.show();
    return app.exec();
}
