#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "support/design_fixture.h"

namespace {

// A platform whose pictures run the computer out of memory once armed.
class StarvedPlatform : public FakePlatform {
  public:
    PictureSize loadPicture(const std::string& path) override {
        if (starved) throw std::bad_alloc();
        return FakePlatform::loadPicture(path);
    }
    bool starved = false;
};

struct FailingEvent {
    const char* name;
    std::function<void(DesignFixture&)> breakData;  // what goes wrong in Data/ or its pictures
    std::function<void(DesignFixture&)> event;      // what the pupil does then
    const char* reason;                             // what the message must name
};

void heavyMotorFile(DesignFixture& f) {
    f.dir.write("Moteur.txt", "\"M24\",24,500,2,\"Oui\",\"S\",\"R\",2.5\r\n");
}

const FailingEvent kFailingEvents[] = {
    {"PictureMissing", [](DesignFixture& f) { f.platform.missingPictures.insert("Data/M24.jpg"); },
     [](DesignFixture& f) { f.pick("Combo2", 0); }, "« Data/M24.jpg » : l'image est introuvable."},
    {"PictureUndecodable",
     [](DesignFixture& f) { f.platform.undecodablePictures.insert("Data/P3o.jpg"); },
     [](DesignFixture& f) { f.pick("Combo1", 1); },
     "« Data/P3o.jpg » : l'image ne peut pas être décodée."},
    {"CatalogueMissing", [](DesignFixture& f) { f.dir.remove("Roue.txt"); },
     [](DesignFixture& f) { f.pick("Combo7", 1); },
     "« Data/Roue.txt » : le fichier est introuvable."},
    {"CatalogueCutShort",
     [](DesignFixture& f) { f.dir.write("Helice.txt", "\"P2\",100,4,\"S\"\r\n"); },
     [](DesignFixture& f) { f.pick("Combo1", 0); },
     "« Data/Helice.txt » : le fichier se termine au milieu"},
    {"CatalogueShortened",
     [](DesignFixture& f) {
         f.dir.write("Helice.txt", "\"P2\",100,4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n");
     },
     [](DesignFixture& f) { f.pick("Combo1", 2); }, "le catalogue a changé depuis le démarrage"},
    {"VerdictPictureMissing",
     [](DesignFixture& f) {
         heavyMotorFile(f);
         f.platform.missingPictures.insert("Data/Non.jpg");
     },
     [](DesignFixture& f) { f.pick("Combo2", 0); }, "« Data/Non.jpg » : l'image est introuvable."},
    {"ChassisCasePictureUndecodable",
     [](DesignFixture& f) { f.platform.undecodablePictures.insert("Data/Cas21.gif"); },
     [](DesignFixture& f) { f.pick("Combo7", 1); },
     "« Data/Cas21.gif » : l'image ne peut pas être décodée."},
    {"OptionPictureMissing",
     [](DesignFixture& f) { f.platform.missingPictures.insert("Data/Montage2mini.jpg"); },
     [](DesignFixture& f) { f.select("Option2"); }, "« Data/Montage2mini.jpg »"},
    {"SketchPictureMissing",
     [](DesignFixture& f) { f.platform.missingPictures.insert("Data/Tripale.gif"); },
     [](DesignFixture& f) { f.pick("Combo1", 2); }, "« Data/Tripale.gif »"},
    {"ClearanceWithVerdictMissing",
     [](DesignFixture& f) { f.platform.missingPictures.insert("Data/Oui.jpg"); },
     [](DesignFixture& f) { f.session.clearanceChanged(6); }, "« Data/Oui.jpg »"},
    {"CheckBoxWithVerdictMissing",
     [](DesignFixture& f) {
         f.pick("Combo4", 1);                 // four batteries, not counted yet
         f.record().setText("Text8", "230");  // as if Pile.txt had given heavy cells at start-up
         f.platform.missingPictures.insert("Data/Non.jpg");
     },
     [](DesignFixture& f) { f.session.checkClicked("Check2", 1); }, "« Data/Non.jpg »"},
};

class FailedEvent : public ::testing::TestWithParam<FailingEvent> {};

// From a complete passing design, an event that fails anywhere leaves every control exactly as it
// was.
TEST_P(FailedEvent, LeavesTheWholeRecordAsBeforeAndSaysSo) {
    const FailingEvent& row = GetParam();
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    ASSERT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
    ASSERT_TRUE(f.record()["Command1"].enabled);
    row.breakData(f);
    const DesignRecord before = f.record();
    row.event(f);
    EXPECT_TRUE(f.record() == before);
    for (const Control& c : f.record().controls()) {
        const Control& old = before[c.name];
        EXPECT_TRUE(c == old) << c.name << " changed: \"" << old.text << "\" -> \"" << c.text
                              << "\"";
    }
    EXPECT_TRUE(f.record()["Command1"].enabled);
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    const std::string& message = f.platform.warnings[0];
    EXPECT_EQ(message.rfind("Le choix n'a pas été appliqué : Fichier ", 0), 0u) << message;
    EXPECT_NE(message.find(row.reason), std::string::npos) << message;
    EXPECT_NE(message.find("Votre conception est restée telle qu'elle était avant ce choix."),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Session, FailedEvent, ::testing::ValuesIn(kFailingEvents),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Transaction, TheSameEventAppliesOnceTheDataIsMended) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    heavyMotorFile(f);
    f.platform.missingPictures.insert("Data/Non.jpg");
    f.pick("Combo2", 0);
    EXPECT_EQ(f.text("Text10"), "32");
    f.platform.missingPictures.clear();
    f.pick("Combo2", 0);
    EXPECT_EQ(f.text("Text10"), "500");
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Non.jpg");
    EXPECT_FALSE(f.record()["Command1"].enabled);
}

TEST(Transaction, RunningOutOfMemoryIsAFailedEventNotACrash) {
    TempDataDir unused;  // the fixture makes its own
    StarvedPlatform platform;
    DesignFixture f;
    DesignSession session(platform);
    session.load();
    session.listChosen("Combo1", 0);
    const DesignRecord before = session.record();
    platform.starved = true;
    session.listChosen("Combo1", 1);
    EXPECT_TRUE(session.record() == before);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0],
              "Le choix n'a pas été appliqué : la mémoire de l'ordinateur ne suffit pas. Votre "
              "conception "
              "est restée telle qu'elle était avant ce choix.");
}

