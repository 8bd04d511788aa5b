#include "catalogue/catalogue.h"

#include <cerrno>
#include <cstdint>

#include "catalogue/data_error.h"
#include "catalogue/record_parser.h"
#include "files/file_system.h"

namespace {

std::string reasonOf(int error) {
    switch (error) {
        case ENOENT:
            return "le fichier est introuvable.";
        case EACCES:
        case EPERM:
            return "la lecture du fichier est refusée (droits d'accès).";
        case EISDIR:
            return "c'est un dossier, pas un fichier.";
        case ELOOP:
            return "le fichier ne peut pas être ouvert : une boucle de liens symboliques (un lien "
                   "qui mène à lui-même) ; remplacez le lien par le fichier.";
        case EIO:
            return "erreur matérielle de lecture sur le disque.";
        case EROFS:
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier.";
        default:
            return "le fichier ne peut pas être lu (erreur système " + std::to_string(error) + ").";
    }
}

std::string mebibytes(std::uintmax_t bytes) {
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " Mio";
}

std::string sizeText(std::uintmax_t bytes) {
    if (bytes >= (1u << 20)) return mebibytes(bytes);
    return std::to_string((bytes + 1023) >> 10) + " Kio";
}

[[noreturn]] void tooLarge(const std::string& path, std::uintmax_t size, const FileRules& rules) {
    throw DataError(path, "le fichier est trop grand (" + sizeText(size) + ") : " + rules.limit +
                              " " + sizeText(rules.maxBytes) + ".");
}

}  // namespace

std::string readFileBytes(const std::string& path, const FileRules& rules) {
    // Never waiting on a named pipe at start-up; only a regular file is read.
    int error = 0;
    SystemFile file = openForReading(path, &error);
    if (!file.isOpen()) throw DataError(path, reasonOf(error));
    const FileStatus info = file.status();
    if (info.error != 0) throw DataError(path, reasonOf(info.error));
    if (info.kind == FileKind::Directory) throw DataError(path, reasonOf(EISDIR));
    if (info.kind != FileKind::Regular) {
        throw DataError(
            path,
            std::string("ce n'est pas un fichier ordinaire (tube, périphérique ou autre) : ") +
                rules.onlyRegular);
    }
    const auto length = static_cast<std::uintmax_t>(info.size);
    if (length > rules.maxBytes) tooLarge(path, length, rules);
    std::string bytes;
    std::size_t used = 0;
    // Sized from the file's length; the loop still copes with a file that changes meanwhile.
    bytes.resize(static_cast<std::size_t>(length) + 1);
    for (;;) {
        if (used == bytes.size()) {
            if (used > rules.maxBytes) tooLarge(path, used, rules);
            bytes.resize(used + 65536);
        }
        const long long got = file.read(bytes.data() + used, bytes.size() - used, &error);
        if (got < 0) throw DataError(path, reasonOf(error));
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    if (used > rules.maxBytes) tooLarge(path, used, rules);
    bytes.resize(used);
    return bytes;
}

void forEachRecord(const std::string& path, int fieldCount, std::string_view decimalSeparator,
                   const std::function<void(const CatalogueRecord&)>& use) {
    const std::string bytes = readFileBytes(path);
    RecordParser parser(bytes, path, fieldCount, decimalSeparator);
    CatalogueRecord record;
    for (std::int32_t index = 0; parser.next(&record.fields); ++index) {
        record.index = index;
        use(record);
    }
}

std::vector<CatalogueRecord> readRecordFile(const std::string& path, int fieldCount,
                                            std::string_view decimalSeparator) {
    std::vector<CatalogueRecord> records;
    forEachRecord(path, fieldCount, decimalSeparator,
                  [&records](const CatalogueRecord& record) { records.push_back(record); });
    return records;
}

std::vector<CatalogueRecord> readCatalogue(CatalogueKind kind, std::string_view decimalSeparator) {
    return readRecordFile(cataloguePath(kind), fieldCount(kind), decimalSeparator);
}

std::optional<CatalogueRecord> readRecordAt(CatalogueKind kind, int index,
                                            std::string_view decimalSeparator) {
    const std::string path = cataloguePath(kind);
    const std::string bytes = readFileBytes(path);
    RecordParser parser(bytes, path, fieldCount(kind), decimalSeparator);
    std::optional<CatalogueRecord> found;
    // Every record is read, the chosen one kept, so a file cut short is reported whatever the
    // index.
    for (int i = 0;; ++i) {
        if (i == index) {
            CatalogueRecord record;
            record.index = i;
            if (!parser.next(&record.fields)) break;
            found = std::move(record);
        } else if (!parser.next(nullptr)) {
            break;
        }
    }
    return found;
}

std::string trimSpaces(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return std::string();
    return std::string(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
}

std::string dataPicturePath(const std::string& name, const std::string& extension) {
    std::string path = std::string(kDataDir) + name + extension;
    const bool absolute = !name.empty() && (name.front() == '/' || name.front() == '\\');
    bool climbs = false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        std::string_view part(name.data() + start, end - start);
        // Leading and trailing blanks count, as the name is used untrimmed: " .." is no climb.
        if (part == "..") climbs = true;
        start = end + 1;
    }
    if (absolute || climbs) {
        throw DataError(path,
                        "ce nom d'image sort du dossier Data ; seuls les fichiers de Data "
                        "et de ses sous-dossiers sont acceptés.");
    }
    return path;
}

std::vector<std::string> componentPicturePath(CatalogueKind kind, const CatalogueRecord& record) {
    switch (kind) {
        case CatalogueKind::Pile:
        case CatalogueKind::Materiau:
            return {};
        case CatalogueKind::Train: {
            const std::string name(record.fields.at(5));
            return {dataPicturePath(name, ".gif"), dataPicturePath(name, ".jpg")};
        }
        default:
            return {dataPicturePath(std::string(record.fields.at(0)), ".jpg")};
    }
}
