#include "catalogue/catalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "catalogue/data_error.h"
#include "catalogue/record_parser.h"

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
        default:
            return "le fichier ne peut pas être lu (erreur système " + std::to_string(error) +
                   ").";
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string readFileBytes(const std::string& path) {
    std::error_code status;
    if (std::filesystem::is_directory(path, status)) throw DataError(path, reasonOf(EISDIR));
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw DataError(path, reasonOf(errno));
    std::string bytes;
    std::size_t used = 0;
    // Sized from the file's length once; the loop still copes with a file that grows meanwhile.
    std::size_t chunk = 65536;
    const auto length = std::filesystem::file_size(path, status);
    if (!status && length < (std::uintmax_t{1} << 31)) chunk = static_cast<std::size_t>(length) + 1;
    for (;;) {
        bytes.resize(used + chunk);
        const std::size_t got = std::fread(bytes.data() + used, 1, chunk, file.get());
        used += got;
        if (got < chunk) break;
    }
    bytes.resize(used);
    if (std::ferror(file.get())) throw DataError(path, reasonOf(errno));
    return bytes;
}

std::vector<CatalogueRecord> readRecordFile(const std::string& path, int fieldCount,
                                            std::string_view decimalSeparator) {
    const std::string bytes = readFileBytes(path);
    RecordParser parser(bytes, path, fieldCount, decimalSeparator);
    std::vector<CatalogueRecord> records;
    // Records are conventionally one a line: a good first guess of how many there are.
    std::size_t lines = 1;
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '\n', bytes.data() + bytes.size() - p)));
         ++p) {
        ++lines;
    }
    records.reserve(lines);
    CatalogueRecord record;
    while (parser.next(&record.fields)) {
        record.index = static_cast<std::int32_t>(records.size());
        records.push_back(std::move(record));
    }
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
    // Every record is read, the chosen one kept, so a file cut short is reported whatever the index.
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
        throw DataError(path, "ce nom d'image sort du dossier Data ; seuls les fichiers de Data "
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
