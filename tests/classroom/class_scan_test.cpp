#include "classroom/class_scan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "classroom/design_comparison.h"
#include "classroom/design_fixes.h"
#include "files/file_system.h"
#include "support/design_fixture.h"
#include "support/system_rows.h"
#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace {

// A lighter design than the rules' maximum, one exactly at it, one above it.
void light(DesignFixture& f) {
    f.completeDesign(0, 4, 4, "Option1", "Option3", "Option5");  // R45 wheels: 121 g
}

// A text of kClass (decimal comma) as written with another decimal mark.
std::string withDecimalMark(std::string text, const std::string& separator) {
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == ',' && std::isdigit((unsigned char)text[i - 1]) &&
            std::isdigit((unsigned char)text[i + 1]))
            text.replace(i, 1, separator);
    return text;
}

struct ClassDesign {
    const char* file;
    std::function<void(DesignFixture&)> make;  // null: the file's text is given
    const char* text;
    DesignState state;
    const char* failing;  // in the row's criteria (or why it is not judged), or ""
    const char* withAll;  // the start of « Avec toutes les batteries »
    const char* remark;   // in the row's remarks, or ""
};

const ClassDesign kClass[] = {
    {"leger.ventakar", light, nullptr, DesignState::Conforme, "", "Conforme",
     "moteur de 24 mm dans un berceau de 20 mm"},
    {"Groupe 2/egal.ventakar",
     [](DesignFixture& f) { f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5"); }, nullptr,
     DesignState::SansVerdict,
     "Masse : 173 g, exactement la limite (moins de 173 g exigé) : le règlement ne donne pas de "
     "verdict",
     "Sans verdict", ""},
    {"Groupe 2/lourd.ventakar",
     [](DesignFixture& f) { f.completeDesign(0, 2, 2, "Option1", "Option3", "Option5"); }, nullptr,
     DesignState::NonConforme, "Masse : 213 g (moins de 173 g exigé, 40 g de trop)",
     "Non conforme : Masse", ""},
    {"a/b/c/d/piles.ventakar",
     [](DesignFixture& f) {
         light(f);
         f.pick("Combo4", 1);  // 4 batteries, neither counted
     },
     nullptr, DesignState::Conforme, "",
     "Non conforme : Masse : 198 g (moins de 173 g exigé, 25 g de trop)", ""},
    {"debut.ventakar",
     [](DesignFixture& f) {
         for (const char* list : {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5"})
             f.pick(list, 0);
     },
     nullptr, DesignState::Incomplete, "Étapes 6, 7, 8, 9, 10, 11, 12 et 13 à choisir",
     "Incomplète", ""},
    {"disparu.ventakar", nullptr,
     R"({"format": "ventakar-conception", "version": 1, "pupil": {"name": "Tom", "class": "5e B"},
         "choices": {"propeller": {"text": "P2", "index": 0}, "frontWheel": {"text": "R99", "index": 9}}})",
     DesignState::RepriseEnPartie,
     "l'élément « R99 » de l'étape 6 (Roues avant) ne figure plus dans son catalogue",
     "Reprise en partie", ""},
    // An item of each kind of catalogue gone: the reason said whatever the decimal mark.
    {"helice.ventakar", nullptr,
     R"({"format": "ventakar-conception", "version": 1, "pupil": {"name": "Tom", "class": "5e B"},
         "choices": {"propeller": {"text": "P9", "index": 7}}})",
     DesignState::RepriseEnPartie,
     "l'élément « P9 » de l'étape 1 (Hélice) ne figure plus dans son catalogue",
     "Reprise en partie", ""},
    {"moteur.ventakar", nullptr,
     R"({"format": "ventakar-conception", "version": 1, "pupil": {"name": "Tom", "class": "5e B"},
         "choices": {"propeller": {"text": "P2", "index": 0}, "motor": {"text": "M99", "index": 3}}})",
     DesignState::RepriseEnPartie,
     "l'élément « M99 » de l'étape 2 (Moteur) ne figure plus dans son catalogue",
     "Reprise en partie", ""},
    {"materiau.ventakar", nullptr,
     R"({"format": "ventakar-conception", "version": 1, "pupil": {"name": "Tom", "class": "5e B"},
         "choices": {"propeller": {"text": "P2", "index": 0}, "chassisMaterial": {"text": "Bois",
                     "index": 0}}})",
     DesignState::RepriseEnPartie, "l'élément « Bois » de l'étape 13 (Matériau)",
     "Reprise en partie", ""},
    {"abime.ventakar", nullptr, R"({"format": "ventakar-conception", "version": 1, "cho)",
     DesignState::Illisible, "la conception est endommagée", "", ""},
    {"futur.ventakar", nullptr,
     R"({"format": "ventakar-conception", "version": 7, "choices": {},
         "pupil": {"name": "Tom", "class": "5e B"}})",
     DesignState::Illisible, "version plus récente", "", ""},
    {"copie.ventakar", light, nullptr, DesignState::Conforme, "", "Conforme", ""},
    {"axe.ventakar",
     [](DesignFixture& f) { f.completeDesign(1, 4, 4, "Option2", "Option3", "Option5"); }, nullptr,
     DesignState::NonConforme, "Axe de l'hélice : 54,5 mm (plus de 60 mm exigé, 5,5 mm de moins)",
     "Non conforme : Axe de l'hélice", ""},
    {"sansimage.ventakar",
     [](DesignFixture& f) { f.completeDesign(2, 4, 4, "Option1", "Option3", "Option5"); }, nullptr,
     DesignState::Illisible, "Fichier « Data/P3n.jpg » : l'image est introuvable", "", ""},
};

