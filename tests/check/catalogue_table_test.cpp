#include "check/catalogue_table.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>

#include "catalogue/catalogue.h"
#include "check/catalogue_check.h"
#include "files/file_system.h"

namespace {

const FileRule& ruleOf(const std::string& file) {
    for (const FileRule& rule : fileRules())
        if (rule.file == file) return rule;
    throw std::runtime_error("no rule for " + file);
}

// A file loaded and saved unchanged gives back its exact bytes: every supplied file and the
// hostile ones a teacher's editor leaves.
TEST(CatalogueTable, LoadedAndSavedUnchangedGivesBackItsBytes) {
    struct Row {
        const char* name;
        const char* file;
        std::string bytes;
    };
    std::vector<Row> rows;
    for (const FileRule& rule : fileRules())
        rows.push_back({rule.file, rule.file, readFileBytes(std::string("Data/") + rule.file)});
    const std::string helice =
        "\"H\xe9lice 100 mm\",100,4,\"Maquettes, du Lac\",HB100,1.20,12,2,\"o\"";
    rows.insert(rows.end(),
                {
                    {"Utf8WithItsMark", "Helice.txt",
                     "\xEF\xBB\xBF\"Hélice 100 mm\",100,4,\"Lac\",HB100,1.20,12,2,\"o\"\r\n"},
                    {"Utf8WithoutMark", "Helice.txt",
                     "\"Hélice 100 mm\",100,4,\"Lac\",HB100,1.20,12,2,\"o\"\r\n"},
                    {"Windows1252TextWithAComma", "Helice.txt", helice + "\r\n"},
                    {"ARecordCutShort", "Helice.txt", helice + "\r\n\"Court\",100,4\r\n"},
                    {"ABlankLine", "Helice.txt", helice + "\r\n\r\n" + helice + "\r\n"},
                    {"LineFeedsAndNoLastEnd", "Helice.txt", helice + "\n" + helice},
                    {"AQuoteLeftOpen", "Helice.txt", "\"Ouvert,100,4\r\n" + helice + "\r\n"},
                    {"Empty", "Helice.txt", ""},
                });
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CatalogueTable table(ruleOf(r.file), r.bytes);
        EXPECT_EQ(table.bytes(), r.bytes);
        EXPECT_FALSE(table.needsUtf8());
    }
}

