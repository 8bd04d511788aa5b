#include "qt/app/data_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

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

// The folder that holds the room's Data/, or nothing: the setting names either Data/ itself or
// the folder that holds it.
QString roomHome() {
    const QString folder = roomDataFolder();
    if (folder.isEmpty()) return {};
    const QFileInfo named(folder);
    if (named.isDir() && named.fileName() == "Data") return named.absolutePath();
    if (QFileInfo(QDir(folder).filePath("Data")).isDir()) return named.absoluteFilePath();
    return {};
}

}  // namespace

QString roomDataFolder() {
    const QSettings machine(QSettings::SystemScope, "VENTAKAR", "ventakar");
    return machine.value("dataFolder").toString().trimmed();
}

QString findDataHome(const QString& programFolder) {
    if (QFileInfo(QDir::current().filePath("Data")).isDir()) return QDir::currentPath();
    if (const QString room = roomHome(); !room.isEmpty()) return room;
    const QString teachers = teachersHome();
    if (!teachers.isEmpty() && QFileInfo(teachers + "/Data").isDir()) return teachers;
    const QString installed = installedHome(programFolder);
    if (QFileInfo(installed + "/Data").isDir()) return installed;
    return {};
}

QString dataFolderMissing(const QString& programFolder) {
    const QString room = roomDataFolder();
    return "Le dossier des données « Data » est introuvable : VENTAKAR l'a cherché dans le dossier "
           "de travail « " +
           QDir::currentPath() + " »" +
           (room.isEmpty()
                ? QString()
                : ", dans celui que les réglages de l'ordinateur nomment (dataFolder : « " + room +
                      " »)") +
           " puis dans le dossier d'installation « " + installedHome(programFolder) + " ».";
}

QString machineHandInFolder() {
    const QSettings machine(QSettings::SystemScope, "VENTAKAR", "ventakar");
    return machine.value("handInFolder").toString().trimmed();
}

QString handInFolder() {
    const QString machine = machineHandInFolder();
    return machine.isEmpty() ? QSettings().value("remise/dossier").toString().trimmed() : machine;
}

void setTeachersHandInFolder(const QString& folder) {
    QSettings().setValue("remise/dossier", folder);
}

namespace {

// One group of settings a folder, by its absolute path (« / » kept out of the key).
QString folderKey(const QString& folder, const char* what) {
    QString key = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    key.replace('/', '|').replace('\\', '|');
    return QString("remise-dossiers/") + key + "/" + what;
}

// An empty value removes the setting: nothing set for the folder.
void setFolderSetting(const QString& key, const QString& value) {
    QSettings settings;
    if (value.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, value);
}

}  // namespace

QString dueDateOf(const QString& folder) {
    return QSettings().value(folderKey(folder, "dateLimite")).toString();
}

void setDueDateOf(const QString& folder, const QString& due) {
    setFolderSetting(folderKey(folder, "dateLimite"), due);
}

QString classListOf(const QString& folder) {
    return QSettings().value(folderKey(folder, "liste")).toString();
}

void setClassListOf(const QString& folder, const QString& list) {
    setFolderSetting(folderKey(folder, "liste"), list);
}