// The class of kClass made and saved by a pupil's session, beside files a scan must leave out.
struct ClassFolder {
    ClassFolder() {
        fixture.dir.write("Reglement.txt", "350,200,150,173,25\r\n");
        folder = fixture.dir.root() / "classe";
        for (const ClassDesign& d : kClass) {
            const fs::path path = folder / d.file;
            fs::create_directories(path.parent_path());
            if (d.make) {
                EXPECT_TRUE(fixture.session.newDesign());
                fixture.session.setPupil({std::string("Élève ") + d.file, "5e B"});
                d.make(fixture);
                EXPECT_TRUE(fixture.session.saveDesign(path.string())) << d.file;
            } else {
                std::ofstream(path, std::ios::binary) << d.text;
            }
        }
        // Every picture the designs showed is there (the scan only looks whether it is).
        for (const std::string& picture : fixture.platform.picturesLoaded())
            std::ofstream(fixture.dir.root() / picture);
        // But one, of a propeller only one design chose.
        fs::remove(fixture.dir.root() / "Data/P3n.jpg");
        // Left out: hidden, recovery, not a design, too deep, and a link back up.
        fs::copy_file(folder / "leger.ventakar", folder / ".cache.ventakar");
        fs::copy_file(folder / "leger.ventakar", folder / "recuperation-1-2.ventakar");
        fs::copy_file(folder / "leger.ventakar", folder / "leger.ventakar.bak");
        fs::create_directories(folder / "1/2/3/4/5");
        fs::copy_file(folder / "leger.ventakar", folder / "1/2/3/4/5/profond.ventakar");
        std::error_code noLinks;  // wine makes no symbolic links: no loop there
        fs::create_directory_symlink(folder, folder / "a/boucle", noLinks);
    }
    DesignFixture fixture;
    fs::path folder;
};

TEST(ClassScan, EveryRowSaysWhatTheWindowShowsOnceItsDesignIsOpened) {
    ClassFolder c;
    const ClassScan scan = scanClass(c.folder.string(), ",");
    ASSERT_EQ(scan.rows.size(), std::size(kClass));
    std::map<std::string, const DesignRow*> byFile;
    for (const DesignRow& row : scan.rows) byFile[row.file] = &row;
    for (const ClassDesign& d : kClass) {
        SCOPED_TRACE(d.file);
        ASSERT_TRUE(byFile.count(d.file));
        const DesignRow& row = *byFile[d.file];
        EXPECT_EQ(row.state, d.state) << stateWords(row.state);
        EXPECT_NE(row.failing.find(d.failing), std::string::npos) << row.failing;
        EXPECT_EQ(row.withAllBatteries.rfind(d.withAll, 0), 0u) << row.withAllBatteries;
        EXPECT_NE(row.remarks.find(d.remark), std::string::npos) << row.remarks;
        // A newer version's design still names its pupil.
        if (std::string(d.file) == "futur.ventakar") {
            EXPECT_EQ(row.pupil, "Tom");
        }
        if (row.state == DesignState::Illisible) continue;

        // The same file opened in the pupil's window.
        DesignFixture window;
        window.dir.write("Reglement.txt", "350,200,150,173,25\r\n");
        window.session.openDesignFile((c.folder / d.file).string());
        const DesignRecord& r = window.record();
        ASSERT_TRUE(row.mass && row.price);
        EXPECT_EQ(*row.mass, MyVal(r.text("Text91")));
        EXPECT_EQ(*row.price, MyVal(r.text("Text92")));
        const bool estimated = r["Image11"].visible;
        EXPECT_EQ(row.height.has_value(), estimated);
        EXPECT_EQ(row.axis.has_value(), estimated);
        if (estimated) {
            EXPECT_EQ(*row.height, MyVal(r.text("Text90")));
            EXPECT_EQ(*row.axis, MyVal(r.text("Text43")));
        }
        const std::string& verdict = r["Picture9"].pictureFile;
        EXPECT_EQ(row.state == DesignState::Conforme, verdict == "Data/Oui.jpg");
        EXPECT_EQ(row.state == DesignState::NonConforme, verdict == "Data/Non.jpg");
        EXPECT_EQ(row.stepsChosen == 14, estimated);
        EXPECT_EQ(row.pupil, d.make ? std::string("Élève ") + d.file : "Tom");
        EXPECT_EQ(row.className, "5e B");
    }
    // Why, in every text of the row (the table's and the details' in the user's decimal mark, the
    // CSV's and the spreadsheet's with a comma), whichever mark the scan was made with.
    for (const char* mark : {",", "."}) {
        const ClassScan again = scanClass(c.folder.string(), mark);
        for (const DesignRow& row : again.rows) {
            for (const ClassDesign& d : kClass) {
                if (row.file != d.file) continue;
                SCOPED_TRACE(std::string(d.file) + " scanned with « " + mark + " »");
                for (const char* separator : {mark, ","}) {
                    const std::string why = classCell(row, 10, separator);
                    EXPECT_EQ(why.empty(), std::string(d.failing).empty()) << why;
                    EXPECT_NE(why.find(withDecimalMark(d.failing, separator)), std::string::npos)
                        << separator << " " << why;
                }
            }
        }
    }
    EXPECT_EQ(byFile["leger.ventakar"]->identicalTo, "groupe 1, 2 conceptions : copie.ventakar")
        << "names aside";
    EXPECT_EQ(byFile["copie.ventakar"]->identicalTo, "groupe 1, 2 conceptions : leger.ventakar");
    EXPECT_EQ(byFile["a/b/c/d/piles.ventakar"]->batteries,
              "4 piles, masse non comptée, coût non compté");
    EXPECT_EQ(byFile["leger.ventakar"]->batteries, "aucune");
    EXPECT_EQ(byFile["debut.ventakar"]->stepsChosen, 5);
    EXPECT_EQ(
        classSummary(scan.rows),
        "14 conceptions : 3 conformes, 2 non conformes, 1 sans verdict, 1 incomplète, 4 reprises "
        "en partie, 3 illisibles");
}

