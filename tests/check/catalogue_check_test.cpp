#include "check/catalogue_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/cp1252.h"
#include "files/file_system.h"
#include "support/temp_data_dir.h"

namespace fs = std::filesystem;

namespace {

// Pictures named here cannot be decoded; the others are looked for on disk.
struct Probe {
    std::set<std::string> undecodable;
    std::string operator()(const std::string& path) const {
        if (undecodable.count(fs::path(path).filename().string()))
            return "l'image ne peut pas être décodée (format inconnu)";
        return probeFileExists(path);
    }
};

// UTF-8 text of the Latin-1 letters the supplied files use, as Windows-1252 bytes.
std::string encodeCp1252(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += text[i];
        } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            out += static_cast<char>(((c & 0x1F) << 6) | (text[++i] & 0x3F));
        } else {
            ADD_FAILURE() << "not a Latin-1 text: " << text;
        }
    }
    return out;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Rewrites one line (1-based) of a file of the copied Data; the texts are written in UTF-8 here
// and stored in Windows-1252 like the supplied files.
void editLine(const TempDataDir& dir, const std::string& file, int line,
              const std::function<std::string(std::string)>& edit) {
    const std::string text = decodeCp1252(readAll(dir.root() / "Data" / file));
    std::vector<std::string> lines;
    std::string current;
    std::istringstream in(text);
    while (std::getline(in, current)) {
        if (!current.empty() && current.back() == '\r') current.pop_back();
        lines.push_back(current);
    }
    lines.at(line - 1) = edit(lines.at(line - 1));
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    dir.write(file, encodeCp1252(out));
}

std::function<std::string(std::string)> replace(std::string from, std::string to) {
    return [from, to](std::string line) {
        const auto at = line.find(from);
        EXPECT_NE(at, std::string::npos) << from << " in " << line;
        if (at != std::string::npos) line.replace(at, from.size(), to);
        return line;
    };
}

struct Mistake {
    const char* name;
    std::function<void(const TempDataDir&, Probe&)> make;
    const char* file;
    int line;
    const char* field;  // caption, or "" for the record or file as a whole
    CheckProblem::Severity severity;
    const char* cause;
};

constexpr auto kError = CheckProblem::Severity::Error;
constexpr auto kWarning = CheckProblem::Severity::Warning;

