#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_kind.h"
#include "catalogue/catalogue_record.h"

// A catalogue larger than this is refused rather than read.
inline constexpr std::uintmax_t kMaxCatalogueBytes = std::uintmax_t{64} << 20;

// What a file read whole may be: its largest size and how the refusals end.
struct FileRules {
    std::uintmax_t maxBytes = kMaxCatalogueBytes;
    const char* onlyRegular = "seul un fichier texte peut servir de catalogue.";
    const char* limit = "un catalogue ne peut pas dépasser";
};

// The whole content of a regular file, or a DataError naming it and why it cannot be read
// (missing, unreadable, not a regular file, larger than the rules allow).
std::string readFileBytes(const std::string& path, const FileRules& rules = {});

// Reads the records of a file one by one, without keeping them; the record passed is reused.
void forEachRecord(const std::string& path, int fieldCount, std::string_view decimalSeparator,
                   const std::function<void(const CatalogueRecord&)>& use);

// Every record of a file in the catalogue syntax, fieldCount fields a record, in file order.
std::vector<CatalogueRecord> readRecordFile(const std::string& path, int fieldCount,
                                            std::string_view decimalSeparator);

std::vector<CatalogueRecord> readCatalogue(CatalogueKind kind, std::string_view decimalSeparator);

// Reads the whole file again and returns the record of that index, if the file holds it.
std::optional<CatalogueRecord> readRecordAt(CatalogueKind kind, int index,
                                            std::string_view decimalSeparator);

// The pictures a record names: one .jpg, the .gif drawing then the .jpg photo of a mounting, or
// none. A name leading outside Data/ is refused with a DataError.
std::vector<std::string> componentPicturePath(CatalogueKind kind, const CatalogueRecord& record);

// A field without the spaces at either end, as the lists show it and the checks compare it.
std::string trimSpaces(std::string_view text);

// "Data/" + name, refused when name is absolute or climbs out of Data/ through "..".
std::string dataPicturePath(const std::string& name, const std::string& extension);
