#include <gtest/gtest.h>

#include "catalogue/data_error.h"
#include "support/design_fixture.h"

namespace {

std::vector<std::string> texts(DesignFixture& f, std::initializer_list<const char*> fields) {
    std::vector<std::string> out;
    for (const char* field : fields) out.push_back(f.text(field));
    return out;
}

TEST(CatalogueSelection, ThirdPropellerFillsItsFieldsFromRecordTwo) {
    DesignFixture f;
    f.pick("Combo1", 2);
    EXPECT_EQ(texts(f, {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"}),
              (std::vector<std::string>{"150", "9", "S", "R3", "2,6", "30", "3", "n"}));
    EXPECT_EQ(f.text("Combo1"), "P3n");
    EXPECT_EQ(f.record()["Picture1"].pictureFile, "Data/P3n.jpg");
    EXPECT_TRUE(f.record()["Combo2"].enabled);
    EXPECT_FALSE(f.record()["Combo3"].enabled);
    EXPECT_EQ(f.text("Text91"), "9");  // the estimation ran last
}

TEST(CatalogueSelection, APickAgainClearsWhatTheNewRecordLeavesEmpty) {
    DesignFixture f;
    f.pick("Combo1", 1);
    f.pick("Combo1", 3);
    EXPECT_EQ(texts(f, {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"}),
              std::vector<std::string>(8, ""));
    EXPECT_EQ(f.record()["Picture1"].pictureFile, "Data/Pempty.jpg");
}

TEST(CatalogueSelection, ARecordNoLongerInItsCatalogueIsNotTakenAsAnEmptyComponent) {
    DesignFixture f;
    f.pick("Combo1", 0);
    f.pick("Combo2", 0);
    f.pick("Combo3", 0);
    const DesignRecord before = f.record();
    f.dir.write("Moteur.txt", "");
    f.pick("Combo2", 0);
    EXPECT_TRUE(f.record() == before);
    EXPECT_EQ(f.text("Text9"), "24");
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_EQ(
        f.platform.warnings[0],
        "Le choix n'a pas été appliqué : Fichier « Data/Moteur.txt » : le catalogue a changé "
        "depuis le "
        "démarrage de VENTAKAR : l'élément « M24 » (enregistrement n° 1) n'y figure plus. Relancez "
        "VENTAKAR pour relire les catalogues. Votre conception est restée telle qu'elle était "
        "avant ce "
        "choix.");
}

TEST(CatalogueSelection, FieldsComeFromTheFileAsItIsAtThePick) {
    DesignFixture f;
    f.dir.write("Helice.txt", "\"P2\",101,4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n");
    f.pick("Combo1", 0);
    EXPECT_EQ(f.text("Text2"), "101");
    EXPECT_EQ(f.record()["Combo1"].items.size(), 5u);
}

TEST(CatalogueSelection, CradleBaseToAxisAlsoGoesToTheSketch) {
    DesignFixture f;
    f.pick("Combo3", 0);
    EXPECT_EQ(f.text("Text23"), "20");
    EXPECT_EQ(f.text("Text77"), "20");
}

TEST(CatalogueSelection, WheelPicksCopyToTheSketchOnlyOnThePropellerSide) {
    DesignFixture f;
    f.completeDesign(0, 0, 2, "Option1", "Option3", "Option5");
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"50", "4"}));
    f.pick("Combo7", 1);  // rear wheels while the propeller is at the front: no copy
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"50", "4"}));
    f.pick("Combo6", 4);
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"45", "4"}));
    f.select("Option6");
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"60", "4"}));
    f.pick("Combo7", 2);
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"40", "3"}));
    f.select("Option5");
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"45", "4"}));
}

TEST(CatalogueSelection, WheelsBeforeThePropellerStepCopyNothing) {
    DesignFixture f;
    f.pick("Combo6", 1);
    f.pick("Combo7", 2);
    EXPECT_EQ(texts(f, {"Text76", "Text82"}), (std::vector<std::string>{"0", "0"}));
}

TEST(CatalogueSelection, RearMountingFillsCodeDescriptionAndPictures) {
    DesignFixture f;
    f.pick("Combo9", 1);
    EXPECT_EQ(texts(f, {"Text68", "Text66", "Text69", "Text70"}),
              (std::vector<std::string>{"2", "desc 2", "9", "0,9"}));
    EXPECT_FALSE(f.record()["Picture17"].visible);
    EXPECT_TRUE(f.record()["Picture16"].visible);
    EXPECT_EQ(f.record()["Image14"].pictureFile, "Data/TrainB.gif");
    EXPECT_EQ(f.record()["Picture10"].pictureFile, "Data/TrainB.jpg");
    EXPECT_EQ(f.platform.picturesLoaded(),
              (std::vector<std::string>{"Data/TrainB.gif", "Data/TrainB.jpg"}));
    EXPECT_EQ(f.text("Text62"), "");
}