const Mistake kMistakes[] = {
    {"DecimalComma",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Helice.txt", 3, replace(",1.90,", ",1,90,"));
     },
     "Helice.txt", 3, "Prix HT (Euros)", kError,
     "10 champs trouvés sur 9 attendus : une virgule dans un nombre ? écrivez 1.90 et non 1,90."},
    {"UnclosedQuote",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Helice.txt", 1, replace("100 mm\",", "100 mm,"));
     },
     "Helice.txt", 1, "", kError, "guillemet non fermé ligne 1"},
    {"Semicolons",
     [](const TempDataDir& d, Probe&) { d.write("Reglement.txt", "350;200;150;250;25\r\n"); },
     "Reglement.txt", 1, "", kError,
     "les champs sont séparés par des points-virgules : utilisez des virgules."},
    {"FieldMissing",
     [](const TempDataDir& d, Probe&) { editLine(d, "Moteur.txt", 2, replace(",\"Oui\"", "")); },
     "Moteur.txt", 2, "", kError, "7 champs trouvés sur 8 attendus : il en manque 1"},
    {"CommaInTextWithoutQuotes",
     [](const TempDataDir& d, Probe&) {
         editLine(
             d, "Energie.txt", 4,
             replace("\"Panneau solaire 6 V, grand format\"", "Panneau solaire 6 V, grand format"));
     },
     "Energie.txt", 4, "", kError,
     "8 champs trouvés sur 7 attendus : 1 de trop ; un texte qui contient une virgule doit être "
     "écrit entre guillemets"},
    {"BlankLineInTheMiddle",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Roue.txt", 2, [](std::string l) { return l + "\r\n"; });
     },
     "Roue.txt", 3, "", kError, "ligne vide : le lecteur la compte comme un champ vide"},
    {"TwoRecordsOnOneLine",
     [](const TempDataDir& d, Probe&) {
         d.write("Materiau.txt",
                 encodeCp1252("\"Balsa 3 mm\",3,\"Bois\",\"x\",\"Pin 4 mm\",4,\"Bois\",\"y\"\r\n"));
     },
     "Materiau.txt", 1, "", kWarning, "2 enregistrements sur une même ligne"},
    {"RecordPictureMissing",
     [](const TempDataDir& d, Probe&) { d.remove("Hélice bipale 125 mm.jpg"); }, "Helice.txt", 2,
     "Désignation", kError, "l'image « Hélice bipale 125 mm.jpg » : l'image est introuvable"},
    {"MountingDrawingUndecodable",
     [](const TempDataDir&, Probe& p) { p.undecodable.insert("TrainU.gif"); }, "Train.txt", 1,
     "Nom des images", kError, "l'image « TrainU.gif » : l'image ne peut pas être décodée"},
    {"SketchPictureMissing", [](const TempDataDir& d, Probe&) { d.remove("Me2.gif"); }, "Train.txt",
     2, "Code du croquis", kError, "l'image « Me2.gif » : l'image est introuvable"},
    {"StepPictureMissing", [](const TempDataDir& d, Probe&) { d.remove("Choix7.jpg"); },
     "Choix7.jpg", 0, "", kError, "cette image fait partie de la fenêtre de VENTAKAR"},
    {"SameDesignationTwice",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Interrupteur.txt", 2,
                  replace("\"Interrupteur à glissière\"", "  \"Interrupteur à levier\""));
     },
     "Interrupteur.txt", 2, "Désignation", kWarning,
     "« Interrupteur à levier » figure déjà ligne 1"},
    {"SupplierReadAsAFormula",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Moteur.txt", 2, replace(",RF300,", ",\"=HYPERLINK(1)\","));
     },
     "Moteur.txt", 2, "Réf. Fournisseur", kWarning,
     "« =HYPERLINK(1) » commence par « = » : un tableur le lirait comme une formule"},
    {"DesignationReadAsAFormula",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Interrupteur.txt", 2, replace("\"Interrupteur à glissière\"", "\"+1\""));
         fs::copy_file(d.root() / systemPath("Data/Interrupteur à glissière.jpg"),
                       d.root() / "Data/+1.jpg");
     },
     "Interrupteur.txt", 2, "Désignation", kWarning, "« +1 » commence par « + »"},
    {"MaximumZero",
     [](const TempDataDir& d, Probe&) { d.write("Reglement.txt", "350,200,0,250,25\r\n"); },
     "Reglement.txt", 1, "Hauteur Maxi (mm)", kError, "un maximum est un nombre positif"},
    {"MaximumNotANumber",
     [](const TempDataDir& d, Probe&) { d.write("Reglement.txt", "350,200,150,lourd,25\r\n"); },
     "Reglement.txt", 1, "Masse Maxi (g)", kError, "« lourd » n'est pas un nombre"},
    {"NegativeMass",
     [](const TempDataDir& d, Probe&) { editLine(d, "Roue.txt", 1, replace(",30,4,", ",30,-4,")); },
     "Roue.txt", 1, "Masse (g)", kWarning, "« -4 » est négatif"},
    {"DiameterInWords",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Berceau.txt", 1, replace(",20,3,", ",vingt,3,"));
     },
     "Berceau.txt", 1, "Diamètre (mm)", kError,
     "« vingt » n'est pas un nombre : VENTAKAR le compte comme 0"},
    {"MassWithItsUnit",
     [](const TempDataDir& d, Probe&) { editLine(d, "Moteur.txt", 2, replace(",32,", ",32 g,")); },
     "Moteur.txt", 2, "Masse (g)", kWarning, "« 32 g » n'est pas qu'un nombre : VENTAKAR lit 32"},
    {"VariantWord",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Helice.txt", 3, replace(",\"o\"", ",\"oui\""));
     },
     "Helice.txt", 3, "Variante tripale (o/n)", kError, "« oui » : la variante vaut o ou n"},
    {"HalfABattery",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Energie.txt", 1, replace(",0.80,2", ",0.80,2.5"));
     },
     "Energie.txt", 1, "Nombre de batteries", kError, "« 2.5 » doit être un nombre entier"},
    {"CatalogueMissing", [](const TempDataDir& d, Probe&) { d.remove("Pile.txt"); }, "Pile.txt", 0,
     "", kError, "le fichier est introuvable."},
    {"EmptyMaximum",
     [](const TempDataDir& d, Probe&) { editLine(d, "Reglement.txt", 1, replace(",250,", ",,")); },
     "Reglement.txt", 1, "Masse Maxi (g)", kError, "le nombre est vide"},
    {"EmptyMass",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Helice.txt", 2, replace(",125,5,", ",125,,"));
     },
     "Helice.txt", 2, "Masse (g)", kWarning, "le nombre est vide"},
    {"SameNameButForBlanks",
     [](const TempDataDir& d, Probe& p) {
         editLine(d, "Helice.txt", 2,
                  replace("\"Hélice bipale 125 mm\"", "\"  Hélice bipale 100 mm \""));
         // Its picture is there under the name as written: only the names are alike.
         fs::copy_file(d.root() / "Data" / systemPath("Hélice bipale 100 mm.jpg"),
                       d.root() / "Data" / systemPath("  Hélice bipale 100 mm .jpg"));
         p.undecodable.clear();
     },
     "Helice.txt", 2, "Désignation", kWarning, "« Hélice bipale 100 mm » figure déjà ligne 1"},
    {"Utf16Catalogue",
     [](const TempDataDir& d, Probe&) {
         std::string utf16 = "\xFF\xFE";
         for (char c : readAll(d.root() / "Data" / "Pile.txt")) utf16 += std::string{c, '\0'};
         d.write("Pile.txt", utf16);
     },
     "Pile.txt", 0, "", kError, "enregistré en UTF-16, que VENTAKAR ne lit pas"},
    {"FieldsByTheThousand",
     [](const TempDataDir& d, Probe&) {
         editLine(d, "Helice.txt", 7,
                  [](std::string line) { return line + std::string(5000, ','); });
     },
     "Helice.txt", 7, "", kError, "5009 champs trouvés sur 9 attendus : 5000 de trop"},
};

