#include "catalogue/record_source.h"

#include <filesystem>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "files/file_system.h"

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
    const std::lock_guard<std::mutex> lock(mutex_);
    auto [it, fresh] = files_.try_emplace({path, std::string(decimalSeparator)});
    File& file = it->second;
    if (fresh) {
        // Stamped before it is read: a save during the read counts as a change.
        stamps_.try_emplace(path, stampOf(path));
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

CatalogueSnapshot::Stamp CatalogueSnapshot::stampOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(systemPath(path), error);
    if (error || !fs::exists(status)) return {};
    Stamp stamp{.exists = true, .type = static_cast<int>(status.type())};
    const auto size = fs::file_size(systemPath(path), error);
    if (!error) stamp.size = static_cast<long long>(size);
    const auto modified = fs::last_write_time(systemPath(path), error);
    if (!error) stamp.modified = static_cast<long long>(modified.time_since_epoch().count());
    return stamp;
}

void CatalogueSnapshot::noteFile(const std::string& path) const {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stamps_.count(path)) return;
    }
    const Stamp stamp = stampOf(path);
    const std::lock_guard<std::mutex> lock(mutex_);
    stamps_.try_emplace(path, stamp);
}

bool CatalogueSnapshot::changedOnDisk() const {
    std::map<std::string, Stamp> stamps;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stamps = stamps_;
    }
    for (const auto& [path, stamp] : stamps)
        if (stampOf(path) != stamp) return true;
    return false;
}