TEST(CatalogueSelection, MaterialsSetTheFlagOnlyFromTheSecondList) {
    DesignFixture f;
    f.pick("Combo10", 1);
    EXPECT_EQ(f.text("Text80"), "2");
    EXPECT_EQ(f.text("Text74"), "0");
    EXPECT_TRUE(f.record()["Combo11"].enabled);
    f.pick("Combo11", 1);
    EXPECT_EQ(f.text("Text74"), "1");
    EXPECT_EQ(f.text("Text81"), "2");
    EXPECT_EQ(f.record()["Picture11"].pictureFile, "Data/Materiau.jpg");
    // A material gone from its file does not complete the design with an empty one.
    DesignFixture g;
    g.pick("Combo10", 1);
    g.dir.write("Materiau.txt", "");
    g.pick("Combo11", 1);
    EXPECT_EQ(g.text("Text74"), "0");
    EXPECT_EQ(g.record()["Picture11"].pictureFile, "Data/Choix13.jpg");
    EXPECT_EQ(g.platform.warnings.size(), 1u);
}

TEST(CatalogueSelection, StepsUnlockStrictlyInOrderAndNeverLockAgain) {
    DesignFixture f;
    const std::vector<std::pair<std::function<void()>, std::vector<std::string>>> steps = {
        {[&] { f.pick("Combo1", 0); }, {"Combo2"}},
        {[&] { f.pick("Combo2", 0); }, {"Combo3"}},
        {[&] { f.pick("Combo3", 0); }, {"Combo4"}},
        {[&] { f.pick("Combo4", 1); }, {"Combo5", "Option7", "Option8", "Check1", "Check2"}},
        {[&] { f.pick("Combo5", 0); }, {"Combo6"}},
        {[&] { f.pick("Combo6", 0); }, {"Combo7"}},
        {[&] { f.pick("Combo7", 0); }, {"Option1", "Option2"}},
        {[&] { f.select("Option2"); }, {"Option3", "Option4"}},
        {[&] { f.select("Option4"); }, {"Option5", "Option6"}},
        {[&] { f.select("Option6"); }, {"Combo8"}},
        {[&] { f.pick("Combo8", 0); }, {"Combo9"}},
        {[&] { f.pick("Combo9", 0); }, {"Combo10"}},
        {[&] { f.pick("Combo10", 0); }, {"Combo11"}},
        {[&] { f.pick("Combo11", 0); }, {}},
    };
    std::set<std::string> expected = {"Combo1"};
    const std::vector<std::string> controls = {
        "Combo1",  "Combo2",  "Combo3",  "Combo4",  "Combo5",  "Combo6",  "Combo7",
        "Combo8",  "Combo9",  "Combo10", "Combo11", "Option1", "Option2", "Option3",
        "Option4", "Option5", "Option6", "Option7", "Option8", "Check1",  "Check2"};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        expected.insert(steps[i].second.begin(), steps[i].second.end());
        for (const std::string& c : controls) {
            EXPECT_EQ(f.record()[c].enabled, expected.count(c) == 1)
                << "after step " << i + 1 << ": " << c;
        }
    }
    // Answering an early step again unlocks nothing more and locks nothing.
    f.pick("Combo1", 1);
    for (const std::string& c : controls) EXPECT_TRUE(f.record()[c].enabled) << c;
}

TEST(CatalogueSelection, APictureThatFailsLeavesTheDesignAsBeforeThePick) {
    DesignFixture f;
    f.pick("Combo1", 0);
    const DesignRecord before = f.record();
    f.platform.missingPictures.insert("Data/M24.jpg");
    f.pick("Combo2", 0);
    EXPECT_TRUE(f.record() == before);
    EXPECT_EQ(f.text("Text9"), "");
    EXPECT_FALSE(f.record()["Combo3"].enabled);
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_EQ(
        f.platform.warnings[0],
        "Le choix n'a pas été appliqué : Fichier « Data/M24.jpg » : l'image est introuvable. Votre "
        "conception est restée telle qu'elle était avant ce choix.");
}

TEST(CatalogueSelection, ACatalogueCutShortDuringTheSessionNamesTheFile) {
    DesignFixture f;
    f.dir.write("Moteur.txt", "\"M24\",24,32\r\n");
    f.pick("Combo2", 0);
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_NE(f.platform.warnings[0].find(
                  "Fichier « Data/Moteur.txt » : le fichier se termine au milieu"),
              std::string::npos);
    EXPECT_EQ(f.text("Text9"), "");
}

TEST(CatalogueSelection, ANonNumericFieldShowsAsReadAndCountsAsZero) {
    DesignFixture f;
    f.dir.write("Moteur.txt", "\"M\",24,\"environ 30 g\",2,\"Oui\",\"S\",\"R\",\"\"\r\n");
    f.pick("Combo2", 0);
    EXPECT_EQ(f.text("Text10"), "environ 30 g");
    EXPECT_EQ(f.text("Text91"), "0");
    EXPECT_EQ(f.text("Text92"), "0");
}

}  // namespace