class DataMistake : public testing::TestWithParam<Mistake> {};

TEST_P(DataMistake, IsReportedAtItsLineWithItsCause) {
    const Mistake& m = GetParam();
    TempDataDir dir;
    dir.copySuppliedData();
    Probe probe;
    m.make(dir, probe);
    const CheckReport report = checkDataFolder("Data", probe);
    std::string all;
    for (const std::string& line : reportLines(report)) all += line + "\n";
    const CheckProblem* found = nullptr;
    for (const CheckProblem& p : report.problems) {
        if (p.file == m.file && p.line == m.line && p.text.find(m.cause) != std::string::npos)
            found = &p;
    }
    ASSERT_NE(found, nullptr) << all;
    EXPECT_EQ(found->field, m.field) << all;
    EXPECT_EQ(found->severity, m.severity) << all;
    // One mistake, one problem: nothing else is blamed for it.
    EXPECT_EQ(report.problems.size(), 1u) << all;
}

INSTANTIATE_TEST_SUITE_P(Check, DataMistake, testing::ValuesIn(kMistakes),
                         [](const auto& info) { return info.param.name; });

// Why start-up stopped on a file: the line the reader could not get past, not a missing picture
// of a line before it, which start-up never looks for.
TEST(Check, TheCauseOfAStopIsTheShortRecordNotAnEarlierPicture) {
    TempDataDir dir;
    dir.copySuppliedData();
    fs::remove(dir.root() / "Data" / "Roue 40 mm.jpg");
    editLine(dir, "Roue.txt", 3,
             [](std::string line) { return line.replace(line.find(",7,3,"), 5, ",7,"); });
    const std::string cause = firstErrorOf("Data", "Data/Roue.txt");
    EXPECT_EQ(cause.rfind("ligne 3 : 6 champs trouvés sur 7 attendus", 0), 0u) << cause;
    // With no line out of shape, the first error is still told.
    editLine(dir, "Roue.txt", 3,
             [](std::string line) { return line.replace(line.find(",7,"), 3, ",7,3,"); });
    EXPECT_EQ(
        firstErrorOf("Data", "Data/Roue.txt").rfind("ligne 2 : l'image « Roue 40 mm.jpg »", 0), 0u);
}

TEST(Check, TheSuppliedDataHasNoProblem) {
    TempDataDir dir;
    dir.copySuppliedData();
    const CheckReport report = checkDataFolder("Data", Probe{});
    const std::vector<std::string> lines = reportLines(report);
    EXPECT_EQ(report.errors(), 0) << lines.back();
    EXPECT_EQ(report.warnings(), 0) << lines.back();
    EXPECT_EQ(lines.back(), "Aucun problème : les catalogues sont prêts.");
    EXPECT_EQ(lines[1], "Helice.txt : lu en Windows-1252, 7 enregistrement(s).");
}

