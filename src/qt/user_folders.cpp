#include "qt/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString proposedFolder() {
    const QString candidates[] = {
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath(),
        QDir::currentPath()};
    for (const QString& folder : candidates) {
        if (folder.isEmpty()) continue;
        const QFileInfo info(folder);
        if (info.isDir() && info.isWritable()) return info.absoluteFilePath();
    }
    return QDir::currentPath();
}

QString pdfNameFor(const QString& designFile) {
    const QString base = QFileInfo(designFile).completeBaseName();
    return (base.isEmpty() ? QString("Conception") : base) + ".pdf";
}
