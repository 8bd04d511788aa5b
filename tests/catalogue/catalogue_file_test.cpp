#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "support/temp_data_dir.h"

namespace {

TEST(CatalogueFile, ReadCatalogueNumbersRecordsFromZero) {
    TempDataDir dir;
    dir.write("Pile.txt", "0.5,23,2.8,26\r\n0.6,24,3,27\r\n");
    auto records = readCatalogue(CatalogueKind::Pile, ",");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].index, 0);
    EXPECT_EQ(records[1].index, 1);
    EXPECT_EQ(records[1].fields.toVector(), (std::vector<std::string>{"0,6", "24", "3", "27"}));
}

TEST(CatalogueFile, ReadRecordAtFindsTheIndexAndNothingBeyondTheEnd) {
    TempDataDir dir;
    dir.write("Materiau.txt", "Balsa,3,x,y\r\nContreplaqu\xE9,2,x,y\r\nCarton,1.5,x,y\r\n");
    auto second = readRecordAt(CatalogueKind::Materiau, 1, ",");
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->index, 1);
    EXPECT_EQ(second->fields[0], "Contreplaqué");
    EXPECT_EQ(readRecordAt(CatalogueKind::Materiau, 2, ",")->fields[1], "1,5");
    EXPECT_FALSE(readRecordAt(CatalogueKind::Materiau, 3, ",").has_value());
    EXPECT_FALSE(readRecordAt(CatalogueKind::Materiau, -1, ",").has_value());
}

TEST(CatalogueFile, ReadRecordAtReadsPastTheRecordAndReportsACutShortEnd) {
    TempDataDir dir;
    dir.write("Materiau.txt", "Balsa,3,x,y\r\nCarton,1\r\n");
    EXPECT_THROW(readRecordAt(CatalogueKind::Materiau, 0, ","), DataError);
}

TEST(CatalogueFile, AnEditedFileIsReadAsItIsNow) {
    TempDataDir dir;
    dir.write("Materiau.txt", "Balsa,3,x,y\r\nCarton,1,x,y\r\n");
    EXPECT_EQ(readRecordAt(CatalogueKind::Materiau, 0, ",")->fields[1], "3");
    dir.write("Materiau.txt", "Balsa,4,x,y\r\n");
    EXPECT_EQ(readRecordAt(CatalogueKind::Materiau, 0, ",")->fields[1], "4");
    EXPECT_FALSE(readRecordAt(CatalogueKind::Materiau, 1, ",").has_value());
}

TEST(CatalogueFile, MissingOrUnreadableFileNamesPathAndReason) {
    TempDataDir dir;
    struct Row {
        const char* name;
        std::string reasonPart;
    } rows[] = {{"missing", "introuvable"}, {"directory", "dossier"}};
    std::filesystem::create_directories(dir.root() / "Data" / "Roue.txt");
    for (const Row& row : rows) {
        const CatalogueKind kind =
            std::string(row.name) == "missing" ? CatalogueKind::Helice : CatalogueKind::Roue;
        try {
            readCatalogue(kind, ",");
            ADD_FAILURE() << row.name << ": no error";
        } catch (const DataError& e) {
            EXPECT_EQ(e.file(), cataloguePath(kind)) << row.name;
            EXPECT_NE(e.reason().find(row.reasonPart), std::string::npos)
                << row.name << ": " << e.what();
        }
    }
}

TEST(CatalogueKinds, StemsFieldCountsAndPaths) {
    struct Row {
        CatalogueKind kind;
        const char* path;
        int fields;
    } rows[] = {{CatalogueKind::Helice, "Data/Helice.txt", 9},
                {CatalogueKind::Moteur, "Data/Moteur.txt", 8},
                {CatalogueKind::Berceau, "Data/Berceau.txt", 8},
                {CatalogueKind::Energie, "Data/Energie.txt", 7},
                {CatalogueKind::Pile, "Data/Pile.txt", 4},
                {CatalogueKind::Interrupteur, "Data/Interrupteur.txt", 6},
                {CatalogueKind::Roue, "Data/Roue.txt", 7},
                {CatalogueKind::Train, "Data/Train.txt", 6},
                {CatalogueKind::Materiau, "Data/Materiau.txt", 4}};
    for (const Row& row : rows) {
        EXPECT_EQ(cataloguePath(row.kind), row.path);
        EXPECT_EQ(fieldCount(row.kind), row.fields) << row.path;
    }
}

TEST(ComponentPicture, NamesFollowTheKindAndKeepTheFieldUntrimmed) {
    CatalogueRecord propeller{0, {" Hélice bipale ", "120", "", "", "", "", "", "2", "o"}};
    EXPECT_EQ(componentPicturePath(CatalogueKind::Helice, propeller),
              std::vector<std::string>{"Data/ Hélice bipale .jpg"});
    CatalogueRecord mounting{0, {"Train", "1", "desc", "10", "2", "montages/train1"}};
    EXPECT_EQ(componentPicturePath(CatalogueKind::Train, mounting),
              (std::vector<std::string>{"Data/montages/train1.gif", "Data/montages/train1.jpg"}));
    CatalogueRecord material{0, {"Balsa", "3", "", ""}};
    EXPECT_TRUE(componentPicturePath(CatalogueKind::Materiau, material).empty());
    EXPECT_TRUE(componentPicturePath(CatalogueKind::Pile, CatalogueRecord{0, {"1", "2", "3", "4"}})
                    .empty());
}

TEST(ComponentPicture, NamesLeadingOutsideDataAreRefused) {
    for (const char* name :
         {"../secret", "/etc/passwd", "a/../../b", "..", "\\\\serveur\\x", "a\\..\\..\\b"}) {
        CatalogueRecord record{0, {name, "", "", "", "", "", ""}};
        EXPECT_THROW(componentPicturePath(CatalogueKind::Roue, record), DataError) << name;
    }
    for (const char* name : {"roues/R40", "..R40", "R40..", "a/./b"}) {
        CatalogueRecord record{0, {name, "", "", "", "", "", ""}};
        EXPECT_NO_THROW(componentPicturePath(CatalogueKind::Roue, record)) << name;
    }
}

}  // namespace