TEST(Check, SaysWhichEncodingEachFileWasReadIn) {
    TempDataDir dir;
    dir.copySuppliedData();
    const std::string helice = decodeCp1252(readAll(dir.root() / "Data" / "Helice.txt"));
    dir.write("Helice.txt", "\xEF\xBB\xBF" + helice);
    dir.write("Moteur.txt", decodeCp1252(readAll(dir.root() / "Data" / "Moteur.txt")));
    const CheckReport report = checkDataFolder("Data", Probe{});
    std::string all;
    for (const std::string& line : reportLines(report)) all += line + "\n";
    EXPECT_NE(all.find("Helice.txt : lu en UTF-8 (avec marque d'ordre des octets), 7"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("Moteur.txt : lu en UTF-8, 4"), std::string::npos) << all;
    EXPECT_EQ(report.problems.size(), 0u) << all << "the accented pictures are found";
}

TEST(Check, ListsEveryProblemSortedByFileAndLine) {
    TempDataDir dir;
    dir.copySuppliedData();
    editLine(dir, "Roue.txt", 5, replace(",", ";"));
    editLine(dir, "Helice.txt", 4, replace(",2.60,", ",2,60,"));
    editLine(dir, "Helice.txt", 2, replace(",125,", ",cent,"));
    dir.remove("Oui.jpg");
    const CheckReport report = checkDataFolder("Data", Probe{});
    std::vector<std::string> places;
    for (const CheckProblem& p : report.problems)
        places.push_back(p.file + ":" + std::to_string(p.line));
    EXPECT_EQ(places, (std::vector<std::string>{"Helice.txt:2", "Helice.txt:4", "Roue.txt:5",
                                                "Oui.jpg:0"}));
    EXPECT_EQ(report.errors(), 4);
    const std::vector<std::string> lines = reportLines(report);
    // The count of records read agrees with the record numbers of the problems.
    EXPECT_EQ(lines[1],
              "Helice.txt : lu en Windows-1252, 7 enregistrement(s) ; VENTAKAR ne peut pas le lire "
              "à cause de l'erreur signalée plus bas.");
    EXPECT_EQ(lines[11].rfind("Helice.txt, ligne 2, enregistrement n° 2, champ « Diamètre (mm) » : "
                              "erreur : « cent » n'est pas un nombre",
                              0),
              0u)
        << lines[11];
    EXPECT_EQ(lines.back(), "4 erreur(s), 0 avertissement(s).");
}

// A catalogue of many faulty records lists the first 200 problems of that file and counts the
// rest, in the summary too.
TEST(Check, ThousandsOfProblemsOfOneFileAreCountedBeyondTheFirst200) {
    TempDataDir dir;
    dir.copySuppliedData();
    std::string helice;
    for (int i = 1; i <= 1000; ++i)
        helice += "\"H" + std::to_string(i) + "\",cent,4,\"S\",R,1.20,12,2,\"o\"\r\n";
    dir.write("Helice.txt", helice);
    dir.remove("Oui.jpg");
    const CheckReport report = checkDataFolder("Data", Probe{});
    const std::vector<std::string> lines = reportLines(report);
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    // Each record: its diameter is no number and its picture is missing.
    EXPECT_EQ(report.errors(), 2001) << all;
    EXPECT_EQ(std::count_if(report.problems.begin(), report.problems.end(),
                            [](const CheckProblem& p) { return p.file == "Helice.txt"; }),
              200);
    EXPECT_NE(all.find("Helice.txt, ligne 100, enregistrement n° 100, champ « Diamètre (mm) »"),
              std::string::npos);
    EXPECT_NE(all.find("… et 1 800 autres problèmes dans Helice.txt.\nOui.jpg : erreur"),
              std::string::npos)
        << all;
    EXPECT_EQ(lines.back(), "2001 erreur(s), 0 avertissement(s).");

    // Beyond the cap, warnings stay warnings: a file with warnings only has no error.
    std::string roue;
    for (int i = 1; i <= 300; ++i)
        roue += "\"Roue 40 mm\",40,30 g,4,\"S\",R" + std::to_string(i) + ",0.3\r\n";
    dir.write("Helice.txt", readAll(fs::path(VENTAKAR_SOURCE_DIR) / "Data/Helice.txt"));
    dir.write("Roue.txt", roue);
    std::ofstream(dir.root() / "Data/Oui.jpg") << "";
    const CheckReport warned = checkDataFolder("Data", Probe{});
    EXPECT_EQ(warned.errors(), 0) << reportLines(warned).back();
    EXPECT_GE(warned.warnings(), 300);
}

TEST(Check, ARecordOverTwoLinesIsNoProblem) {
    TempDataDir dir;
    dir.copySuppliedData();
    editLine(dir, "Roue.txt", 2, replace(",\"Maquettes", "\r\n\"Maquettes"));
    const CheckReport report = checkDataFolder("Data", Probe{});
    EXPECT_EQ(report.problems.size(), 0u) << reportLines(report).back();
}

}  // namespace
