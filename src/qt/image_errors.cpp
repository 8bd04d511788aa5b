#include "qt/image_errors.h"

#include <QImageReader>
#include <QString>
#include <QtGlobal>

std::string imageErrorInFrench(const QImageReader& reader) {
    // The decoder refuses a picture over its memory limit: it is too large, not damaged.
    const QSize size = reader.size();
    const int limitMiB = QImageReader::allocationLimit();
    if (size.isValid() && limitMiB > 0 &&
        double(size.width()) * size.height() * 4 > double(limitMiB) * 1024 * 1024) {
        return "elle est trop grande pour être affichée : " + std::to_string(size.width()) + " × " +
               std::to_string(size.height()) + " pixels";
    }
    switch (reader.error()) {
        case QImageReader::FileNotFoundError:
            return "fichier introuvable";
        case QImageReader::DeviceError:
            return "le fichier ne peut pas être lu";
        case QImageReader::UnsupportedFormatError:
            return "ce n'est pas une image JPEG ou GIF lisible";
        case QImageReader::InvalidDataError:
            return "les données de l'image sont abîmées ou incomplètes";
        case QImageReader::UnknownError:
            break;
    }
    return "image illisible";
}

namespace {

QtMessageHandler toolkitHandler = nullptr;

bool isImageLimitWarning(const QString& message) {
    return message.contains("exceeds the current allocation limit");
}

void withoutImageLimitWarnings(QtMsgType type, const QMessageLogContext& context,
                               const QString& message) {
    if (isImageLimitWarning(message)) return;
    if (toolkitHandler) toolkitHandler(type, context, message);
}

}  // namespace

void quietImageDecoderWarnings() {
    static const bool installed =
        (toolkitHandler = qInstallMessageHandler(withoutImageLimitWarnings), true);
    (void)installed;
}
