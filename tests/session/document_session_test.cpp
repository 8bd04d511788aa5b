#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "document/atomic_file.h"
#include "document/design_file.h"
#include "support/design_fixture.h"
#include "support/system_rows.h"

namespace fs = std::filesystem;

namespace {

// One step of a design as the pupil makes it: what is done, in order.
struct DesignStep {
    int step;
    std::function<void(DesignFixture&)> make;
};

// A design that uses every kind of choice, none left at its start-up value.
const std::vector<DesignStep>& designSteps() {
    static const std::vector<DesignStep> steps = {
        {1, [](DesignFixture& f) { f.pick("Combo1", 1); }},
        {2, [](DesignFixture& f) { f.pick("Combo2", 0); }},
        {3, [](DesignFixture& f) { f.pick("Combo3", 0); }},
        {4,
         [](DesignFixture& f) {
             f.pick("Combo4", 1);
             f.select("Option8");
             f.session.checkClicked("Check1", 1);
             f.session.checkClicked("Check2", 1);
         }},
        {5, [](DesignFixture& f) { f.pick("Combo5", 0); }},
        {6, [](DesignFixture& f) { f.pick("Combo6", 1); }},
        {7, [](DesignFixture& f) { f.pick("Combo7", 2); }},
        {8, [](DesignFixture& f) { f.select("Option2"); }},
        {9, [](DesignFixture& f) { f.select("Option3"); }},
        {10, [](DesignFixture& f) { f.select("Option6"); }},
        {11, [](DesignFixture& f) { f.pick("Combo8", 0); }},
        {12, [](DesignFixture& f) { f.pick("Combo9", 1); }},
        {13,
         [](DesignFixture& f) {
             f.pick("Combo10", 0);
             f.pick("Combo11", 1);
         }},
        {14, [](DesignFixture& f) { f.session.clearanceChanged(12); }},
    };
    return steps;
}

void makeSteps(DesignFixture& f, int lastStep) {
    for (const DesignStep& s : designSteps()) {
        if (s.step <= lastStep) s.make(f);
    }
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DesignDocument, ReopensEveryPartialAndTheCompleteDesignControlByControl) {
    for (int last = 1; last <= 14; ++last) {
        SCOPED_TRACE("steps 1 to " + std::to_string(last));
        DesignFixture f;
        makeSteps(f, last);
        ASSERT_TRUE(f.platform.warnings.empty()) << f.platform.warnings.front();
        const DesignRecord made = f.record();
        const std::string file = (f.dir.root() / "conception.ventakar").string();
        ASSERT_TRUE(f.session.saveDesign(file));
        ASSERT_TRUE(f.session.newDesign());
        ASSERT_FALSE(recordDifference(made, f.record()).empty());
        ASSERT_EQ(f.session.openDesignFile(file), OpenResult::Opened);
        EXPECT_EQ(recordDifference(made, f.record()), "");
        EXPECT_EQ(f.session.documentPath(), file);
        EXPECT_FALSE(f.session.isModified());
        if (last == 14) {
            EXPECT_NE(f.record()["Picture9"].pictureFile, "Data/Choix14.jpg") << "a verdict";
        }
    }
}

TEST(DesignDocument, NewDesignIsTheStartUpStateWithCataloguesReadAgain) {
    DesignFixture f;
    const DesignRecord startUp = f.record();
    makeSteps(f, 14);
    f.dir.write("Moteur.txt", "\"M30\",30,40,2,\"Oui\",\"S\",\"R\",3\r\n");
    ASSERT_TRUE(f.session.newDesign());
    EXPECT_EQ(recordDifference(startUp, f.record()), "Combo2");
    EXPECT_EQ(f.record()["Combo2"].items[0].text, "M30");
    EXPECT_FALSE(f.session.isModified());
    EXPECT_FALSE(f.session.canUndo());
    EXPECT_EQ(std::count(f.platform.log.begin(), f.platform.log.end(), "start window"), 0);
}

TEST(DesignDocument, NewDesignThatCannotStartLeavesTheDesign) {
    DesignFixture f;
    makeSteps(f, 7);
    const DesignRecord made = f.record();
    f.dir.remove("Roue.txt");
    EXPECT_FALSE(f.session.newDesign());
    EXPECT_EQ(recordDifference(made, f.record()), "");
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_NE(f.platform.warnings[0].find("« Data/Roue.txt » : le fichier est introuvable."),
              std::string::npos)
        << f.platform.warnings[0];
    EXPECT_TRUE(f.session.isModified());
    EXPECT_TRUE(f.session.canUndo());
}

// Catalogue changes after the design was saved, and what reopening must make of them.
struct CatalogueChange {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // file, its new bytes
    OpenResult result;
    // The lists whose item is gone, and the item the pupil then picks on the new catalogue.
    std::vector<std::pair<const char*, int>> missing;
    const char* message;  // in the warning, or nothing
    // Items still there at another position: where the pupil finds them on the new catalogue.
    std::vector<std::pair<const char*, int>> moved = {};
};

const char* const kTwoWheels =
    "\"R50\",50,20,4,\"S\",\"R\",0.35\r\n\"R40\",40,30,3,\"S\",\"R\",0.3\r\n";
const char* const kOnePropeller = "\"P2\",100,4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n";

const CatalogueChange kCatalogueChanges[] = {
    {"FrontWheelRemoved",
     {{"Roue.txt", kTwoWheels}},
     OpenResult::OpenedPartly,
     {{"Combo6", 0}},
     "l'élément « R60 » de l'étape 6 (Roues avant) ne figure plus dans son catalogue. Les autres "
     "choix sont repris ; l'étape 6 (Roues avant) est à choisir de nouveau.",
     {{"Combo7", 1}}},
    {"PropellerRemoved",
     {{"Helice.txt", kOnePropeller}},
     OpenResult::OpenedPartly,
     {{"Combo1", 0}},
     "l'élément « P3o » de l'étape 1 (Hélice)"},
    {"MountingRenamed",
     {{"Train.txt",
       "\"T1\",1,\"desc 1\",6,0.4,\"TrainA\"\r\n\"T2 bis\",2,\"desc 2\",9,0.9,\"TrainB\"\r\n"}},
     OpenResult::OpenedPartly,
     {{"Combo9", 1}},
     "l'élément « T2 » de l'étape 12 (Montage roues arrière)"},
    {"PropellerAndFrontWheelRemoved",
     {{"Helice.txt", kOnePropeller}, {"Roue.txt", kTwoWheels}},
     OpenResult::OpenedPartly,
     {{"Combo1", 0}, {"Combo6", 1}},
     "l'élément « P3o » de l'étape 1 (Hélice) et l'élément « R60 » de l'étape 6 (Roues avant) ne "
     "figurent plus dans leur catalogue. Les autres choix sont repris ; les étapes 1 (Hélice) et "
     "6 (Roues avant) sont à choisir de nouveau.",
     {{"Combo7", 1}}},
    // Found by its text when its index has moved; the mass shows the file of today.
    {"PropellerMovedAndHeavier",
     {{"Helice.txt",
       "\"New\",90,4,\"S\",\"R0\",1,12,2,\"o\"\r\n\"P2\",100,4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n"
       "\"P3o\",120,8,\"S\",\"R2\",1.9,30,3,\"o\"\r\n"}},
     OpenResult::Opened,
     {},
     nullptr},
};

class ReopenedOnChangedCatalogue : public testing::TestWithParam<CatalogueChange> {};

TEST_P(ReopenedOnChangedCatalogue, AnItemGoneCostsOnlyItsOwnStep) {
    const CatalogueChange& change = GetParam();
    const DesignRecord startUp = DesignFixture().record();
    DesignFixture f;
    makeSteps(f, 14);
    const std::string text = f.session.designText();
    for (const auto& [file, bytes] : change.files) f.dir.write(file, bytes);

    // The same design made on the changed catalogue, the gone items replaced by the new picks.
    DesignFixture expected;
    for (const auto& [file, bytes] : change.files) expected.dir.write(file, bytes);
    ASSERT_TRUE(expected.session.newDesign());
    makeSteps(expected, 14);
    for (const auto& [list, item] : change.moved) expected.pick(list, item);
    for (const auto& [list, item] : change.missing) expected.pick(list, item);

    ASSERT_TRUE(f.session.newDesign());
    // The design before had a file: a partly read design must never be saved over it.
    const std::string before = (f.dir.root() / "avant.ventakar").string();
    ASSERT_TRUE(f.session.saveDesign(before));
    const std::string beforeText = f.session.designText();
    f.platform.warnings.clear();
    EXPECT_EQ(f.session.openDesign(text, "Léa.ventakar"), change.result);
    EXPECT_EQ(readDesignBytes(before), beforeText);
    if (!change.message) {
        EXPECT_TRUE(f.platform.warnings.empty());
        EXPECT_EQ(f.record().text("Combo1"), "P3o");
        EXPECT_EQ(f.record().text("Text3"), "8");
        EXPECT_EQ(f.record().text("Text5"), "R2");
        return;
    }
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_NE(f.platform.warnings[0].find(change.message), std::string::npos)
        << f.platform.warnings[0];
    EXPECT_NE(f.platform.warnings[0].find("« Léa.ventakar »"), std::string::npos);
    // Saving it must not silently drop the choices that could not be replayed: it has no file to
    // save over. Yet nobody changed it: moving on asks nothing.
    EXPECT_EQ(f.session.documentPath(), "");
    EXPECT_FALSE(f.session.isModified());
    // Every other step kept; the gone ones empty, and no estimation from an empty step.
    for (const char* list : {"Combo1", "Combo2", "Combo6", "Combo9", "Combo11"}) {
        const bool gone = std::any_of(change.missing.begin(), change.missing.end(),
                                      [&](const auto& m) { return std::string(m.first) == list; });
        EXPECT_EQ(f.record().text(list) == "Sélection", gone) << list;
    }
    for (const char* unestimated : {"Text90", "Text43", "Text75", "Picture9", "Image11"})
        EXPECT_EQ(f.record()[unestimated], startUp[unestimated]) << unestimated;
    EXPECT_FALSE(f.record()["Command1"].enabled);
    EXPECT_EQ(f.record()["Command1"].toolTip,
              "Terminez les quatorze étapes pour obtenir l'estimation.");
    // Choosing those steps again gives the whole design, estimation included.
    for (const auto& [list, item] : change.missing) f.pick(list, item);
    EXPECT_NE(f.record()["Picture9"].pictureFile, startUp["Picture9"].pictureFile);
    EXPECT_EQ(recordDifference(expected.record(), f.record()), "");
}

// The catalogue editor saved the same change while the design was open: the design replays its
// choices on the new files, as if reopened, and keeps its file only when nothing was lost.
TEST_P(ReopenedOnChangedCatalogue, TheEditorsSaveIsReplayedOnTheOpenDesign) {
    const CatalogueChange& change = GetParam();
    for (const bool unsaved : {false, true}) {
        SCOPED_TRACE(unsaved ? "with unsaved changes" : "saved");
        DesignFixture f;
        makeSteps(f, 14);
        const std::string file = (f.dir.root() / "Léa.ventakar").string();
        ASSERT_TRUE(f.session.saveDesign(file));
        if (unsaved) f.session.clearanceChanged(9);
        DesignFixture expected;
        for (const auto& [name, bytes] : change.files) {
            f.dir.write(name, bytes);
            expected.dir.write(name, bytes);
        }
        ASSERT_TRUE(expected.session.newDesign());
        makeSteps(expected, 14);
        for (const auto& [list, item] : change.moved) expected.pick(list, item);
        if (unsaved) expected.session.clearanceChanged(9);
        f.platform.warnings.clear();

        ASSERT_TRUE(f.session.reloadCatalogues());
        ASSERT_EQ(f.platform.warnings.size(), 1u);
        const std::string& told = f.platform.warnings[0];
        EXPECT_EQ(told.rfind("Les catalogues ont été enregistrés et relus : ", 0), 0u) << told;
        EXPECT_NE(told.find(change.message ? change.message
                                           : "l'élément « P3o » de l'étape 1 (Hélice) a changé"),
                  std::string::npos)
            << told;
        EXPECT_EQ(f.session.isModified(), unsaved);
        EXPECT_EQ(f.session.documentPath(), change.missing.empty() ? file : "");
        for (const auto& [list, item] : change.missing) EXPECT_FALSE(hasChoice(f.record()[list]));
        if (!change.message) {  // the same item, found by its text, with its new values
            EXPECT_EQ(f.record().text("Combo1"), "P3o");
            EXPECT_EQ(f.record().text("Text3"), "8");
            continue;
        }
        // The others as the same design made on the new files.
        for (const auto& [list, item] : change.missing) expected.pick(list, item);
        for (const auto& [list, item] : change.missing) f.pick(list, item);
        EXPECT_EQ(recordDifference(expected.record(), f.record()), "");
    }
}

INSTANTIATE_TEST_SUITE_P(DesignDocument, ReopenedOnChangedCatalogue,
                         testing::ValuesIn(kCatalogueChanges),
                         [](const auto& info) { return info.param.name; });

TEST(DesignDocument, TwoItemsWithOneTextAreToldApartByTheirIndex) {
    DesignFixture f;
    f.dir.write("Helice.txt",
                "\"P3\",120,7,\"S\",\"R1\",1.9,30,3,\"o\"\r\n"
                "\"P3\",150,9,\"S\",\"R2\",2.6,30,3,\"n\"\r\n");
    ASSERT_TRUE(f.session.newDesign());
    f.pick("Combo1", 1);
    const std::string text = f.session.designText();
    ASSERT_TRUE(f.session.newDesign());
    ASSERT_EQ(f.session.openDesign(text, "x.ventakar"), OpenResult::Opened);
    EXPECT_EQ(f.record().text("Text3"), "9");
}

TEST(DesignDocument, ARefusedOrFailingFileLeavesTheDesignOnScreen) {
    DesignFixture f;
    makeSteps(f, 6);
    const std::string text = f.session.designText();
    const DesignRecord made = f.record();
    const struct {
        const char* name;
        std::function<OpenResult()> open;
        OpenResult result;
        const char* message;
    } cases[] = {
        {"NotADesign", [&] { return f.session.openDesign("<html></html>", "page.ventakar"); },
         OpenResult::Refused,
         "La conception n'a pas été ouverte. Fichier « page.ventakar » : ce fichier n'est pas une "
         "conception VENTAKAR. La conception affichée n'a pas changé."},
        {"Missing",
         [&] { return f.session.openDesignFile((f.dir.root() / "absent.ventakar").string()); },
         OpenResult::Refused, "absent.ventakar » : le fichier est introuvable."},
        {"Folder", [&] { return f.session.openDesignFile(f.dir.root().string()); },
         OpenResult::Refused, "c'est un dossier, pas un fichier."},
        {"PictureGone",
         [&] {
             f.platform.missingPictures.insert("Data/R60.jpg");
             return f.session.openDesign(text, "roues.ventakar");
         },
         OpenResult::Failed,
         "La conception « roues.ventakar » n'a pas été ouverte : Fichier « Data/R60.jpg » : "
         "l'image est introuvable. La conception affichée n'a pas changé."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.platform.warnings.clear();
        EXPECT_EQ(c.open(), c.result);
        EXPECT_EQ(recordDifference(made, f.record()), "");
        ASSERT_EQ(f.platform.warnings.size(), 1u);
        EXPECT_NE(f.platform.warnings[0].find(c.message), std::string::npos)
            << f.platform.warnings[0];
        EXPECT_TRUE(f.session.canUndo());
    }
}

TEST(DesignDocument, UndoAndRedoWalkTheWholeDesignRecordByRecord) {
    DesignFixture f;
    std::vector<DesignRecord> records = {f.record()};
    std::vector<std::string> undoTexts;
    for (const DesignStep& s : designSteps()) {
        s.make(f);
        records.push_back(f.record());
        undoTexts.push_back(f.session.undoText());
    }
    // Step 4 and 13 hold several events: undo them one by one, back to the start.
    int undone = 0;
    while (f.session.canUndo()) {
        ASSERT_TRUE(f.session.undo());
        ++undone;
    }
    EXPECT_EQ(undone, 18);
    EXPECT_EQ(recordDifference(records.front(), f.record()), "");
    EXPECT_FALSE(f.session.isModified());
    for (int i = 0; i < undone; ++i) ASSERT_TRUE(f.session.redo());
    EXPECT_EQ(recordDifference(records.back(), f.record()), "");
    EXPECT_FALSE(f.session.redo());

    // One undo a step, then one redo a step: the record of that step each time.
    for (std::size_t step = designSteps().size(); step > 0; --step) {
        const int events = step == 4 ? 4 : step == 13 ? 2 : 1;
        for (int e = 0; e < events; ++e) f.session.undo();
        EXPECT_EQ(recordDifference(records[step - 1], f.record()), "") << "step " << step;
    }
    for (std::size_t step = 1; step <= designSteps().size(); ++step) {
        const int events = step == 4 ? 4 : step == 13 ? 2 : 1;
        for (int e = 0; e < events; ++e) f.session.redo();
        EXPECT_EQ(recordDifference(records[step], f.record()), "") << "step " << step;
    }
    EXPECT_EQ(undoTexts.front(), "Annuler le choix de l'hélice");
    EXPECT_EQ(undoTexts[3], "Annuler la prise en compte de la masse des batteries");
    EXPECT_EQ(undoTexts.back(), "Annuler le réglage de la garde au sol");
    f.session.undo();
    EXPECT_EQ(f.session.redoText(), "Rétablir le réglage de la garde au sol");
}

TEST(DesignDocument, ANewChoiceAfterUndoDropsTheRedoneAndFailedEventsAreNoStep) {
    DesignFixture f;
    f.pick("Combo1", 1);
    f.pick("Combo2", 0);
    f.session.undo();
    EXPECT_TRUE(f.session.canRedo());
    f.pick("Combo1", 0);
    EXPECT_FALSE(f.session.canRedo());
    EXPECT_EQ(f.session.undoText(), "Annuler le choix de l'hélice");
    f.platform.missingPictures.insert("Data/M24.jpg");
    const DesignRecord before = f.record();
    f.pick("Combo2", 0);
    f.session.undo();
    EXPECT_EQ(f.record().text("Combo1"), "P3o") << "the failed pick was no undo step";
    EXPECT_NE(recordDifference(before, f.record()), "");
}

TEST(DesignDocument, KnowsWhenChangesAreUnsaved) {
    DesignFixture f;
    const std::string file = (f.dir.root() / "d.ventakar").string();
    const struct {
        const char* what;
        std::function<void()> act;
        bool modified;
    } steps[] = {
        {"start-up", [] {}, false},
        {"pick", [&] { f.pick("Combo1", 1); }, true},
        {"typing in a list", [&] { f.session.listTyped("Combo2", "abc"); }, true},
        {"undo to start-up", [&] { f.session.undo(); }, false},
        {"redo", [&] { f.session.redo(); }, true},
        {"saved", [&] { ASSERT_TRUE(f.session.saveDesign(file)); }, false},
        {"same item again", [&] { f.pick("Combo1", 1); }, false},
        {"another", [&] { f.pick("Combo2", 0); }, true},
        {"undo to saved", [&] { f.session.undo(); }, false},
        {"undo past saved", [&] { f.session.undo(); }, true},
        {"new design", [&] { f.session.newDesign(); }, false},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(f.session.isModified(), s.modified) << s.what;
    }
}

TEST(DesignDocument, TheQuitQuestionWarnsOfUnsavedChangesOnly) {
    DesignFixture f;
    f.session.quitClicked();
    f.pick("Combo1", 1);
    f.session.quitClicked();
    ASSERT_GE(f.platform.log.size(), 3u);
    EXPECT_EQ(f.platform.log[0], "ask Confirmation: Voulez vous vraiment quitter ?");
    // Unsaved work: Return alone never throws it away.
    EXPECT_EQ(f.platform.log[f.platform.log.size() - 2],
              "choose Confirmation: Voulez vous vraiment quitter ? | Les modifications non "
              "enregistrées de votre conception seront perdues. [Oui/Non] default Non, cancel Non");
    f.platform.log.clear();
    f.session.quitClicked([] { return false; });
    EXPECT_EQ(f.platform.log.at(0),
              "choose Confirmation: Voulez vous vraiment quitter ? | Les modifications non "
              "enregistrées de votre conception seront perdues. [Oui/Non/Enregistrer et quitter] "
              "default Enregistrer et quitter, cancel Non");
}

TEST(DesignDocument, TheRecoveryFileFollowsEveryChangeAndGoesWhenSaved) {
    DesignFixture f;
    const fs::path recovery = f.dir.root() / "recuperation.ventakar";
    f.session.setRecoveryFile(recovery.string());
    EXPECT_FALSE(fs::exists(recovery));
    for (const DesignStep& s : designSteps()) {
        s.make(f);
        ASSERT_TRUE(fs::exists(recovery)) << "step " << s.step;
        EXPECT_EQ(readDesignFile(recovery.string()), choicesOf(f.record())) << "step " << s.step;
    }
    f.session.undo();
    EXPECT_EQ(readDesignFile(recovery.string()), choicesOf(f.record()));
    ASSERT_TRUE(f.session.saveDesign((f.dir.root() / "d.ventakar").string()));
    EXPECT_FALSE(fs::exists(recovery));
    f.session.redo();
    EXPECT_TRUE(fs::exists(recovery));
    f.session.discardRecovery();
    EXPECT_FALSE(fs::exists(recovery));

    // Reopened as a recovery: the choices come back, unsaved.
    DesignFixture restarted;
    ASSERT_EQ(restarted.session.openDesignFile((f.dir.root() / "d.ventakar").string(), true),
              OpenResult::Opened);
    EXPECT_TRUE(restarted.session.isModified());
    EXPECT_EQ(restarted.session.documentPath(), "");
}

// A recovered design still belongs to its file: saving it over that file, changed meanwhile by
// another copy, asks first, and Annuler keeps the other copy's file.
TEST(DesignDocument, ARecoveredDesignAsksBeforeSavingOverAFileChangedElsewhere) {
    DesignFixture f;
    const std::string file = (f.dir.root() / "voiture.ventakar").string();
    makeSteps(f, 3);
    ASSERT_TRUE(f.session.saveDesign(file));
    const fs::path recovery = f.dir.root() / "recuperation.ventakar";
    f.session.setRecoveryFile(recovery.string());
    f.pick("Combo4", 1);  // unsaved: kept in the recovery file with its file's stamp
    ASSERT_TRUE(fs::exists(recovery));

    std::ofstream(file, std::ios::binary)
        << "{\"format\": \"ventakar-conception\", \"version\": 1}";
    DesignFixture restarted;
    ASSERT_EQ(restarted.session.openDesignFile(recovery.string(), true), OpenResult::Opened);
    EXPECT_EQ(restarted.session.documentPath(), file);
    restarted.platform.choice = 2;  // Annuler
    EXPECT_EQ(restarted.session.saveOver(file), SaveOutcome::Cancelled);
    EXPECT_EQ(std::count_if(restarted.platform.log.begin(), restarted.platform.log.end(),
                            [](const std::string& e) {
                                return e.find("a été modifié par ailleurs") != std::string::npos;
                            }),
              1);
    EXPECT_EQ(readDesignBytes(file), "{\"format\": \"ventakar-conception\", \"version\": 1}");
}

TEST(DesignDocument, SavingWhereItCannotSaysWhyInWordsAndChangesNothing) {
    const struct {
        const char* name;
        std::function<std::string(const fs::path&)> target;  // made in the fixture's folder
        const char* why;
        bool posixOnly = false;  // symbolic links: wine makes none
    } places[] = {
        {"MissingFolder",
         [](const fs::path& root) { return (root / "absent" / "d.ventakar").string(); },
         "le dossier n'existe pas."},
        {"LinkLoop",
         [](const fs::path& root) {
             fs::create_symlink(root / "boucle-b", root / "boucle-a");
             fs::create_symlink(root / "boucle-a", root / "boucle-b");
             return (root / "boucle-a" / "d.ventakar").string();
         },
         "une boucle de liens symboliques", true},
        {"NameTooLong",
         [](const fs::path& root) {
             return (root / (std::string(300, 'n') + ".ventakar")).string();
         },
         "le nom du fichier est trop long"},
        {"AFileAsFolder",
         [](const fs::path& root) {
             std::ofstream(root / "fichier");
             return (root / "fichier" / "d.ventakar").string();
         },
         "un élément du chemin n'est pas un dossier"},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.name);
        if (skippedOnWindows(place.name,
                             place.posixOnly ? "wine makes no symbolic links" : nullptr))
            continue;
        DesignFixture f;
        f.pick("Combo1", 1);
        EXPECT_FALSE(f.session.saveDesign(place.target(f.dir.root())));
        ASSERT_EQ(f.platform.warnings.size(), 1u);
        const std::string& said = f.platform.warnings[0];
        EXPECT_NE(said.find("La conception n'a pas été enregistrée. Fichier « "),
                  std::string::npos);
        EXPECT_NE(said.find(place.why), std::string::npos) << said;
        EXPECT_EQ(said.find("erreur système"), std::string::npos) << said;
        EXPECT_TRUE(f.session.isModified());
        EXPECT_EQ(f.session.documentPath(), "");
    }
}

// Every system error a file operation meets is said in words, never as a bare number; a folder
// without write permission is « accès refusé ».
TEST(DesignDocument, FileErrorsAreWords) {
#ifdef EDQUOT
    constexpr int kQuota = EDQUOT;
#else
    constexpr int kQuota = ENOSPC;
#endif
    for (int error : {EACCES, EPERM, ENOSPC, kQuota, EFBIG, EROFS, ENOENT, ENOTDIR, EISDIR, ELOOP,
                      ENAMETOOLONG, EMFILE, EIO, EBUSY, EXDEV, EINVAL, 12345}) {
        const std::string why = fileErrorReason(error);
        EXPECT_EQ(why.find_first_of("0123456789"), std::string::npos) << error << ": " << why;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_EQ(fileErrorReason(EACCES).rfind("accès refusé", 0), 0u);
}

// Saving over a good file on a disk that fills up (a file-size limit, as the disk would): the
// child process reports what it saw in its exit status.
TEST(DesignDocument, SavingOnAFullDiskKeepsThePreviousFileWhole) {
    DesignFixture f;
    makeSteps(f, 14);
    const fs::path file = f.dir.root() / "conception.ventakar";
    const std::string previous = "previous version, kept whole\n";
    std::ofstream(file, std::ios::binary) << previous;
    const std::string full = f.session.designText();
    ASSERT_GT(full.size(), 200u);

#ifdef _WIN32
    GTEST_SKIP() << "a file-size limit (setrlimit) stands for the full disk on POSIX only";
#else
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        f.platform.warnings.clear();
        const bool saved = f.session.saveDesign(file.string());
        const bool told =
            f.platform.warnings.size() == 1 &&
            f.platform.warnings[0].find("n'a pas été enregistrée") != std::string::npos &&
            f.platform.warnings[0].find("dépasse la taille permise") != std::string::npos &&
            f.platform.warnings[0].find("il est resté intact") != std::string::npos;
        _exit(saved ? 2 : told ? 0 : 3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: reported saved, 3: not told why";
    EXPECT_EQ(fileText(file), previous);
    for (const auto& entry : fs::directory_iterator(f.dir.root()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << entry.path();

    ASSERT_TRUE(f.session.saveDesign(file.string()));
    EXPECT_EQ(fileText(file), full);
#endif
}

}  // namespace

namespace {

// The history keeps the last 200 steps: 205 changes undo back to the state after the fifth, and
// no further; every one of them redoes.
TEST(DesignDocument, UndoReachesBackExactly200Steps) {
    DesignFixture f;
    makeSteps(f, 14);
    std::vector<DesignRecord> after;  // the record after each change
    for (int i = 0; i < 205; ++i) {
        f.session.clearanceChanged(1 + i % 49);  // never twice the same in a row
        after.push_back(f.record());
    }
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(f.session.undo()) << "undo " << i + 1;
    EXPECT_EQ(recordDifference(after[4], f.record()), "");
    EXPECT_FALSE(f.session.canUndo());
    EXPECT_FALSE(f.session.undo());
    EXPECT_EQ(f.session.undoText(), "Annuler");
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(f.session.redo()) << "redo " << i + 1;
    EXPECT_EQ(recordDifference(after.back(), f.record()), "");
    EXPECT_FALSE(f.session.canRedo());
}

}  // namespace

namespace {

TEST(DesignDocument, ThePupilAndClassAreKeptInTheFileAndMarkTheDesignUnsaved) {
    DesignFixture f;
    makeSteps(f, 3);
    const std::string file = (f.dir.root() / "lea.ventakar").string();
    ASSERT_TRUE(f.session.saveDesign(file));
    EXPECT_EQ(fileText(file).find("\"pupil\""), std::string::npos) << "no member while unnamed";
    const std::string longName(150, 'x');
    f.session.setPupil({"  Léa Martin et Tom  ", longName});
    EXPECT_TRUE(f.session.isModified());
    EXPECT_EQ(f.session.pupil().name, "Léa Martin et Tom");
    EXPECT_EQ(f.session.pupil().className, std::string(100, 'x')) << "cut at 100 characters";
    f.session.setPupil({"Léa Martin", "5e B"});
    ASSERT_TRUE(f.session.saveDesign(file));
    EXPECT_FALSE(f.session.isModified());
    const std::string text = fileText(file);
    EXPECT_NE(text.find(R"("pupil": {
    "name": "Léa Martin",
    "class": "5e B"
  })"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"version\": 1"), std::string::npos);

    DesignFixture reopened;
    ASSERT_EQ(reopened.session.openDesignFile(file), OpenResult::Opened);
    EXPECT_EQ(reopened.session.pupil(), (PupilInfo{"Léa Martin", "5e B"}));
    EXPECT_FALSE(reopened.session.isModified());
    ASSERT_TRUE(reopened.session.newDesign());
    EXPECT_TRUE(reopened.session.pupil().empty());
    // A name of 100 accented letters is cut between letters, never inside one.
    EXPECT_EQ(pupilField(std::string(120, 'a') + "é"), std::string(100, 'a'));
    const std::string accents = [] {
        std::string s;
        for (int i = 0; i < 101; ++i) s += "é";
        return s;
    }();
    EXPECT_EQ(pupilField(accents).size(), 200u);
}

}  // namespace