TEST(ClassScan, TheCsvOpensAsATableInAFrenchSpreadsheet) {
    ClassFolder c;
    ClassScan scan = scanClass(c.folder.string(), ".");
    findCheapestFixes(scan.rows, ".");
    const std::string csv = classCsv(scan.rows);
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF"
                        "Élève;Classe;État;Pourquoi;Masse (g);Prix HT (€);Fichier;Enregistré le;"
                        "Étapes choisies;Hauteur (mm);Axe de l'hélice (mm);"
                        "Batteries;Avec toutes les batteries;Remarques;Identique à;Rendu le;"
                        "Remise;Versions précédentes;Il suffirait de\r\n",
                        0),
              0u);
    // « Il suffirait de », last: a change for each design that fails or has no verdict (its
    // numbers with the comma), nothing for the others.
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    int changes = 0;
    for (int n = 0; n < std::ssize(kClass) && std::getline(lines, line); ++n) {
        const std::string last = line.substr(line.rfind(';') + 1);
        const bool fails = line.find(";Non conforme;") != std::string::npos ||
                           line.find(";Sans verdict;") != std::string::npos;
        SCOPED_TRACE(line);
        EXPECT_EQ(last == "\r", !fails);
        if (fails) {
            EXPECT_TRUE(last.find(" → ") != std::string::npos ||
                        last.rfind("aucun changement d'une seule étape", 0) == 0);
        }
        if (last.find(" → ") != std::string::npos) {
            ++changes;
            EXPECT_NE(last.find(" €, masse "), std::string::npos);
            EXPECT_EQ(last.find('.'), std::string::npos) << "the comma, as the other numbers";
        }
    }
    EXPECT_GE(changes, 1);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + std::ssize(kClass));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), std::count(csv.begin(), csv.end(), '\r'));
    // Decimal comma whatever the scan's separator; a field holding « ; » is quoted.
    EXPECT_NE(csv.find(";leger.ventakar;"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";Conforme;;121;11,70;leger.ventakar;"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";14;85;73;aucune;Conforme;"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";Illisible;la conception est endommagée"), std::string::npos)
        << "an unread design says why beside its state";
    EXPECT_NE(csv.find("formé).;;;abime.ventakar;"), std::string::npos) << "and has no values";
    // Each cell as a spreadsheet must read it: never a formula, never a raw control character.
    const struct {
        CsvCell cell;
        const char* written;
    } cells[] = {
        {"a;b", "\"a;b\""},
        {"dit \"oui\"", "\"dit \"\"oui\"\"\""},
        {"simple", "simple"},
        {"=HYPERLINK(\"http://x\";\"clic\")", "\"'=HYPERLINK(\"\"http://x\"\";\"\"clic\"\")\""},
        {"=1+1", "'=1+1"},
        {"+33 6", "'+33 6"},
        {"-2", "'-2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "'␍x"},
        {"a=1", "a=1"},
        {CsvCell::number("-2,5"), "-2,5"},
        {"deux\nlignes", "deux␊lignes"},
        {"\x1b]0;titre\x07", "\"␛]0;titre␇\""},
        {std::string("nul\0ici", 7), "nul␀ici"},
        {"\xe2\x80\xae"
         "evil",
         "\xef\xbf\xbd"
         "evil"},  // U+202E, the right-to-left override
        {"\xe2\x81\xa6x\xe2\x81\xa9", "\xef\xbf\xbdx\xef\xbf\xbd"},  // isolates
        {"\xc2\x9bx", "\xef\xbf\xbdx"},                              // a C1 control
        {"\xe9l\xe8ve", "\xef\xbf\xbdl\xef\xbf\xbdve"},              // Latin-1, not UTF-8
        {"Léa", "Léa"},
    };
    for (const auto& c : cells) EXPECT_EQ(csvField(c.cell), c.written) << c.cell.text;
}

