#include <QApplication>
#include <csignal>
#include <cstdio>

#include "qt/application_identity.h"
#include "qt/command_line.h"
#include "qt/main_window.h"

namespace {

// The toolkit's own options, which it takes out of the command line itself.
bool isToolkitOption(const QString& argument, bool* takesValue) {
    static const QStringList withValue = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "qwindowgeometry",
                                          "qwindowtitle",
                                          "qwindowicon",
                                          "display",
                                          "geometry",
                                          "style",
                                          "stylesheet",
                                          "session",
                                          "name",
                                          "title"};
    static const QStringList alone = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    QString name = argument;
    while (name.startsWith('-')) name.remove(0, 1);
    if (name == argument || name.contains('=')) {
        *takesValue = false;
        return name != argument && withValue.contains(name.section('=', 0, 0));
    }
    *takesValue = withValue.contains(name);
    return *takesValue || alone.contains(name);
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        bool takesValue = false;
        if (i > 0 && isToolkitOption(argument, &takesValue)) {
            if (takesValue) ++i;
            continue;
        }
        arguments << argument;
    }
    return arguments;
}

int print(const QString& text, FILE* stream, int status) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit reached while writing a PDF must fail that write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and --version need no display: they are answered before the toolkit starts.
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    if (!line.error.isEmpty())
        return print(line.error + "\nPour l'aide : ventakar --help\n", stderr, 2);
    if (line.help) return print(commandLineHelp(), stdout, 0);
    if (line.version) return print(versionText(), stdout, 0);

    QApplication app(argc, argv);
    setApplicationIdentity();
    MainWindow window;
    if (!window.isLoaded()) return 1;
    window.show();
    window.resumeAfterStart(line.files);
    return app.exec();
}