TEST(Transaction, AnOptionAlreadySelectedRunsNothing) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    f.platform.log.clear();
    f.platform.missingPictures.insert("Data/Montage1mini.jpg");
    f.select("Option1");
    EXPECT_TRUE(f.platform.log.empty());
}

// Typed text that names an item, case and accents aside, picks it as a click would (one undo
// step); any other text changes the list's text and nothing else.
TEST(Transaction, TypingPicksTheItemItNamesAndNothingElse) {
    const struct {
        const char* typed;
        const char* diameter;  // afterwards
        bool picked;
    } rows[] = {
        {"P3", "100", false},    // the start of an item
        {"P3o ", "100", false},  // an item and a space more
        {"p3o", "120", true},    // an item, another case
        {"P2", "100", false},    // today's item: nothing to pick
        {"Sélection", "100", false},
    };
    for (const auto& row : rows) {
        DesignFixture f;
        f.pick("Combo1", 0);
        DesignRecord expected = f.record();
        f.session.listTyped("Combo1", row.typed);
        EXPECT_EQ(f.text("Text2"), row.diameter) << row.typed;
        if (row.picked) {
            EXPECT_EQ(f.text("Combo1"), "P3o") << "the item's own text";
            ASSERT_TRUE(f.session.undo());
            EXPECT_TRUE(f.record() == expected) << "undone to the design before the typing";
        } else {
            expected["Combo1"].text = row.typed;
            EXPECT_TRUE(f.record() == expected) << row.typed;
        }
    }
}

}  // namespace
