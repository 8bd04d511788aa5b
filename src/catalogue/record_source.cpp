#include "catalogue/record_source.h"

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"

void RecordSource::forEachRecord(const std::string& path, int fieldCount,
                                 std::string_view decimalSeparator,
                                 const std::function<void(const CatalogueRecord&)>& use) const {
    ::forEachRecord(path, fieldCount, decimalSeparator, use);
}

std::optional<CatalogueRecord> RecordSource::recordAt(CatalogueKind kind, int index,
                                                      std::string_view decimalSeparator) const {
    return readRecordAt(kind, index, decimalSeparator);
}

const RecordSource& fileRecords() {
    static const RecordSource files;
    return files;
}

const std::vector<CatalogueRecord>& CatalogueSnapshot::records(
    const std::string& path, int fieldCount, std::string_view decimalSeparator) const {
    auto [it, fresh] = files_.try_emplace({path, std::string(decimalSeparator)});
    File& file = it->second;
    if (fresh) {
        try {
            file.records = readRecordFile(path, fieldCount, decimalSeparator);
        } catch (const DataError& error) {
            file.failure.emplace(error.file(), error.reason());
        }
    }
    if (file.failure) throw DataError(file.failure->first, file.failure->second);
    return file.records;
}

void CatalogueSnapshot::forEachRecord(
    const std::string& path, int fieldCount, std::string_view decimalSeparator,
    const std::function<void(const CatalogueRecord&)>& use) const {
    for (const CatalogueRecord& record : records(path, fieldCount, decimalSeparator)) use(record);
}

std::optional<CatalogueRecord> CatalogueSnapshot::recordAt(
    CatalogueKind kind, int index, std::string_view decimalSeparator) const {
    const auto& all = records(cataloguePath(kind), fieldCount(kind), decimalSeparator);
    if (index < 0 || index >= static_cast<int>(all.size())) return std::nullopt;
    return all[index];
}
