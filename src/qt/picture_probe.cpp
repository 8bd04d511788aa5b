#include "qt/picture_probe.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "qt/image_errors.h"
#include "qt/path_text.h"

std::string probePicture(const std::string& path) {
    const QString file = pathText(path);
    const QFileInfo info(file);
    if (!info.exists()) return "l'image est introuvable";
    if (!info.isFile() || !info.isReadable()) return "l'image ne peut pas être lue";
    QImageReader reader(file);
    if (reader.read().isNull())
        return "l'image ne peut pas être décodée (" + imageErrorInFrench(reader) + ")";
    return {};
}
