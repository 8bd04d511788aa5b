#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"
#include "support/system_rows.h"
#include "support/temp_data_dir.h"

namespace fs = std::filesystem;

namespace {

struct FileCase {
    const char* name;
    std::function<void(const TempDataDir&)> make;  // what Data/Roue.txt is
    const char* reason;                            // nullptr: read as a catalogue
    std::size_t records;
    const char* posixOnly = nullptr;  // why the row means nothing on Windows
};

constexpr const char* kNoLinks = "wine makes no symbolic links (Windows: an administrator's)";

const fs::path kRoue = "Data/Roue.txt";

const FileCase kFiles[] = {
    {"NamedPipe", [](const TempDataDir&) { ASSERT_TRUE(makeFifo(kRoue)); },
     "pas un fichier ordinaire", 0, "no named pipe under a file name on Windows"},
    {"LinkToAnEndlessDevice", [](const TempDataDir&) { fs::create_symlink("/dev/zero", kRoue); },
     "pas un fichier ordinaire", 0, kNoLinks},
    {"Directory", [](const TempDataDir&) { fs::create_directory(kRoue); }, "c'est un dossier", 0},
    {"LinkLoop",
     [](const TempDataDir&) {
         fs::create_symlink("Roue-b.txt", "Data/Roue-a.txt");
         fs::create_symlink("Roue-a.txt", "Data/Roue-b.txt");
         fs::create_symlink("Roue-a.txt", kRoue);
     },
     "une boucle de liens symboliques", 0, kNoLinks},
    {"LargerThanTheLimit",
     [](const TempDataDir&) {
         std::ofstream(kRoue).put('x');
         fs::resize_file(kRoue, kMaxCatalogueBytes + 1);  // sparse: nothing written
     },
     "le fichier est trop grand (65 Mio) : un catalogue ne peut pas dépasser 64 Mio.", 0},
    {"LinkToARegularFile",
     [](const TempDataDir& d) {
         d.write("Roues.txt", "\"R30\",30,4,2,\"S\",\"R\",0.25\r\n");
         fs::create_symlink("Roues.txt", kRoue);
     },
     nullptr, 1, kNoLinks},
    // Read as bytes: CR LF kept for the reader, a Ctrl-Z byte no end of the file.
    {"CrLfAndACtrlZByte",
     [](const TempDataDir& d) {
         d.write("Roue.txt",
                 "\"R30\x1a\",30,4,2,\"S\",\"R\",0.25\r\n\"R40\",40,6,3,\"S\",\"R\",0.3\r\n");
     },
     nullptr, 2},
    {"JustUnderTheLimitOfBlankLines",
     [](const TempDataDir&) {
         std::ofstream out(kRoue, std::ios::binary);
         const std::string blanks(1 << 20, '\n');
         for (int i = 0; i < 63; ++i) out << blanks;
     },
     nullptr, 0},
};

class CatalogueFileKind : public ::testing::TestWithParam<FileCase> {};

TEST_P(CatalogueFileKind, OnlyRegularFilesWithinTheLimitAreRead) {
    const FileCase& row = GetParam();
    if (kOnWindows && row.posixOnly) GTEST_SKIP() << row.posixOnly;
    TempDataDir dir;
    row.make(dir);
    // A pipe with no writer must not hold the reader: give it a few seconds at most.
    auto reading = std::async(std::launch::async, [] {
        try {
            return std::to_string(readCatalogue(CatalogueKind::Roue, ",").size());
        } catch (const DataError& e) {
            return std::string(e.what());
        }
    });
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(5)), std::future_status::ready)
        << "the reader hangs";
    const std::string result = reading.get();
    if (row.reason) {
        EXPECT_EQ(result.rfind("Fichier « Data/Roue.txt » : ", 0), 0u) << result;
        EXPECT_NE(result.find(row.reason), std::string::npos) << result;
    } else {
        EXPECT_EQ(result, std::to_string(row.records));
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueFileKind, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    std::string raw;
    std::string shown;
};

const NameCase kNames[] = {
    {"Plain", "Data/Roue 40 mm.jpg", "Data/Roue 40 mm.jpg"},
    {"AccentsKept", "Data/Hélice.jpg", "Data/Hélice.jpg"},
    {"Nul", std::string("Data/a\0b.jpg", 12), "Data/a\\x00b.jpg"},
    {"LineEndsAndTab", "a\r\nb\tc", "a\\x0D\\x0Ab\\x09c"},
    {"Delete", "a\x7F", "a\\x7F"},
    {"C1Control", "a\xC2\x85z", "a\\x85z"},
    {"BrokenSequenceHidingAControl", "\xC9\x08\xE9lice", "\\xC9\\x08\\xE9lice"},
    {"SequenceCutByTheEnd", "ab\xE2\x82", "ab\\xE2\\x82"},
    {"ExactlyTheLimit", std::string(200, 'e'), std::string(200, 'e')},
    {"OverTheLimit", std::string(1 << 20, 'e'), std::string(200, 'e') + "…"},
    {"OverTheLimitInAccents", std::string(201 * 2, '\0'), ""},  // filled below
};

TEST(SafeName, ControlsAreEscapedAndLongNamesCut) {
    for (NameCase row : kNames) {
        if (std::string(row.name) == "OverTheLimitInAccents") {
            row.raw.clear();
            for (int i = 0; i < 201; ++i) row.raw += "é";
            row.shown = row.raw.substr(0, 400) + "…";
        }
        EXPECT_EQ(safeName(row.raw), row.shown) << row.name;
    }
}

TEST(SafeName, AHugeFileNameGivesAShortMessage) {
    const DataError error("Data/" + std::string(1 << 20, 'x') + ".jpg", "l'image est introuvable.");
    EXPECT_LT(std::string(error.what()).size(), 300u);
    EXPECT_EQ(error.file().size(), (1u << 20) + 9);  // the name itself is kept whole
}

}  // namespace
