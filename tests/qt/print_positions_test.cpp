#include <gtest/gtest.h>

#include <QDate>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <optional>

#include "files/file_system.h"
#include "modal_helper.h"
#include "pdf_words.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

using Word = PdfWord;

std::vector<Word> wordsOf(const QString& pdf) {
    return pdfWords(pdf);
}

std::optional<Word> find(const std::vector<Word>& words, int page, const QString& text,
                         double nearY = -1) {
    for (const Word& w : words) {
        if (w.page == page && w.text == text && (nearY < 0 || std::abs(w.y - nearY) < 40)) return w;
    }
    return std::nullopt;
}

TEST(PrintedPositions, TitlesHeadingsAndDetailsStandAtTheirMillimetres) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("positions.pdf");
    ASSERT_EQ(driver::printToPdf(w, pdf), "PDF enregistré : " + QFileInfo(pdf).fileName());
    const std::vector<Word> words = wordsOf(pdf);
    ASSERT_FALSE(words.empty());

    const auto section1 = find(words, 1, "1.");
    const auto section2 = find(words, 1, "2.");
    const auto bilan = find(words, 2, "3.");
    const auto propeller = find(words, 1, "Hélice");  // the first block's heading
    ASSERT_TRUE(section1 && section2 && bilan && propeller);
    const auto diameter = find(words, 1, "Diamètre", propeller->y);
    const auto frontPosition =
        find(words, 2, "Position");  // page 2 starts with the propeller position
    ASSERT_TRUE(diameter && frontPosition);

    const double x0 = section1->x;  // 10 mm from the printable area's left edge
    EXPECT_NEAR(section2->x, x0, 1);
    EXPECT_NEAR(bilan->x, x0, 1);
    EXPECT_NEAR(propeller->x - x0, 30 * kPointsPerMm, 1.5);  // headings at 40 mm
    EXPECT_NEAR(diameter->x - x0, 40 * kPointsPerMm, 1.5);   // details at 50 mm
    EXPECT_NEAR(frontPosition->x - x0, 30 * kPointsPerMm, 1.5);
    EXPECT_NEAR(section2->y - section1->y, (200 - 10) * kPointsPerMm,
                1);  // titles at 10 and 200 mm
    EXPECT_NEAR(propeller->y - section1->y, (20 - 10) * kPointsPerMm,
                3);  // the first block at 20 mm
    EXPECT_NEAR(bilan->y - frontPosition->y, (115 - 10) * kPointsPerMm, 3);
}

}  // namespace

namespace {

// With a pupil and a class set, each page ends with one 9 pt line naming them, below every other
// line; nothing described moves. Without them the pages are as before.
TEST(PrintedPositions, TheFooterNamesThePupilBelowEveryLineOfBothPages) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    QTemporaryDir dir;
    const QString plain = dir.filePath("sans-nom.pdf");
    ASSERT_EQ(driver::printToPdf(design.w, plain),
              "PDF enregistré : " + QFileInfo(plain).fileName());
    design.w.session().setPupil({"Léa Martin", "5e B"});
    const QString named = dir.filePath("nomme.pdf");
    ASSERT_EQ(driver::printToPdf(design.w, named),
              "PDF enregistré : " + QFileInfo(named).fileName());
    // For looking at the pages: VENTAKAR_TEST_PDF names where to keep a copy.
    if (!qEnvironmentVariableIsEmpty("VENTAKAR_TEST_PDF"))
        QFile::copy(named, qEnvironmentVariable("VENTAKAR_TEST_PDF"));

    const std::vector<Word> before = wordsOf(plain);
    const std::vector<Word> after = wordsOf(named);
    EXPECT_FALSE(find(before, 1, "Léa") || find(before, 2, "Léa")) << "no footer without a name";
    ASSERT_EQ(after.size(), before.size() + 2 * 14) << "one footer line a page, 14 words each";
    for (std::size_t i = 0, j = 0; i < before.size(); ++i, ++j) {
        while (j < after.size() && after[j].text != before[i].text) ++j;
        ASSERT_LT(j, after.size()) << before[i].text.toStdString();
        EXPECT_EQ(after[j].page, before[i].page);
        EXPECT_NEAR(after[j].x, before[i].x, 0.01) << before[i].text.toStdString();
        EXPECT_NEAR(after[j].y, before[i].y, 0.01) << before[i].text.toStdString();
    }
    const auto top = find(after, 1, "1.");
    ASSERT_TRUE(top);
    for (int page : {1, 2}) {
        const auto name = find(after, page, "Léa");
        ASSERT_TRUE(name) << page;
        EXPECT_NEAR(name->x, top->x, 1);
        EXPECT_NEAR(name->y - top->y, (268 - 10) * kPointsPerMm, 2);
        for (const Word& w : after) {
            if (w.page == page && std::abs(w.y - name->y) > 1) {
                EXPECT_LT(w.y, name->y) << w.text.toStdString();
            }
        }
        std::vector<QString> line;
        for (const Word& w : after)
            if (w.page == page && std::abs(w.y - name->y) < 1) line.push_back(w.text);
        const QString text = QStringList(line.begin(), line.end()).join(' ');
        EXPECT_TRUE(text.startsWith("Léa Martin — 5e B — ")) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QString("page %1 sur 2").arg(page))) << text.toStdString();
    }
}

}  // namespace

