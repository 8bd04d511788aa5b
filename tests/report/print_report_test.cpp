#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <sstream>

#include "report/print_report.h"
#include "report/printer.h"
#include "support/design_fixture.h"

namespace {

// Logs every printer operation as one line of text.
class RecordingPrinter : public Printer {
  public:
    bool choosePrinter() override {
        log.push_back("dialog");
        fail("dialog");
        return accept;
    }
    void setA4Millimetres() override { add("A4 mm"); }
    void setFont(bool bold, double points) override {
        std::ostringstream s;
        s << "font " << (bold ? "bold " : "") << points;
        add(s.str());
    }
    void setPosition(double x, double y) override {
        std::ostringstream s;
        s << "at " << x << " " << y;
        add(s.str());
    }
    void setX(double x) override {
        std::ostringstream s;
        s << "x " << x;
        add(s.str());
    }
    void printLine(const std::vector<std::string>& texts) override {
        std::string line = "line";
        for (const std::string& t : texts) line += " [" + t + "]";
        add(line);
    }
    void drawPicture(const std::string& file, double x, double y) override {
        std::ostringstream s;
        s << "picture " << file << " " << x << " " << y;
        add(s.str());
    }
    void drawPictureIn(const std::string& file, double, double, double, double) override {
        add("sketch-picture " + file);
    }
    void drawLine(double, double, double, double, double) override { add("sketch-line"); }
    void drawTextIn(const std::string& text, double, double, double, double, bool,
                    double) override {
        add("sketch-text " + text);
    }
    void newPage() override { add("new page"); }
    void endDocument() override { add("end"); }
    void abortDocument() override { log.push_back("abort"); }
    void showMessage(const std::string& text) override { log.push_back("message " + text); }
    void showWarning(const std::string& text) override { log.push_back("warning " + text); }

    std::vector<std::string> log;
    bool accept = true;
    std::string failOn;  // an operation's first word that throws

  private:
    void add(const std::string& entry) {
        log.push_back(entry);
        fail(entry.substr(0, entry.find(' ')));
    }
    void fail(const std::string& operation) {
        if (operation == failOn) throw PrintError("aucune imprimante n'est disponible.");
    }
};

std::vector<std::string> block(const std::string& picture, int y, const std::string& heading,
                               const std::vector<std::string>& lines) {
    std::vector<std::string> out = {"picture " + picture + " 10 " + std::to_string(y),
                                    "font bold 14", "at 40 " + std::to_string(y),
                                    "line [" + heading + "]", "font 12"};
    for (const std::string& l : lines) {
        out.push_back("x 50");
        out.push_back("line [" + l + "]");
    }
    out.push_back("line");
    return out;
}

std::vector<std::string> section(int y, const std::string& title) {
    return {"font bold 16", "at 10 " + std::to_string(y), "line [" + title + "]"};
}

TEST(PrintReport, TheWholeReportOfACompleteDesign) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    RecordingPrinter printer;
    printReport(f.record(), printer);

