#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue_kind.h"
#include "catalogue/catalogue_record.h"

// Where the steps read catalogue records: the files themselves at every read (the pupil's window,
// as the design describes), or a snapshot read once and shared by many designs (a class scan).
class RecordSource {
  public:
    virtual ~RecordSource() = default;
    // Every record of a file in the catalogue syntax, in file order; DataError when it fails.
    virtual void forEachRecord(const std::string& path, int fieldCount,
                               std::string_view decimalSeparator,
                               const std::function<void(const CatalogueRecord&)>& use) const;
    // The record of that index in the catalogue, if it holds one.
    virtual std::optional<CatalogueRecord> recordAt(CatalogueKind kind, int index,
                                                    std::string_view decimalSeparator) const;
};

// The files, read again at every call.
const RecordSource& fileRecords();

// Each file read once, at its first use, then answered from memory; a file that failed fails
// again the same way without being read again. Several threads may share one.
class CatalogueSnapshot : public RecordSource {
  public:
    void forEachRecord(const std::string& path, int fieldCount, std::string_view decimalSeparator,
                       const std::function<void(const CatalogueRecord&)>& use) const override;
    std::optional<CatalogueRecord> recordAt(CatalogueKind kind, int index,
                                            std::string_view decimalSeparator) const override;
    // The records of a file, read now if they were not.
    const std::vector<CatalogueRecord>& records(const std::string& path, int fieldCount,
                                                std::string_view decimalSeparator) const;
    // Whether a file read since has changed on disk (saved again, replaced, removed, created).
    bool changedOnDisk() const;
    // A file read beside the catalogues (a picture) whose change counts as theirs, as it is now.
    void noteFile(const std::string& path) const;

  private:
    struct File {
        std::vector<CatalogueRecord> records;
        std::optional<std::pair<std::string, std::string>> failure;  // file, reason
    };
    struct Stamp {
        bool exists = false;
        int type = 0;  // a regular file, a folder, a pipe...
        long long size = 0;
        long long modified = 0;  // in the file system's own ticks
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const std::string& path);
    mutable std::mutex mutex_;
    mutable std::map<std::pair<std::string, std::string>, File> files_;  // by path, separator
    mutable std::map<std::string, Stamp> stamps_;  // as each file was when it was read
};
