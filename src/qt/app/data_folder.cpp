#include "qt/app/data_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString installedHome(const QString& programFolder) {
#ifdef Q_OS_WIN
    return QDir::cleanPath(programFolder);  // Data/ beside ventakar.exe
#else
    return QDir::cleanPath(programFolder + "/../share/ventakar");
#endif
}

// Windows: the teachers' own catalogues for every machine, %ProgramData%\VENTAKAR\Data, come
// before those installed with the program. None elsewhere.
QString teachersHome() {
#ifdef Q_OS_WIN
    const QString shared = qEnvironmentVariable("ProgramData");
    return shared.isEmpty() ? QString() : QDir::cleanPath(shared + "/VENTAKAR");
#else
    return {};
#endif
}

}  // namespace

QString findDataHome(const QString& programFolder) {
    if (QFileInfo(QDir::current().filePath("Data")).isDir()) return QDir::currentPath();
    const QString teachers = teachersHome();
    if (!teachers.isEmpty() && QFileInfo(teachers + "/Data").isDir()) return teachers;
    const QString installed = installedHome(programFolder);
    if (QFileInfo(installed + "/Data").isDir()) return installed;
    return {};
}

QString dataFolderMissing(const QString& programFolder) {
    return "Le dossier des données « Data » est introuvable : VENTAKAR l'a cherché dans le dossier "
           "de travail « " +
           QDir::currentPath() + " » puis dans le dossier d'installation « " +
           installedHome(programFolder) + " ».";
}