    std::vector<std::string> expected = {"dialog", "A4 mm"};
    auto append = [&](const std::vector<std::string>& part) {
        expected.insert(expected.end(), part.begin(), part.end());
    };
    append(section(10, "1. Liste des composants sélectionnés"));
    append(block("Data/P2.jpg", 20, "Hélice référence : P2",
                 {"Diamètre (mm) : 100", "Masse (g) : 4", "Prix HT (Euros) : 1,2"}));
    append(block("Data/M24.jpg", 45, "Moteur référence : M24",
                 {"Diamètre (mm) : 24", "Masse (g) : 32", "Prix HT (Euros) : 2,5"}));
    append(block("Data/B20.jpg", 70, "Berceau référence : B20",
                 {"Diamètre (mm) : 20", "Masse (g) : 3", "Prix HT (Euros) : 0,4"}));
    append(block("Data/E0.jpg", 95, "Alimentation référence : E0",
                 {"Type : Solaire", "Masse (g) : 35", "Prix HT (Euros) : 4,5"}));
    append(block("Data/I.jpg", 120, "Interrupteur référence : I",
                 {"Type : Levier", "Masse (g) : 4", "Prix HT (Euros) : 0,6"}));
    append(block("Data/R50.jpg", 145, "Roues avant référence : R50",
                 {"Diamètre (mm) : 50", "Masse (g) : 20", "Prix HT (Euros) : 0,35"}));
    append(block("Data/R50.jpg", 170, "Roues arrière référence : R50",
                 {"Diamètre (mm) : 50", "Masse (g) : 20", "Prix HT (Euros) : 0,35"}));
    append(section(200, "2. Estimation du montage des composants"));
    append(block("Data/Montage1mini.jpg", 210, "Position des roues avant",
                 {"Châssis au dessus des roues avant"}));
    append(block("Data/Montage1mini.jpg", 235, "Position des roues arrière",
                 {"Châssis au dessus des roues arrière"}));
    expected.push_back("new page");
    append(block("Data/Helice.jpg", 10, "Position de l'hélice", {"Avant"}));
    append(block("Data/TrainA.jpg", 35, "Montage roues avant : T1",
                 {"Masse (g) : 6", "Prix HT (Euros) : 0,4", "desc 1"}));
    append(block("Data/TrainB.jpg", 60, "Montage roues arrière : T2",
                 {"Masse (g) : 9", "Prix HT (Euros) : 0,9", "desc 2"}));
    append(block("Data/Materiau.jpg", 85, "Matériau du châssis et des supports de roues",
                 {"Châssis : M3", "Supports de roues : M2"}));
    append(section(115, "3. Bilan"));
    append(
        block("Data/Oui.jpg", 125, "Estimation encombrement",
              {"Hauteur Maxi (mm) : 90", "Masse Maxi (g) : 173", "Prix Maxi HT (euro) : 11,9",
               "Batteries : aucune", "Maxima du règlement : hauteur 150 mm, masse 250 g, prix 25 €",
               "À vérifier : moteur de 24 mm dans un berceau de 20 mm"}));
    append(section(180, "4. Croquis coté"));
    ASSERT_GE(printer.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(printer.log.begin(), printer.log.begin() + expected.size()),
              expected);

    // Then the sketch as the window shows it: its drawings under its lines, its values on top.
    std::vector<std::string> sketch(printer.log.begin() + expected.size(), printer.log.end() - 2);
    EXPECT_EQ(*(printer.log.end() - 2), "end");
    EXPECT_EQ(printer.log.back(), "message Impression terminée");
    std::vector<std::string> texts;
    int lines = 0;
    std::size_t lastPicture = 0, firstLine = sketch.size(), firstText = sketch.size();
    for (std::size_t i = 0; i < sketch.size(); ++i) {
        const std::string& entry = sketch[i];
        ASSERT_EQ(entry.rfind("sketch-", 0), 0u) << entry;
        if (entry.rfind("sketch-picture", 0) == 0) lastPicture = i;
        if (entry == "sketch-line") {
            ++lines;
            firstLine = std::min(firstLine, i);
        }
        if (entry.rfind("sketch-text ", 0) == 0) {
            texts.push_back(entry.substr(12));
            firstText = std::min(firstText, i);
        }
    }
    EXPECT_LT(lastPicture, firstLine);
    EXPECT_LT(firstLine, firstText);
    int visibleLines = 0;
    for (const Control& c : f.record().controls())
        if (c.parent == "Frame12" && c.kind == ControlKind::Line && c.visible) ++visibleLines;
    EXPECT_EQ(lines, visibleLines);
    std::vector<std::string> values;
    for (const char* field : {"Text43", "Text75", "Text76", "Text77", "Text79"})
        values.push_back(f.record().text(field));
    EXPECT_EQ(texts, values);
}

