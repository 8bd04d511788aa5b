#include <QApplication>
#include <csignal>

#include "qt/design_window.h"

int main(int argc, char** argv) {
    // A file-size limit reached while writing a PDF must fail that write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    DesignWindow window;
    if (!window.isLoaded()) return 1;
    window.show();
    return app.exec();
}