// Folders a school really has: every design once under its own path, or a word for what was
// left out; never a design of another class.
TEST(ClassScan, HostileFoldersGiveEveryDesignOnceOrSayWhatWasLeftOut) {
    struct Row {
        const char* name;
        std::function<void(const fs::path& folder, const fs::path& outside)> make;
        std::vector<std::string> files;
        std::string notes;                // skippedLines, joined by « | »
        const char* posixOnly = nullptr;  // why the row means nothing on Windows
    };
    constexpr const char* kNoLinks = "wine makes no symbolic links (Windows: an administrator's)";
    const auto design = [](const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << R"({"format": "ventakar-conception", "version": 1, "choices": {}})";
    };
    const Row rows[] = {
        {"PupilsLinkedToEachOther",
         [&](const fs::path& f, const fs::path&) {
             design(f / "alice/a.ventakar");
             design(f / "bob/b.ventakar");
             fs::create_directory_symlink("../bob", f / "alice/copain");
             fs::create_directory_symlink(f / "alice", f / "bob/amie");
         },
         {"alice/a.ventakar", "bob/b.ventakar"},
         "",
         kNoLinks},
        {"ALinkOutOfTheClass",
         [&](const fs::path& f, const fs::path& out) {
             design(f / "a.ventakar");
             design(out / "autre.ventakar");
             fs::create_directory_symlink(out, f / "voisins");
             fs::create_symlink(out / "autre.ventakar", f / "lien.ventakar");
         },
         {"a.ventakar"},
         "2 fichiers non lus : lien.ventakar (lien hors du dossier de la classe, non suivi), "
         "voisins/ (lien hors du dossier de la classe, non suivi)",
         kNoLinks},
        {"ALoopAndALinkToADesignInside",
         [&](const fs::path& f, const fs::path&) {
             design(f / "x/a.ventakar");
             fs::create_directory_symlink(f, f / "x/boucle");
             fs::create_symlink(f / "x/a.ventakar", f / "raccourci.ventakar");
         },
         {"x/a.ventakar"},
         "",
         kNoLinks},
        {"DeepFoldersUpperCaseAndOtherFiles",
         [&](const fs::path& f, const fs::path&) {
             design(f / "1/2/3/4/quatre.ventakar");
             design(f / "1/2/3/4/5/cinq.ventakar");
             design(f / "1/2/3/4/5/6/six.ventakar");
             design(f / "MAJ.VENTAKAR");
             std::ofstream(f / "notes.txt") << "x";
         },
         {"1/2/3/4/quatre.ventakar", "MAJ.VENTAKAR"},
         "1 fichier non lu : 1/2/3/4/5/ (2 conceptions à plus de 4 niveaux de dossiers)|1 autre "
         "fichier laissé de côté (pas une conception)"},
        {"AFifoNamedAsADesignAndABrokenLink",
         [&](const fs::path& f, const fs::path&) {
             design(f / "a.ventakar");
             makeFifo(f / "tube.ventakar");
             fs::create_symlink(f / "parti.ventakar", f / "casse.ventakar");
         },
         {"a.ventakar"},
         "2 fichiers non lus : casse.ventakar (lien cassé), tube.ventakar (pas un fichier "
         "ordinaire)",
         "FIFOs and symbolic links are POSIX files"},
        {"AccentedNamesOfPupilsAndFolders",
         [&](const fs::path& f, const fs::path&) {
             design(f / systemPath("Élèves de 5e/Léa Hervé.ventakar"));
             design(f / systemPath("Zoé.ventakar"));
         },
         {"Zoé.ventakar", "Élèves de 5e/Léa Hervé.ventakar"},
         ""},
        {"AFolderNobodyMayRead",
         [&](const fs::path& f, const fs::path&) {
             design(f / "a.ventakar");
             design(f / "ferme/b.ventakar");
             fs::permissions(f / "ferme", fs::perms::none);
         },
         {"a.ventakar"},
         "1 fichier non lu : ferme/ (droits d'accès)",
         "no POSIX modes nor « nobody » on Windows"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (skippedOnWindows(row.name, row.posixOnly)) continue;
        TempDataDir dir;
        const fs::path folder = dir.root() / "classe";
        const fs::path outside = dir.root() / "autre classe";
        fs::create_directories(folder);
        fs::create_directories(outside);
        row.make(folder, outside);
        openToOthers(folder);
        const std::string found = asUnprivileged([&] {
            const FoundDesigns designs = findDesigns(folder.string());
            std::string text;
            for (const std::string& file : designs.files) text += file + "\n";
            std::string notes;
            for (const std::string& line : skippedLines(designs.skipped, designs.otherFiles))
                notes += (notes.empty() ? "" : "|") + line;
            return text + "--\n" + notes;
        });
        std::string expected;
        for (const std::string& file : row.files) expected += file + "\n";
        EXPECT_EQ(found, expected + "--\n" + row.notes);
        if (fs::exists(folder / "ferme")) fs::permissions(folder / "ferme", fs::perms::owner_all);
    }
}

// A name from an old USB stick (Latin-1) is shown with a replacement character, its row opens its
// file and the CSV stays UTF-8.
TEST(ClassScan, AFileNameThatIsNotUtf8StillOpens) {
    if (kOnWindows) GTEST_SKIP() << "a Windows name is UTF-16: it is always valid text";
    ClassFolder c;
    const std::string latin1 = "\xe9l\xe8ve.ventakar";
    fs::copy_file(c.folder / "leger.ventakar", c.folder / latin1);
    const ClassScan scan = scanClass(c.folder.string(), ",");
    const auto it = std::find_if(scan.rows.begin(), scan.rows.end(),
                                 [](const DesignRow& r) { return r.file == "�l�ve.ventakar"; });
    ASSERT_NE(it, scan.rows.end());
    EXPECT_EQ(it->state, DesignState::Conforme) << it->remarks;
    EXPECT_EQ(fs::path(it->path).filename().string(), latin1);
    const std::string csv = classCsv(scan.rows);
    EXPECT_EQ(visibleText(csv.substr(3)).find("�l�ve.ventakar"),
              visibleText(csv.substr(3)).find("\xef\xbf\xbdl"))
        << "valid UTF-8 as written";
    EXPECT_EQ(csv.find("\xe9l"), std::string::npos);
}

// Identical designs named in proportion: the group, its size and at most five others.
TEST(ClassScan, IdenticalDesignsAreNamedByGroup) {
    ClassFolder c;
    for (int i = 0; i < 8; ++i)
        fs::copy_file(c.folder / "leger.ventakar",
                      c.folder / ("z" + std::to_string(i) + ".ventakar"));
    const ClassScan scan = scanClass(c.folder.string(), ",");
    std::map<std::string, std::string> same;
    for (const DesignRow& row : scan.rows) same[row.file] = row.identicalTo;
    EXPECT_EQ(same["z7.ventakar"],
              "groupe 1, 10 conceptions : copie.ventakar, leger.ventakar, z0.ventakar, "
              "z1.ventakar, z2.ventakar et 4 autres");
    EXPECT_EQ(same["Groupe 2/lourd.ventakar"], "");
}

TEST(ClassScan, AFolderWithoutDesignsAndAScanStoppedHalfWay) {
    DesignFixture f;
    fs::create_directory(f.dir.root() / "vide");
    EXPECT_TRUE(scanClass((f.dir.root() / "vide").string(), ",").rows.empty());
    EXPECT_EQ(classSummary(std::vector<DesignRow>{}), "0 conception");

    ClassFolder c;
    int calls = 0;
    const ClassScan stopped = scanClass(c.folder.string(), ",", [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, static_cast<int>(std::size(kClass)));
        return done < 3;
    });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.rows.size(), 3u);
    EXPECT_EQ(calls, 3);

    // A folder moved while it is read ends the scan, saying which, with the rows read before it.
    struct Moved {
        const char* name;
        fs::path from, to;
        std::string said;
    };
    const Moved moves[] = {
        {"TheClassFolder", "", "../ailleurs", "classe"},
        {"APupilsFolder", "a", "z", "le dossier « a/ » a été déplacé ou supprimé"},
    };
    for (const Moved& m : moves) {
        SCOPED_TRACE(m.name);
        ClassFolder moving;
        const ClassScan scan = scanClass(moving.folder.string(), ",", [&](int done, int) {
            if (done == 2) fs::rename(moving.folder / m.from, moving.folder / m.to);
            return true;
        });
        EXPECT_NE(scan.interrupted.find(m.said), std::string::npos) << scan.interrupted;
        EXPECT_NE(scan.interrupted.find("le tableau est incomplet"), std::string::npos);
        ASSERT_EQ(scan.rows.size(), 2u);
        EXPECT_EQ(scan.rows[1].file, "Groupe 2/lourd.ventakar");
    }
}