TEST(PrintReport, PrintsOnlyTheSelectedCaptionOfEachPairAndTextsAsTheyStand) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option2", "Option4", "Option6");
    f.record().setText("Combo1", "Hélice recopiée à la main");  // typed into the list
    RecordingPrinter printer;
    printReport(f.record(), printer);
    const auto& log = printer.log;
    auto at = [&](const std::string& entry) { return std::find(log.begin(), log.end(), entry); };
    ASSERT_NE(at("line [Châssis entre les roues avant]"), log.end());
    EXPECT_EQ(*(at("line [Châssis entre les roues avant]") - 1), "x 50");
    EXPECT_EQ(at("line [Châssis au dessus des roues avant]"), log.end());
    EXPECT_NE(at("line [Châssis entre les roues arrière]"), log.end());
    EXPECT_NE(at("line [Arrière]"), log.end());
    EXPECT_EQ(at("line [Avant]"), log.end());
    EXPECT_NE(at("line [Hélice référence : Hélice recopiée à la main]"), log.end());
    EXPECT_EQ(std::count(log.begin(), log.end(), "new page"), 1);
}

// The balance's batteries line says how many of which kind, what each weighs and what was counted.
TEST(PrintReport, TheBatteriesLineOfEachSupply) {
    const struct {
        int supply;
        const char* kind;  // the option of the battery kind, or nullptr
        int costCounted, massCounted;
        const char* line;
    } rows[] = {
        {0, "Option7", 1, 1, "Batteries : aucune"},
        {1, "Option7", 0, 1, "Batteries : 4 piles de 23 g, masse comptée, coût non compté"},
        {1, "Option8", 1, 0, "Batteries : 4 accus de 26 g, masse non comptée, coût compté"},
        {2, "Option8", 1, 1, "Batteries : 2 accus de 26 g, masse comptée, coût compté"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        DesignFixture f;
        f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
        f.pick("Combo4", row.supply);
        f.select(row.kind);
        f.session.checkClicked("Check1", row.costCounted);
        f.session.checkClicked("Check2", row.massCounted);
        RecordingPrinter printer;
        printReport(f.record(), printer);
        EXPECT_NE(std::find(printer.log.begin(), printer.log.end(),
                            "line [" + std::string(row.line) + "]"),
                  printer.log.end());
    }
}

TEST(PrintReport, CancelPrintsNothingAndSaysNothing) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    RecordingPrinter printer;
    printer.accept = false;
    printReport(f.record(), printer);
    EXPECT_EQ(printer.log, std::vector<std::string>{"dialog"});
}

// Ctrl+P on a design that cannot print opens nothing and says why.
TEST(PrintReport, ADesignThatCannotPrintSaysWhy) {
    const struct {
        const char* name;
        std::function<void(DesignFixture&)> make;
        const char* told;
    } designs[] = {
        {"tie",
         [](DesignFixture& f) { f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5"); },
         "Impression impossible, pas de verdict : une valeur est exactement à sa limite :\nMasse"},
        {"unfinished", [](DesignFixture& f) { f.pick("Combo1", 0); },
         "Terminez les quatorze étapes pour obtenir l'estimation."},
    };
    for (const auto& d : designs) {
        DesignFixture f;
        f.dir.write("Reglement.txt", "350,200,150,173,25\r\n");  // the first design's mass
        ASSERT_TRUE(f.session.newDesign());
        d.make(f);
        RecordingPrinter printer;
        f.session.printClicked(printer);
        EXPECT_TRUE(printer.log.empty()) << d.name;
        ASSERT_EQ(f.platform.warnings.size(), 1u) << d.name;
        EXPECT_EQ(f.platform.warnings[0].rfind(d.told, 0), 0u) << f.platform.warnings[0];
    }
}

TEST(PrintReport, AFailureAbortsTheDocumentAndSaysWhy) {
    for (const char* step : {"dialog", "A4", "picture", "line", "new", "end"}) {
        DesignFixture f;
        f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
        RecordingPrinter printer;
        printer.failOn = step;
        printReport(f.record(), printer);
        ASSERT_GE(printer.log.size(), 2u) << step;
        EXPECT_EQ(printer.log[printer.log.size() - 2], "abort") << step;
        EXPECT_EQ(printer.log.back(),
                  "warning Impression impossible : aucune imprimante n'est disponible.")
            << step;
        EXPECT_EQ(std::count(printer.log.begin(), printer.log.end(), "message Impression terminée"),
                  0)
            << step;
    }
}

}  // namespace
