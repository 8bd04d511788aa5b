#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/record_parser.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct SyntaxCase {
    const char* name;
    std::string bytes;
    int fieldCount;
    std::string decimalSeparator;
    Rows expected;
};

void PrintTo(const SyntaxCase& c, std::ostream* os) {
    *os << c.name;
}

Rows parseAll(const std::string& bytes, int fieldCount, const std::string& separator) {
    RecordParser parser(bytes, "Data/Essai.txt", fieldCount, separator);
    Rows rows;
    FieldList fields;
    while (parser.next(&fields)) rows.push_back(fields.toVector());
    return rows;
}

class RecordSyntax : public ::testing::TestWithParam<SyntaxCase> {};

TEST_P(RecordSyntax, ReadsFieldsAsTheWindowShowsThem) {
    const SyntaxCase& c = GetParam();
    EXPECT_EQ(parseAll(c.bytes, c.fieldCount, c.decimalSeparator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, RecordSyntax,
    ::testing::Values(
        SyntaxCase{
            "OneRecordPerLine", "a,b,c\r\nd,e,f\r\n", 3, ",", {{"a", "b", "c"}, {"d", "e", "f"}}},
        SyntaxCase{"RecordSplitOverTwoLines",
                   "a,b\r\nc\r\nd,e,f\r\n",
                   3,
                   ",",
                   {{"a", "b", "c"}, {"d", "e", "f"}}},
        SyntaxCase{
            "TwoRecordsOnOneLine", "a,b,c,d,e,f\r\n", 3, ",", {{"a", "b", "c"}, {"d", "e", "f"}}},
        SyntaxCase{"QuotedCommaAndAccent",
                   "\"H\xE9lice 3, bipale\",12\r\n",
                   2,
                   ",",
                   {{"Hélice 3, bipale", "12"}}},
        SyntaxCase{"TextAfterClosingQuoteIgnored", "\"abc\" xyz,def\r\n", 2, ",", {{"abc", "def"}}},
        SyntaxCase{"QuotedKeepsBlanksUnquotedTrimmed",
                   "  \"  A  \" ,  b c  \t\r\n",
                   2,
                   ",",
                   {{"  A  ", "b c"}}},
        SyntaxCase{"EmptyFields", "a,,c\r\n,,\r\n", 3, ",", {{"a", "", "c"}, {"", "", ""}}},
        SyntaxCase{"BlankLineInTheMiddleMisalignsWhatFollows",
                   "a,b\r\n\r\nc\r\n",
                   2,
                   ",",
                   {{"a", "b"}, {"", "c"}}},
        SyntaxCase{"TrailingBlankLinesAndBlanksEndTheFile",
                   "a,b\r\n\r\n  \t\r\n\r\n",
                   2,
                   ",",
                   {{"a", "b"}}},
        SyntaxCase{"NoFinalLineEnd", "a,b\r\nc,d", 2, ",", {{"a", "b"}, {"c", "d"}}},
        SyntaxCase{"LoneLfAndLoneCrEndLines",
                   "a,b\nc,d\re,f",
                   2,
                   ",",
                   {{"a", "b"}, {"c", "d"}, {"e", "f"}}},
        SyntaxCase{"QuotedFieldSpansLineEnds", "\"a\r\nb\",c\r\n", 2, ",", {{"a\r\nb", "c"}}},
        SyntaxCase{"UnclosedQuoteRunsToTheEnd", "x,\"abc, def", 2, ",", {{"x", "abc, def"}}},
        SyntaxCase{"EmptyFile", "", 3, ",", {}},
        SyntaxCase{"OnlyBlankLines", "\r\n\r\n", 3, ",", {}},
        SyntaxCase{"NumbersInFrenchFormat",
                   "12.50,007,0042,\"0042\",\"12.50\"\r\n",
                   5,
                   ",",
                   {{"12,5", "7", "42", "0042", "12.50"}}},
        SyntaxCase{"NumbersInEnglishFormat",
                   "12.50,-0.0,+5,.5,3.\r\n",
                   5,
                   ".",
                   {{"12.5", "0", "5", "0.5", "3"}}},
        SyntaxCase{"ExponentsAndLargeNumbers",
                   "1e3,1.5E2,0.00001,123456789012345678\r\n",
                   4,
                   ",",
                   {{"1000", "150", "1E-05", "1,23456789012346E+17"}}},
        SyntaxCase{"TextThatIsNotANumberStaysAsWritten",
                   "12.50 g,1.2.3,1e,-,1e400\r\n",
                   5,
                   ",",
                   {{"12.50 g", "1.2.3", "1e", "-", "1e400"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CutShortCase {
    const char* name;
    std::string bytes;
    int fieldCount;
    std::string expectedPart;
};

void PrintTo(const CutShortCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordCutShort : public ::testing::TestWithParam<CutShortCase> {};

TEST_P(RecordCutShort, NamesFileRecordAndFieldsFound) {
    const CutShortCase& c = GetParam();
    try {
        parseAll(c.bytes, c.fieldCount, ",");
        FAIL() << "no error for a record cut short";
    } catch (const DataError& e) {
        EXPECT_EQ(e.file(), "Data/Essai.txt");
        EXPECT_NE(std::string(e.what()).find("Data/Essai.txt"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(c.expectedPart), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, RecordCutShort,
    ::testing::Values(
        CutShortCase{"SecondRecordShort", "a,b,c\r\nd,e\r\n", 3,
                     "enregistrement n° 2 (commencé ligne 2) : 2 champ(s) trouvé(s) sur 3"},
        CutShortCase{"FirstRecordShort", "a\r\n", 3,
                     "n° 1 (commencé ligne 1) : 1 champ(s) trouvé(s) sur 3"},
        CutShortCase{"BlankLineMisalignsUntilTheEnd", "a,b\r\n\r\nc,d\r\n", 2,
                     "n° 3 (commencé ligne 3) : 1 champ(s) trouvé(s) sur 2"},
        CutShortCase{"TrailingCommaAtEnd", "a,b,", 3, "n° 1 (commencé ligne 1) : 2 champ(s)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
