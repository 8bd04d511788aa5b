#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "catalogue/visible_text.h"
#include "classroom/class_scan.h"

#include "files/file_system.h"
#include "qt/app/application_identity.h"
#include "qt/app/catalogue_check_run.h"
#include "qt/app/class_command.h"
#include "qt/app/command_line.h"
#include "qt/app/data_folder.h"
#include "qt/app/main_window.h"
#include "qt/app/translations.h"
#include "qt/catalogues/catalogue_window.h"
#include "qt/image_errors.h"
#include "qt/path_text.h"
#include "qt/qt_platform.h"

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

// The arguments without the toolkit's own options.
QStringList programArguments(const QStringList& all) {
    QStringList arguments;
    for (int i = 0; i < all.size(); ++i) {
        const QString& argument = all[i];
        bool takesValue = false;
        if (i > 0 && isToolkitOption(argument, &takesValue)) {
            if (takesValue) ++i;
            continue;
        }
        arguments << argument;
    }
    return arguments;
}

// Before the toolkit starts: the arguments as UTF-8, which is what they are here but on Windows,
// where they are read again from the toolkit once it runs (readAgain).
QStringList argumentsOf(int argc, char** argv) {
    QStringList all;
    for (int i = 0; i < argc; ++i) all << QString::fromUtf8(argv[i]);
    return programArguments(all);
}

// On Windows the arguments main() gets are in the ANSI code page: the toolkit's, read from the
// UTF-16 command line, replace them. Elsewhere nothing changes.
void readAgain(CommandLine& line) {
#ifdef Q_OS_WIN
    line = parseCommandLine(programArguments(QCoreApplication::arguments()));
#else
    (void)line;
#endif
}

// The folder the program runs from, where the installed Data is found.
QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

// Whether the window can open: a display, or a platform named by the environment (offscreen).
// Windows always has one.
bool displayAvailable(int argc, char** argv) {
#ifdef Q_OS_WIN
    (void)argc;
    (void)argv;
    return true;
#else
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "-platform" || argument == "--platform" ||
            argument.rfind("-platform=", 0) == 0 || argument.rfind("--platform=", 0) == 0)
            return true;
    }
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
#endif
}

