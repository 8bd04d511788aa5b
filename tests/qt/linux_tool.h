#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

// Poppler's tools read back what the program wrote. They are this machine's Linux programs: the
// tests built for Windows, run by wine, start them through wine's « start /unix », their files
// named by their Unix paths and their output kept in a file.
namespace linux_tool {

#ifdef Q_OS_WIN
inline QString unixPath(const QString& windowsPath) {
    QProcess winepath;
    winepath.start("winepath.exe", {"-u", QDir::toNativeSeparators(windowsPath)});
    winepath.waitForFinished(20000);
    return QString::fromUtf8(winepath.readAllStandardOutput()).trimmed();
}

inline QString quoted(QString text) {
    return "'" + text.replace("'", R"('\'')") + "'";
}
#endif

// What program prints on its standard output; arguments naming a file that exists are paths.
inline QString run(const QString& program, const QStringList& arguments) {
#ifndef Q_OS_WIN
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
#else
    QTemporaryDir dir;
    // The Unix process gets the Windows environment, its PATH among it.
    QString line = "PATH=/usr/local/bin:/usr/bin:/bin; export PATH; " + program;
    for (const QString& argument : arguments)
        line += " " + quoted(QFileInfo::exists(argument) ? unixPath(argument) : argument);
    // « start /wait » does not wait for a Unix program: its output appears whole when it ends.
    const QString output = dir.filePath("sortie.txt");
    const QString partial = quoted(unixPath(dir.path()) + "/sortie.partielle");
    line += " > " + partial + " 2>/dev/null; mv " + partial + " " +
            quoted(unixPath(dir.path()) + "/sortie.txt") + "\n";
    QFile script(dir.filePath("outil.sh"));
    if (!script.open(QIODevice::WriteOnly)) return {};
    script.write(line.toUtf8());
    script.close();
    QProcess::execute("start.exe", {"/unix", "/bin/sh", unixPath(script.fileName())});
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(output) && waited.elapsed() < 20000) QThread::msleep(20);
    QFile out(output);
    return out.open(QIODevice::ReadOnly) ? QString::fromUtf8(out.readAll()) : QString();
#endif
}

}  // namespace linux_tool