// A class large enough to be read on every core: the same rows, in the files' order, as one
// scanner reading them one after the other; stopped, the rows read before the stop.
TEST(ClassScan, ALargeClassReadOnEveryCoreGivesTheRowsOfOneReader) {
    ClassFolder c;
    const std::vector<std::string> originals = findDesignFiles(c.folder.string());
    for (int copy = 0; copy < 12; ++copy)
        for (const std::string& file : originals) {
            const fs::path to = c.folder / ("copies" + std::to_string(copy)) / file;
            fs::create_directories(to.parent_path());
            fs::copy_file(c.folder / file, to);
        }
    const std::vector<std::string> files = findDesignFiles(c.folder.string());
    ASSERT_GE(files.size(), 100u);
    DesignScanner one(",");
    std::vector<DesignRow> expected;
    for (const std::string& file : files)
        expected.push_back(one.scan((c.folder / file).generic_string(), file));
    const ClassScan scan = scanClass(c.folder.string(), ",");
    ASSERT_EQ(scan.rows.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(scan.rows[i].path, expected[i].path);
        EXPECT_EQ(scan.rows[i].state, expected[i].state) << files[i];
        EXPECT_EQ(scan.rows[i].failing, expected[i].failing) << files[i];
        EXPECT_EQ(scan.rows[i].price, expected[i].price) << files[i];
        EXPECT_EQ(scan.rows[i].remarks, expected[i].remarks) << files[i];
        EXPECT_EQ(scan.rows[i].withAllBatteries, expected[i].withAllBatteries) << files[i];
        EXPECT_EQ(scan.rows[i].parts.size(), expected[i].parts.size()) << files[i];
    }
    const ClassScan stopped =
        scanClass(c.folder.string(), ",", [](int done, int) { return done < 70; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_LE(stopped.rows.size(), 70u + 16u);
    EXPECT_GE(stopped.rows.size(), 1u);
    for (std::size_t i = 0; i < stopped.rows.size(); ++i)
        EXPECT_EQ(stopped.rows[i].path, expected[i].path) << "the rows before the stop, in order";
}

// A pupil's folder mounted a second time inside the class is one pupil's work, read once.
TEST(ClassScan, AFolderReachedTwiceThroughABindMountIsReadOnce) {
    if (kOnWindows) GTEST_SKIP() << "bind mounts are Linux's";
    ClassFolder c;
    fs::create_directory(c.folder / "miroir");
    const std::string mount = "mount --bind '" + (c.folder / "Groupe 2").string() + "' '" +
                              (c.folder / "miroir").string() + "' 2>/dev/null";
    if (std::system(mount.c_str()) != 0)
        GTEST_SKIP() << "mount --bind needs root and a kernel that allows it here";
    const FoundDesigns found = findDesigns(c.folder.string());
    EXPECT_EQ(std::system(("umount '" + (c.folder / "miroir").string() + "'").c_str()), 0);
    EXPECT_EQ(std::count(found.files.begin(), found.files.end(), "Groupe 2/lourd.ventakar"), 1);
    EXPECT_EQ(
        std::count_if(found.files.begin(), found.files.end(),
                      [](const std::string& f) { return f.find("lourd") != std::string::npos; }),
        1);
}

}  // namespace

namespace {

TEST(ClassScan, TwoDesignsComparedStepByStepThenTheirValues) {
    ClassFolder c;
    auto differing = [&](const char* a, const char* b) {
        std::vector<std::string> labels;
        for (const ComparedLine& line :
             compareDesigns((c.folder / a).string(), (c.folder / b).string(), ","))
            if (line.differs())
                labels.push_back(line.label + ": " + line.first + " | " + line.second);
        return labels;
    };
    EXPECT_EQ(differing("leger.ventakar", "copie.ventakar"),
              (std::vector<std::string>{"Élève: Élève leger.ventakar | Élève copie.ventakar"}));
    const std::vector<std::string> heavier = differing("leger.ventakar", "Groupe 2/lourd.ventakar");
    EXPECT_EQ(heavier.at(1), "Étape 6 (Roues avant): R45 | R40");
    EXPECT_EQ(heavier.at(2), "Étape 7 (Roues arrière): R45 | R40");
    EXPECT_NE(std::find(heavier.begin(), heavier.end(), "Masse (g): 121 | 213"), heavier.end());
    EXPECT_NE(std::find(heavier.begin(), heavier.end(), "État: Conforme | Non conforme"),
              heavier.end());
    // The batteries' kind and costs only where the supply takes batteries: a supply without any
    // says « sans objet », never « ≠ » against another one without.
    const std::vector<std::string> batteries =
        differing("leger.ventakar", "a/b/c/d/piles.ventakar");
    EXPECT_TRUE(std::any_of(batteries.begin(), batteries.end(), [](const std::string& line) {
        return line.find("type de batteries: sans objet | ") != std::string::npos;
    })) << batteries.front();
    for (const std::string& line : heavier)
        if (line.rfind("Étape 4", 0) == 0) ADD_FAILURE() << line;
    const std::vector<ComparedLine> unread = compareDesigns(
        (c.folder / "abime.ventakar").string(), (c.folder / "leger.ventakar").string(), ",");
    EXPECT_EQ(unread.at(2).first, "");
    EXPECT_EQ(unread.at(2).second, "P2");
    EXPECT_EQ(unread.at(1).label, "Classe");
    EXPECT_EQ(unread.at(1).second, "5e B");
}

}  // namespace

namespace {

const PartLine* lineOf(const PartsList& list, const std::string& designation) {
    for (const PartLine& line : list.lines)
        if (line.designation == designation) return &line;
    return nullptr;
}

// The order of the class: the parts counted as the totals count them, merged by item, and a
// grand total that is the sum of the designs' prices with their batteries counted.
TEST(ClassOrder, CountsAsTheTotalsAndAddsUpToTheDesignsPrices) {
    ClassFolder c;
    const ClassScan scan = scanClass(c.folder.string(), ",");
    std::vector<std::vector<PartLine>> designs;
    long long prices = 0;
    int conforming = 0;
    for (const DesignRow& row : scan.rows) {
        if (row.state != DesignState::Conforme) continue;
        designs.push_back(row.parts);
        prices += toCents(*row.priceWithBatteries);
        ++conforming;
    }
    ASSERT_EQ(conforming, 3);
    const PartsList order = mergeParts(designs);
    EXPECT_EQ(order.grandTotalCents, prices);
    long long subtotals = 0;
    for (const auto& [supplier, amount] : order.subtotals) subtotals += amount;
    EXPECT_EQ(subtotals, order.grandTotalCents);

    // The same wheel front and rear: four a design, one line for both steps.
    const PartLine* wheel = lineOf(order, "R45");
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->quantity, 12);
    EXPECT_EQ(wheel->step, "6 et 7");
    EXPECT_EQ(wheel->designs, 3);
    EXPECT_EQ(*wheel->totalCents, 360);
    // The batteries of the one design that has some, though it did not count them.
    const PartLine* piles = lineOf(order, "Pile");
    ASSERT_NE(piles, nullptr);
    EXPECT_EQ(piles->quantity, 4);
    EXPECT_EQ(piles->designs, 1);
    EXPECT_EQ(piles->supplier, "Sans fournisseur");
    EXPECT_EQ(*piles->unitPrice, 0.5);
    // One mounting an axle; materials with their thickness, to cut, at no price.
    ASSERT_NE(lineOf(order, "T1"), nullptr);
    EXPECT_EQ(lineOf(order, "T1")->quantity, 3);
    EXPECT_EQ(lineOf(order, "T1")->reference, "—");
    const PartLine* chassis = lineOf(order, "M3 (épaisseur 3 mm)");
    ASSERT_NE(chassis, nullptr);
    EXPECT_FALSE(chassis->totalCents.has_value());
    EXPECT_EQ(partsCell(*chassis, 5, ","), "") << "no text in a number column";
    EXPECT_EQ(partsCell(*chassis, 8, ","), "à découper selon le plan");
    // Sorted by supplier then reference, the items no catalogue supplies last.
    for (std::size_t i = 1; i < order.lines.size(); ++i) {
        const PartLine& a = order.lines[i - 1];
        const PartLine& b = order.lines[i];
        if (a.supplier == "Sans fournisseur") {
            EXPECT_EQ(b.supplier, "Sans fournisseur");
        }
        if (a.supplier == b.supplier) {
            EXPECT_LE(a.reference, b.reference);
        }
    }
    // A half-cent unit price: each wheel costs it rounded to the cent, and a line is that times
    // its quantity (not its exact sum rounded); a supplier written like a formula stays text.
    c.fixture.dir.write(
        "Roue.txt",
        std::string("\"R50\",50,20,4,\"S\",\"R\",0.35\r\n\"R60\",60,12,4,\"S\",\"R\",0.45\r\n"
                    "\"R40\",40,30,3,\"S\",\"R\",0.3\r\n\"R50b\",50.0,8,4,\"S\",\"R\",0.35\r\n"
                    "\"R45\",45,7,4,\"=S\",\"R\",0.305\r\n"));
    std::vector<std::vector<PartLine>> halfCent;
    for (const DesignRow& row : scanClass(c.folder.string(), ",").rows)
        if (row.state == DesignState::Conforme) halfCent.push_back(row.parts);
    const PartsList halfCentOrder = mergeParts(halfCent);
    const PartLine* rounded = lineOf(halfCentOrder, "R45");
    ASSERT_NE(rounded, nullptr);
    EXPECT_EQ(*rounded->totalCents, 12 * 31);
    EXPECT_NE(partsCsv(halfCentOrder).find("'=S;R;R45;6 et 7;12;0,31;3,72;"), std::string::npos)
        << partsCsv(halfCentOrder);

    // Accents aside, as a French list: « Électro » between « Dupont » and « Fabre ».
    std::vector<std::vector<PartLine>> suppliers = {{{.supplier = "Fabre", .reference = "1"},
                                                     {.supplier = "Électro", .reference = "2"},
                                                     {.supplier = "dupont", .reference = "3"}}};
    std::vector<std::string> order3;
    for (const PartLine& line : mergeParts(suppliers).lines) order3.push_back(line.supplier);
    EXPECT_EQ(order3, (std::vector<std::string>{"dupont", "Électro", "Fabre"}));

    const std::string csv = partsCsv(order);
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF"
                        "Fournisseur;Référence;Désignation;Étape;Quantité;"
                        "Prix unitaire HT (€);Total HT (€);Conceptions;Remarque;"
                        "Sous-totaux et total HT (€)\r\n",
                        0),
              0u);
    EXPECT_NE(csv.find(";R45;6 et 7;12;0,30;3,60;3;;\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";;Total général;;;;;;;" + formatCents(prices, ",") + "\r\n"),
              std::string::npos)
        << csv;
    // As a spreadsheet reads it: a sum over « Total HT (€) » is the grand total, and each
    // supplier's subtotal comes right after its last item and adds up its items.
    long long column = 0, items = 0;
    std::string supplier;
    std::vector<std::string> suppliersSeen;
    std::istringstream lines(csv.substr(3));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::stringstream cellText(line.substr(0, line.size() - 1));
        for (std::string cell; std::getline(cellText, cell, ';');) cells.push_back(cell);
        cells.resize(10);
        const auto cents = [](std::string text) {
            text.replace(text.find(','), 1, ".");
            return toCents(std::stod(text));
        };
        if (cells[2].rfind("Sous-total ", 0) == 0) {
            EXPECT_EQ(cells[2], "Sous-total " + supplier) << "after the last item of its supplier";
            EXPECT_EQ(cents(cells[9]), items) << cells[2];
            suppliersSeen.push_back(supplier);
            items = 0;
        } else if (cells[2] == "Total général") {
            EXPECT_EQ(cents(cells[9]), column);
        } else {
            if (!supplier.empty() && cells[0] != supplier) {
                EXPECT_EQ(items, 0) << "a subtotal is missing before " << cells[0];
            }
            supplier = cells[0];
            if (!cells[6].empty()) {
                column += cents(cells[6]);
                items += cents(cells[6]);
            }
        }
    }
    EXPECT_EQ(column, prices);
    EXPECT_EQ(suppliersSeen.size(), order.subtotals.size());
}

}  // namespace

