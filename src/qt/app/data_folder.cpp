#include "qt/app/data_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString installedHome(const QString& programFolder) {
    return QDir::cleanPath(programFolder + "/../share/ventakar");
}

}  // namespace

QString findDataHome(const QString& programFolder) {
    if (QFileInfo(QDir::current().filePath("Data")).isDir()) return QDir::currentPath();
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
