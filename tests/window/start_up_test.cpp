#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/data_error.h"
#include "session/design_session.h"
#include "support/fake_platform.h"
#include "support/temp_data_dir.h"
#include "window/design_record.h"
#include "window/start_up.h"

namespace {

DesignRecord loadedRecord(FakePlatform& platform) {
    DesignRecord record;
    loadDesignWindow(record, platform);
    return record;
}

TEST(StartUp, ShowsTheStartWindowFirstThenLoadsStepAndPreviewPicturesInOrder) {
    FakePlatform platform;
    loadedRecord(platform);
    ASSERT_FALSE(platform.log.empty());
    EXPECT_EQ(platform.log.front(), "start window");
    const std::vector<std::string> expected = {
        "Data/Choix1.jpg",  "Data/Choix2.jpg",  "Data/Choix3.jpg",  "Data/Choix4.jpg",
        "Data/Choix5.jpg",  "Data/Choix6.jpg",  "Data/Choix7.jpg",  "Data/Choix8.jpg",
        "Data/Choix9.jpg",  "Data/Choix10.jpg", "Data/Choix11.jpg", "Data/Choix12.jpg",
        "Data/Choix13.jpg", "Data/Choix14.jpg", "Data/Apercu.jpg",  "Data/Apercu.jpg",
        "Data/Apercu.jpg",  "Data/Apercu.jpg",  "Data/Apercu.jpg",  "Data/Apercu.jpg"};
    EXPECT_EQ(platform.picturesLoaded(), expected);
}

TEST(StartUp, PicturesGoToTheirBoxesWhichTakeTheirSize) {
    FakePlatform platform;
    platform.pictureSize = {60, 40};
    DesignRecord record = loadedRecord(platform);
    const struct {
        const char* box;
        const char* file;
    } rows[] = {{"Picture1", "Data/Choix1.jpg"},   {"Picture8", "Data/Choix8.jpg"},
                {"Picture12", "Data/Choix9.jpg"},  {"Picture15", "Data/Choix10.jpg"},
                {"Picture14", "Data/Choix11.jpg"}, {"Picture10", "Data/Choix12.jpg"},
                {"Picture11", "Data/Choix13.jpg"}, {"Picture9", "Data/Choix14.jpg"},
                {"Picture19", "Data/Apercu.jpg"},  {"Picture18", "Data/Apercu.jpg"}};
    for (const auto& row : rows) {
        EXPECT_EQ(record[row.box].pictureFile, row.file) << row.box;
        EXPECT_EQ(record[row.box].geometry.width, (60 + 4) * 15) << row.box;
        EXPECT_EQ(record[row.box].geometry.height, (40 + 4) * 15) << row.box;
    }
    EXPECT_EQ(record["Picture9"].geometry.left, 120);
}

TEST(StartUp, OnlyStepOneIsUsableAndEveryDisplayFieldIsReadOnly) {
    FakePlatform platform;
    DesignRecord record = loadedRecord(platform);
    for (const Control& c : record.controls()) {
        switch (c.kind) {
            case ControlKind::List:
                EXPECT_EQ(c.enabled, c.name == "Combo1") << c.name;
                break;
            case ControlKind::OptionButton:
            case ControlKind::CheckBox:
                EXPECT_FALSE(c.enabled) << c.name;
                break;
            case ControlKind::TextField: {
                const bool editable = c.name == "Text30" || c.name == "Text36" ||
                                      c.name == "Text43" || c.name == "Text74";
                EXPECT_EQ(c.readOnly, !editable) << c.name;
                break;
            }
            default:
                break;
        }
    }
    EXPECT_FALSE(record["Command1"].enabled);
    EXPECT_TRUE(record["Command3"].enabled);
    EXPECT_TRUE(record["quitter"].enabled);
    EXPECT_TRUE(record["Option7"].selected);
}

TEST(StartUp, StartTextsAndTheHiddenSketch) {
    FakePlatform platform;
    DesignRecord record = loadedRecord(platform);
    const struct {
        const char* name;
        const char* text;
    } texts[] = {{"Text74", "0"},      {"Text75", "0"},  {"Text76", "0"}, {"Text77", "0"},
                 {"Text79", "5"},      {"Text80", "0"},  {"Text81", "0"}, {"Text82", "0"},
                 {"Text90", "0"},      {"Text91", "0"},  {"Text92", "0"}, {"Text30", "Text30"},
                 {"Text36", "Text36"}, {"Text43", "Sol"}};
    for (const auto& t : texts) EXPECT_EQ(record.text(t.name), t.text) << t.name;
    EXPECT_EQ(record["Combo1"].selectionStart, 0);
    EXPECT_EQ(record["Combo1"].selectionLength, 100);
    for (int i = 1; i <= 43; ++i) {
        const std::string line = "Line" + std::to_string(i);
        EXPECT_EQ(record[line].visible, i >= 3 && i <= 6) << line;
    }
    for (const char* name :
         {"Image4", "Image5", "Image7", "Image8", "Image9", "Image10", "Image11", "Image13",
          "Image17", "Text43", "Text75", "Text76", "Text77", "Text79", "VScroll1"}) {
        EXPECT_FALSE(record[name].visible) << name;
    }
    EXPECT_TRUE(record["Image15"].visible);
    EXPECT_TRUE(record["Picture18"].visible);
}

TEST(StartUp, FillsTheListsWithTrimmedTextsAndRecordIndexTags) {
    TempDataDir dir;
    dir.copySuppliedData();
    dir.write("Materiau.txt", "\"  Balsa  \",3,a,b\r\nCarton,1,a,b\r\nCarton,2,a,b\r\n");
    dir.write("Train.txt", "");
    FakePlatform platform;
    DesignRecord record = loadedRecord(platform);
    const std::vector<ListItem> materials = {{"Balsa", 0}, {"Carton", 1}, {"Carton", 2}};
    EXPECT_EQ(record["Combo10"].items, materials);
    EXPECT_EQ(record["Combo11"].items, materials);
    EXPECT_TRUE(record["Combo8"].items.empty());
    EXPECT_TRUE(record["Combo9"].items.empty());
    EXPECT_EQ(record["Combo6"].items, record["Combo7"].items);
    EXPECT_EQ(record["Combo1"].items.front().text, "Hélice bipale 100 mm");
    EXPECT_EQ(record.text("Combo10"), "Sélection");
}

TEST(StartUp, LastRecordOfPileAndReglementIsInForce) {
    struct Row {
        const char* name;
        std::string pile;
        std::string rules;
        std::vector<std::string> units;
        std::vector<std::string> maxima;
    } rows[] = {
        {"TwoRecords",
         "1,2,3,4\r\n0.5,23,2.8,26\r\n",
         "300,200,150,400,25\r\n320,210,140,380,30.5\r\n",
         {"0,5", "23", "2,8", "26"},
         {"320", "210", "140", "380", "30,5"}},
        {"NoRecord", "", "", {"Text1", "Text1", "Text1", "Text1"}, {"", "", "", "", ""}},
        {"NotNumbers",
         "a,b,c,d\r\n",
         "\"x\",y,\"150 mm\",,z\r\n",
         {"a", "b", "c", "d"},
         {"x", "y", "150 mm", "", "z"}},
    };
    for (const Row& row : rows) {
        TempDataDir dir;
        dir.copySuppliedData();
        dir.write("Pile.txt", row.pile);
        dir.write("Reglement.txt", row.rules);
        FakePlatform platform;
        DesignRecord record = loadedRecord(platform);
        EXPECT_EQ((std::vector<std::string>{record.text("Text1"), record.text("Text8"),
                                            record.text("Text16"), record.text("Text24")}),
                  row.units)
            << row.name;
        EXPECT_EQ((std::vector<std::string>{record.text("Text85"), record.text("Text86"),
                                            record.text("Text87"), record.text("Text88"),
                                            record.text("Text89")}),
                  row.maxima)
            << row.name;
    }
}

TEST(StartUp, AFileThatFailsStopsStartUpWithItsName) {
    struct Row {
        const char* name;
        std::string missingPicture;
        std::string removedFile;
        std::string cutShortFile;
        std::string expectedFile;
    } rows[] = {
        {"StepPicture", "Data/Choix7.jpg", "", "", "Data/Choix7.jpg"},
        {"Preview", "Data/Apercu.jpg", "", "", "Data/Apercu.jpg"},
        {"Catalogue", "", "Roue.txt", "", "Data/Roue.txt"},
        {"BatteryUnits", "", "Pile.txt", "", "Data/Pile.txt"},
        {"Rules", "", "Reglement.txt", "", "Data/Reglement.txt"},
        {"RecordCutShort", "", "", "Interrupteur.txt", "Data/Interrupteur.txt"},
    };
    for (const Row& row : rows) {
        TempDataDir dir;
        dir.copySuppliedData();
        if (!row.removedFile.empty()) dir.remove(row.removedFile);
        if (!row.cutShortFile.empty()) dir.write(row.cutShortFile, "\"Levier\",\"Levier\",4\r\n");
        FakePlatform platform;
        if (!row.missingPicture.empty()) platform.missingPictures.insert(row.missingPicture);
        DesignRecord record;
        try {
            loadDesignWindow(record, platform);
            ADD_FAILURE() << row.name << ": start-up went through";
        } catch (const DataError& e) {
            EXPECT_EQ(e.file(), row.expectedFile) << row.name;
        }
    }
}

TEST(StartUp, StartedOutsideTheProgramFolderSaysDataIsMissing) {
    TempDataDir dir;
    std::filesystem::remove(dir.root() / "Data");
    FakePlatform platform;
    DesignRecord record;
    try {
        loadDesignWindow(record, platform);
        FAIL() << "start-up went through";
    } catch (const DataError& e) {
        EXPECT_EQ(e.file(), "Data");
        EXPECT_NE(e.reason().find("dossier des données est introuvable"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(platform.log, std::vector<std::string>{"start window"});
}

TEST(Quitting, AsksAndEndsOnlyOnYes) {
    for (bool yes : {false, true}) {
        FakePlatform platform;
        platform.answer = yes;
        DesignSession session(platform);
        session.record().setText("Combo1", "Hélice choisie");
        session.quitClicked();
        EXPECT_EQ(platform.log.front(), "ask Confirmation: Voulez vous vraiment quitter ?");
        EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "end program"), yes ? 1 : 0);
        EXPECT_EQ(session.record().text("Combo1"), "Hélice choisie");
    }
}

TEST(About, ShowsTheStartWindowEachTime) {
    FakePlatform platform;
    DesignSession session(platform);
    session.aboutClicked();
    session.aboutClicked();
    EXPECT_EQ(platform.log, (std::vector<std::string>{"start window", "start window"}));
}

}  // namespace