namespace {

// Figures as a person writes them: amounts to the cent with two decimals, sums exact over any
// number of designs, half a cent rounded up, no binary noise.
TEST(ClassOrder, AmountsAreExactToTheCentOverAnyNumberOfDesigns) {
    const struct {
        double unitPrice;
        int designs;
        const char* total;
    } rows[] = {
        {0.1, 1000, "200,00"},  // two a design: 0,1 € is no exact binary fraction
        {0.7, 1500, "2100,00"}, {0.3, 3, "1,80"}, {2.675, 1, "5,36"},  // 2,675 € is 2,68 €, twice
        {25.2, 7, "352,80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.total);
        std::vector<std::vector<PartLine>> designs(row.designs,
                                                   {{.supplier = "S",
                                                     .reference = "R",
                                                     .designation = "D",
                                                     .step = "6 et 7",
                                                     .quantity = 2,
                                                     .unitPrice = row.unitPrice,
                                                     .totalCents = 2 * toCents(row.unitPrice)}});
        const PartsList order = mergeParts(designs);
        const std::string csv = partsCsv(order);
        EXPECT_NE(csv.find(";;Total général;;;;;;;" + std::string(row.total) + "\r\n"),
                  std::string::npos)
            << csv;
        EXPECT_NE(csv.find(";;Sous-total S;;;;;;;" + std::string(row.total) + "\r\n"),
                  std::string::npos);
        EXPECT_EQ(formatCents(order.grandTotalCents, "."),
                  std::string(row.total).replace(std::string(row.total).find(','), 1, "."));
    }
    const struct {
        double value;
        const char* money;
        const char* measure;
    } figures[] = {
        {0.199999999999999, "0,20", "0,2"},    {51.9999999999999, "52,00", "52"},
        {568.600000000001, "568,60", "568,6"}, {0.005, "0,01", "0,005"},
        {-0.005, "-0,01", "-0,005"},           {6.4, "6,40", "6,4"},
        {53.39999999999, "53,40", "53,4"},     {0, "0,00", "0"},
    };
    for (const auto& f : figures) {
        EXPECT_EQ(formatMoney(f.value, ","), f.money) << f.value;
        EXPECT_EQ(formatMeasure(f.value, ","), f.measure) << f.value;
    }
}

}  // namespace