// What a typed cell writes, or why it is refused, by the field's type.
TEST(CatalogueTable, ACellTakesWhatItsFieldMayHold) {
    const std::string line = "\"Hélice 100 mm\",100,4,\"Lac\",HB100,1.20,12,2,\"o\"";
    const struct Row {
        const char* name;
        int column;
        const char* typed;
        const char* written;  // nullptr: refused
        const char* line;     // the record as saved, when accepted
        const char* refusal = "";
    } rows[] = {
        {"ADecimalComma", 5, "1,90", "1.90",
         "\"Hélice 100 mm\",100,4,\"Lac\",HB100,1.90,12,2,\"o\""},
        {"ADecimalPoint", 5, " 2.5 ", "2.5", nullptr},
        {"NotANumber", 5, "deux euros", nullptr, nullptr, "n'est pas un nombre"},
        {"BladesAWholeNumber", 7, "2,5", nullptr, nullptr, "doit être un nombre entier"},
        {"BladesWhole", 7, "3", "3", nullptr},
        {"TheVariantAChoice", 8, "Non", "n",
         "\"Hélice 100 mm\",100,4,\"Lac\",HB100,1.20,12,2,\"n\""},
        {"TheVariantNeitherYesNorNo", 8, "peut-être", nullptr, nullptr, "vaut o ou n"},
        {"ATextWithAQuote", 0, "Hélice \"turbo\"", nullptr, nullptr, "contient un guillemet"},
        {"ATextWithAComma", 4, "HB, 100", "HB, 100",
         "\"Hélice 100 mm\",100,4,\"Lac\",\"HB, 100\",1.20,12,2,\"o\""},
        {"TwoLines", 3, "Lac\ndu Nord", nullptr, nullptr, "sur une ligne"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CatalogueTable table(ruleOf("Helice.txt"), "\xEF\xBB\xBF" + line + "\r\n" + line + "\r\n");
        const CatalogueTable::Edit edit = table.setCell(1, r.column, r.typed);
        EXPECT_EQ(edit.accepted, r.written != nullptr) << edit.refusal;
        if (!r.written) {
            EXPECT_NE(edit.refusal.find(r.refusal), std::string::npos) << edit.refusal;
            EXPECT_EQ(table.bytes(), "\xEF\xBB\xBF" + line + "\r\n" + line + "\r\n");
            continue;
        }
        EXPECT_EQ(edit.written, r.written);
        EXPECT_EQ(table.cell(1, r.column), r.written);
        if (r.line) {
            EXPECT_EQ(table.bytes(), "\xEF\xBB\xBF" + line + "\r\n" + r.line + "\r\n")
                << "the record not touched byte for byte as it was";
        }
    }
}

// A record added, copied, moved and taken out; a character Windows-1252 lacks makes the file
// UTF-8 with its mark; the check sees the table as it would be saved, in its own words.
TEST(CatalogueTable, RecordsChangeAndTheCheckJudgesWhatWouldBeSaved) {
    const std::string a = "\"H\xe9lice A\",100,4,\"Lac\",HA,1.20,12,2,\"o\"";
    const std::string b = "\"H\xe9lice B\",120,5,\"Lac\",HB,1.40,14,2,\"o\"";
    CatalogueTable table(ruleOf("Helice.txt"), a + "\r\n" + b + "\n");
    EXPECT_EQ(table.encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(table.cell(0, 0), "Hélice A");
    table.duplicateRow(0);
    table.moveRow(2, 0);
    EXPECT_EQ(table.bytes(), b + "\n" + a + "\r\n" + a + "\r\n");
    const std::vector<CheckProblem> problems =
        checkFileBytes("Data", ruleOf("Helice.txt"), table.bytes(), probeFileExists);
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [](const CheckProblem& p) {
        return p.line == 3 && p.text.find("figure déjà ligne 2") != std::string::npos;
    })) << "two records of one designation flagged";
    table.removeRow(2);
    table.insertRow(2);
    EXPECT_TRUE(table.setCell(2, 0, "Hélice ✈ 150 mm").accepted);
    EXPECT_TRUE(table.needsUtf8());
    table.useUtf8();
    const std::string saved = table.bytes();
    EXPECT_EQ(saved.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(saved.find("\"Hélice A\",100"), std::string::npos) << "every line now UTF-8";
    EXPECT_NE(saved.find("\"Hélice ✈ 150 mm\","), std::string::npos);
    EXPECT_EQ(CatalogueTable(ruleOf("Helice.txt"), saved).bytes(), saved);
}

// An undo step keeps what one change did to the rows; a copy shares the rows and not the edits.
TEST(CatalogueTable, AChangeUndoneAndRedoneFromWhatItDidToTheRows) {
    const std::string text =
        "\"A\",100,4,\"Lac\",HA,1.20,12,2,\"o\"\r\n\"B\",120,5,\"Lac\",HB,1.40,14,2,\"o\"\r\n"
        "\"C\",90,3,\"Lac\",HC,1.10,10,2,\"o\"\r\n";
    const CatalogueTable original(ruleOf("Helice.txt"), text);
    const std::function<void(CatalogueTable&)> changes[] = {
        [](CatalogueTable& t) { t.setCell(1, 5, "2,5"); },
        [](CatalogueTable& t) { t.insertRow(0); },
        [](CatalogueTable& t) { t.removeRow(2); },
        [](CatalogueTable& t) { t.moveRow(0, 2); },
        [](CatalogueTable& t) { t.duplicateRow(1); },
    };
    for (const auto& change : changes) {
        CatalogueTable edited = original;
        change(edited);
        EXPECT_EQ(original.bytes(), text) << "the copy's change is its own";
        const CatalogueTable::Splice splice = CatalogueTable::difference(original, edited);
        EXPECT_LE(splice.removed.size() + splice.inserted.size(), 6u);
        CatalogueTable back = edited;
        back.apply(splice, false);
        EXPECT_EQ(back.bytes(), text);
        back.apply(splice, true);
        EXPECT_EQ(back.bytes(), edited.bytes());
    }
}

}  // namespace