int print(const QString& text, FILE* stream, int status) {
    std::fputs(text.toUtf8().constData(), stream);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A file-size limit reached while writing a PDF must fail that write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // A Windows terminal shows what the teacher's commands write, in UTF-8.
    attachToTerminal();
    // --help and --version need no display: they are answered before the toolkit starts.
    CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    if (!line.error.isEmpty())
        return print(line.error + "\nPour l'aide : ventakar --help\n", stderr, 1);
    if (line.help) return print(commandLineHelp(), stdout, 0);
    if (line.version) return print(versionText(), stdout, 0);

    // Files named relative to where the program was started, before it moves to its Data.
    const QString startFolder = QDir::currentPath();
    QStringList files;
    const auto absoluteFiles = [&] {
        files.clear();
        for (const QString& file : line.files) files << QFileInfo(file).absoluteFilePath();
    };
    absoluteFiles();
    QString program, home;
    // Once the toolkit runs: the arguments as it reads them, the program's folder, its Data.
    const auto started = [&] {
        readAgain(line);
        absoluteFiles();
        program = programFolder();
        home = findDataHome(program);
    };

    if (!line.fixFile.isEmpty()) {
        QCoreApplication app(argc, argv);
        started();
        quietImageDecoderWarnings();
        installPictureCheck();
        const QString file = QFileInfo(line.fixFile).absoluteFilePath();
        const QString csv = line.csvFile.isEmpty() || line.csvFile == "-"
                                ? line.csvFile
                                : QFileInfo(line.csvFile).absoluteFilePath();
        if (home.isEmpty()) return print(dataFolderMissing(program) + "\n", stderr, 1);
        QDir::setCurrent(home);
        return writeFixesCsv(file, csv);
    }

    if (!line.handInFile.isEmpty()) {
        QCoreApplication app(argc, argv);
        started();
        setApplicationIdentity();  // the machine's settings name the hand-in folder
        const QString folder = line.handInFolder.isEmpty()
                                   ? handInFolder()
                                   : QFileInfo(line.handInFolder).absoluteFilePath();
        return handInFromCommandLine(QFileInfo(line.handInFile).absoluteFilePath(), folder);
    }

    if ((!line.classFolder.isEmpty() || !line.orderFolder.isEmpty()) &&
        (!line.csvFile.isEmpty() || !line.workbookFile.isEmpty())) {
        QCoreApplication app(argc, argv);
        started();
        setApplicationIdentity();  // what the teacher set for the folder
        quietImageDecoderWarnings();
        installPictureCheck();  // a row refuses a picture the window would refuse
        const bool order = !line.orderFolder.isEmpty();
        const QString folder =
            QFileInfo(order ? line.orderFolder : line.classFolder).absoluteFilePath();
        const auto target = [](const QString& file) {
            return file.isEmpty() || file == "-" ? file : QFileInfo(file).absoluteFilePath();
        };
        const QString csv = target(line.csvFile);
        const QString workbook = target(line.workbookFile);
        if (home.isEmpty()) return print(dataFolderMissing(program) + "\n", stderr, 1);
        Collection collection;
        if (!order &&
            !readCollection(line.classListSet ? QFileInfo(line.classList).absoluteFilePath()
                                              : classListOf(folder),
                            line.dueDateSet ? line.dueDate : dueDateOf(folder), &collection))
            return 1;
        QDir::setCurrent(home);
        return order ? writeOrderCsv(folder, csv, workbook)
                     : writeClassCsv(folder, csv, workbook, collection, line.withFixes);
    }

    if (line.check) {
        QCoreApplication app(argc, argv);
        started();
        if (!files.isEmpty()) return runCatalogueCheck(files.first());
        if (home.isEmpty()) return print(dataFolderMissing(program) + "\n", stderr, 1);
        return runCatalogueCheck(QDir(home).filePath("Data"));
    }

    if (!line.classFolder.isEmpty()) {
        const QString folder = QDir(startFolder).absoluteFilePath(line.classFolder);
        const std::string problem = classFolderProblem(pathBytes(folder));
        if (!problem.empty())
            return print(QString::fromStdString("VENTAKAR : " + visibleText(problem) + "\n"),
                         stderr, 1);
    }
    if (!displayAvailable(argc, argv))
        return print(
            "VENTAKAR : aucun écran n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY) : la fenêtre "
            "ne peut pas s'ouvrir. Pour un tableau sans fenêtre : ventakar --classe DOSSIER "
            "--csv FICHIER.\n",
            stderr, 1);
    QApplication app(argc, argv);
    started();
    quietImageDecoderWarnings();
    setApplicationIdentity();
    installToolkitTranslations();
    installPictureCheck();
    if (home.isEmpty()) {
        QMessageBox::critical(nullptr, "VENTAKAR",
                              "VENTAKAR ne peut pas démarrer.\n\n" + dataFolderMissing(program));
        return 1;
    }
    QDir::setCurrent(home);  // every data file is read from Data/ there
    if (line.catalogues) {
        // The teacher's editor alone: no design, no start window.
        CatalogueWindow editor(files.isEmpty() ? QDir(home).filePath("Data") : files.first());
        editor.show();
        return app.exec();
    }
    // A teacher's class view opens without the pupils' start window.
    MainWindow window(/*startWindow=*/line.classFolder.isEmpty());
    if (!window.isLoaded()) return 1;
    if (!line.classFolder.isEmpty()) {
        // The class view alone; the design window shows once a design is opened from it.
        const QString folder = QFileInfo(line.classFolder).isAbsolute()
                                   ? line.classFolder
                                   : QDir(startFolder).absoluteFilePath(line.classFolder);
        window.openClass(folder, true);
        return app.exec();
    }
    window.show();
    window.resumeAfterStart(files);
    return app.exec();
}