namespace {

// The lines added to the balance stand under its three described lines, in their style, and the
// sketch's section comes below them at 180 mm, its values inside the space left above the foot.
TEST(PrintedPositions, TheAddedBalanceLinesAndTheSketchStandBelowTheBalance) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("bilan.pdf");
    ASSERT_EQ(driver::printToPdf(design.w, pdf), "PDF enregistré : " + QFileInfo(pdf).fileName());
    const std::vector<Word> words = wordsOf(pdf);
    const auto top = find(words, 2, "Position");
    const auto batteries = find(words, 2, "Batteries");
    const auto maxima = find(words, 2, "Maxima");
    const auto section = find(words, 2, "4.");
    const auto croquis = find(words, 2, "Croquis");
    ASSERT_TRUE(top && batteries && maxima && section && croquis);
    const auto price = find(words, 2, "Prix", batteries->y);  // « Prix Maxi HT (euro) : … »
    ASSERT_TRUE(price);
    EXPECT_NEAR(batteries->x, price->x, 0.5);  // the detail column, 50 mm
    EXPECT_NEAR(maxima->x, price->x, 0.5);
    const double line = batteries->y - price->y;
    EXPECT_GT(line, 3 * kPointsPerMm);
    EXPECT_LT(line, 7 * kPointsPerMm);
    EXPECT_NEAR(maxima->y - batteries->y, line, 0.5);
    EXPECT_NEAR(section->y - top->y, (180 - 10) * kPointsPerMm, 3);
    EXPECT_NEAR(section->x, top->x - 30 * kPointsPerMm, 1.5);  // a section title, at 10 mm
    EXPECT_GT(section->y, maxima->y + line);
    // The sketch's dimension values, below its title and above the foot.
    const std::string& clearance = design.w.session().record().text("Text79");
    std::optional<Word> value;
    for (const Word& w : words)
        if (w.page == 2 && w.y > croquis->y && w.text == QString::fromStdString(clearance))
            value = w;
    ASSERT_TRUE(value) << clearance;
    EXPECT_GT(value->y, croquis->y);
    EXPECT_LT(value->y - top->y, (264 - 10) * kPointsPerMm);
    int pages = 0;
    for (const Word& w : words) pages = std::max(pages, w.page);
    EXPECT_EQ(pages, 2);
}

}  // namespace

namespace {

// Page 2 says everything inside the page: the longest remarks wrap within the printable width, and
// a 100-character name is shortened so that the footer keeps its date and page number on both
// pages; still two pages. Judged by where each word ends, whatever the fonts.
TEST(PrintedPositions, PageTwoKeepsItsLongestLinesInsideThePage) {
    TempDataDir data;
    data.copySuppliedData();
    const std::string motor = "Moteur RE-140 au nom très long pour voir si la ligne tient";
    data.write("Moteur.txt", "\"" + motor + "\",24,18,2,\"Non\",\"Solaris\",RE140,1.60\r\n");
    std::filesystem::copy_file(data.root() / "Data/Moteur RE-140.jpg",
                               data.root() / systemPath("Data/" + motor + ".jpg"));
    data.write("Energie.txt",
               "\"Coupleur sans piles au nom tout aussi long que possible\","
               "\"Coupleur\",12,\"K\",EK,0.80,0\r\n");
    std::filesystem::copy_file(
        data.root() / "Data/Coupleur 2 piles AA.jpg",
        data.root() /
            systemPath("Data/Coupleur sans piles au nom tout aussi long que possible.jpg"));
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    design.w.session().setPupil({std::string(60, 'L') + " et " + std::string(36, 'M'),
                                 "Cinquième B du collège des Trois Rivières"});
    QTemporaryDir dir;
    const QString pdf = dir.filePath("long.pdf");
    ASSERT_EQ(driver::printToPdf(design.w, pdf), "PDF enregistré : " + QFileInfo(pdf).fileName());
    const std::vector<Word> words = wordsOf(pdf);
    const auto section = find(words, 1, "1.");
    ASSERT_TRUE(section);
    const double left = section->x - 10 * kPointsPerMm;  // the printable area's left edge
    const double right = 210 * 72 / 25.4 - left;         // as far from the right edge
    int pages = 0;
    for (const Word& w : words) {
        pages = std::max(pages, w.page);
        if (w.page == 2) {
            EXPECT_LE(w.right, right + 0.5) << w.text.toStdString();
        }
    }
    EXPECT_EQ(pages, 2);
    QString remarks;
    for (const Word& w : words)
        if (w.page == 2) remarks += w.text + " ";
    EXPECT_TRUE(
        remarks.contains("non adapté au solaire sur l'alimentation « Coupleur sans piles "
                         "au nom tout aussi long que possible »"))
        << remarks.toStdString();
    for (int page : {1, 2}) {
        std::optional<Word> number;  // the footer's « sur », the last of the page
        for (const Word& w : words)
            if (w.page == page && w.text == "sur") number = w;
        ASSERT_TRUE(number);
        QStringList footer;
        for (const Word& w : words)
            if (w.page == page && std::abs(w.y - number->y) < 1) footer << w.text;
        EXPECT_TRUE(footer.join(' ').endsWith(QString("page %1 sur 2").arg(page)));
        EXPECT_TRUE(footer.join(' ').contains("…")) << footer.join(' ').toStdString();
        for (const Word& w : words) {
            if (w.page == page && std::abs(w.y - number->y) < 1) {
                EXPECT_LE(w.right, right + 0.5) << w.text.toStdString();
            }
        }
        EXPECT_TRUE(footer.join(' ').contains(QDate::currentDate().toString("yyyy")));
    }
}

}  // namespace
