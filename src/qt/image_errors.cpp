#include "qt/image_errors.h"

#include <QImageReader>

std::string imageErrorInFrench(const QImageReader& reader) {
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
