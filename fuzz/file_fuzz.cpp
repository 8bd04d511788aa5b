// Writes arbitrary bytes as a catalogue file and reads it both ways: every record readRecordAt
// finds must be the one readRecordFile gives at that index, and nothing beyond the last.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"

namespace {

const CatalogueKind kKinds[] = {CatalogueKind::Helice,  CatalogueKind::Moteur,
                                CatalogueKind::Energie, CatalogueKind::Pile,
                                CatalogueKind::Train,   CatalogueKind::Materiau};

// Every input is written in the same scratch Data/ folder, made once.
void enterScratchFolder() {
    static bool done = false;
    if (done) return;
    char pattern[] = "/tmp/ventakar-fuzz-XXXXXX";
    if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
    std::filesystem::create_directory("Data");
    done = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    enterScratchFolder();
    const CatalogueKind kind = kKinds[data[0] % std::size(kKinds)];
    const int probe = data[1] % 8;
    const std::string path = cataloguePath(kind);
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data + 2, 1, size - 2, f);
        std::fclose(f);
    }
    std::vector<CatalogueRecord> all;
    try {
        all = readRecordFile(path, fieldCount(kind), ",");
    } catch (const DataError&) {
        // A file the reader refuses must be refused at every index too.
        try {
            (void)readRecordAt(kind, probe, ",");
        } catch (const DataError&) {
            return 0;
        }
        std::abort();
    }
    for (int i = 0; i <= static_cast<int>(all.size()) && i < 64; ++i) {
        const auto one = readRecordAt(kind, i, ",");
        if (i == static_cast<int>(all.size())) {
            if (one) std::abort();
        } else if (!one || one->index != i || !(one->fields == all[i].fields)) {
            std::abort();
        }
        if (one && static_cast<int>(one->fields.size()) != fieldCount(kind)) std::abort();
    }
    return 0;
}
