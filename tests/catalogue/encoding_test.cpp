#include "catalogue/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "support/temp_data_dir.h"

namespace {

struct EncodedFile {
    const char* name;
    std::string bytes;  // one Materiau record: designation, thickness, two unused fields
    TextEncoding encoding;
    const char* designation;  // as the list shows it
};

const EncodedFile kFiles[] = {
    {"Windows1252", "\"Contreplaqu\xE9 3 mm\",3,\"x\",\"y\"\r\n", TextEncoding::Windows1252,
     "Contreplaqué 3 mm"},
    {"Utf8", "\"Contreplaqu\xC3\xA9 3 mm\",3,\"x\",\"y\"\r\n", TextEncoding::Utf8,
     "Contreplaqué 3 mm"},
    {"Utf8WithMark", "\xEF\xBB\xBF\"Contreplaqu\xC3\xA9 3 mm\",3,\"x\",\"y\"\r\n",
     TextEncoding::Utf8WithMark, "Contreplaqué 3 mm"},
    // The mark alone makes the file UTF-8; it never shows in the first field.
    {"MarkAndAsciiUnquoted",
     "\xEF\xBB\xBF"
     "Balsa,2,x,y\n",
     TextEncoding::Utf8WithMark, "Balsa"},
    {"Ascii", "Balsa,2,x,y\r\n", TextEncoding::Windows1252, "Balsa"},
    {"Utf8Symbols", "\"Acier \xE2\x82\xAC \xC2\xB0\",1,x,y\r\n", TextEncoding::Utf8, "Acier € °"},
    // A Windows-1252 file whose bytes happen to be valid UTF-8 (Ã followed by ©) reads as UTF-8.
    {"Windows1252ThatIsValidUtf8", "\"Contreplaqu\xC3\xA9\",3,x,y\r\n", TextEncoding::Utf8,
     "Contreplaqué"},
    // One byte that cannot be UTF-8 anywhere: the whole file is Windows-1252.
    {"Utf8ThenABadByte", "\"\xC3\xA9t\xE9\",3,x,y\r\n", TextEncoding::Windows1252, "Ã©té"},
    {"CutSequenceAtTheEnd", "\"Pin\",3,x,\"\xC3\"", TextEncoding::Windows1252, "Pin"},
    {"OverlongSlash", "\"a\xC0\xAF\",3,x,y", TextEncoding::Windows1252, "aÀ¯"},
    {"Surrogate", "\"a\xED\xA0\x80\",3,x,y", TextEncoding::Windows1252, "aí\xC2\xA0€"},
};

class EncodedCatalogue : public testing::TestWithParam<EncodedFile> {};

TEST_P(EncodedCatalogue, IsReadInItsEncoding) {
    const EncodedFile& file = GetParam();
    EXPECT_EQ(detectEncoding(file.bytes), file.encoding);
    TempDataDir dir;
    dir.write("Materiau.txt", file.bytes);
    const auto records = readCatalogue(CatalogueKind::Materiau, ",");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields[0], file.designation);
    EXPECT_EQ(records[0].fields.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Encoding, EncodedCatalogue, testing::ValuesIn(kFiles),
                         [](const auto& info) { return info.param.name; });

// UTF-16, as some editors offer to save, is refused with what to do instead, never read as
// garbage.
TEST(Encoding, AUtf16CatalogueIsRefusedWithWhatToDo) {
    const std::string ascii = "\"Balsa\",2,x,y\r\n";
    std::string le, be;
    for (char c : ascii) {
        le += std::string{c, '\0'};
        be += std::string{'\0', c};
    }
    const struct {
        const char* name;
        std::string bytes;
        const char* form;
    } files[] = {
        {"LittleEndianWithMark", "\xFF\xFE" + le, "UTF-16 LE"},
        {"BigEndianWithMark", "\xFE\xFF" + be, "UTF-16 BE"},
        {"LittleEndianWithoutMark", le, "UTF-16 LE"},
        {"BigEndianWithoutMark", be, "UTF-16 BE"},
        {"Utf8IsNot", ascii, nullptr},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const char* form = utf16Name(file.bytes);
        EXPECT_EQ(form ? std::string(form) : "", file.form ? file.form : "");
        TempDataDir dir;
        dir.write("Materiau.txt", file.bytes);
        if (!file.form) {
            EXPECT_EQ(readCatalogue(CatalogueKind::Materiau, ",").size(), 1u);
            continue;
        }
        try {
            readCatalogue(CatalogueKind::Materiau, ",");
            ADD_FAILURE() << "read";
        } catch (const DataError& error) {
            EXPECT_NE(std::string(error.what()).find("Materiau.txt"), std::string::npos);
            EXPECT_NE(error.reason().find("enregistrez-le en UTF-8 ou en Windows-1252"),
                      std::string::npos);
        }
    }
}

TEST(Encoding, APictureNameIsTheSameWhateverTheFileEncoding) {
    TempDataDir dir;
    const std::string rest = ",120,7,\"S\",\"R2\",1.9,30,3,\"o\"\r\n";
    dir.write("Helice.txt", "\"H\xE9lice tripale\"" + rest);
    const auto fromWindows = readCatalogue(CatalogueKind::Helice, ",");
    dir.write("Helice.txt", "\xEF\xBB\xBF\"H\xC3\xA9lice tripale\"" + rest);
    const auto fromUtf8 = readCatalogue(CatalogueKind::Helice, ",");
    ASSERT_EQ(fromWindows.size(), 1u);
    ASSERT_EQ(fromUtf8.size(), 1u);
    EXPECT_EQ(componentPicturePath(CatalogueKind::Helice, fromUtf8[0]),
              std::vector<std::string>{"Data/Hélice tripale.jpg"});
    EXPECT_EQ(componentPicturePath(CatalogueKind::Helice, fromWindows[0]),
              componentPicturePath(CatalogueKind::Helice, fromUtf8[0]));
}

TEST(Encoding, InvalidBytesInAMarkedFileBecomeReplacementCharacters) {
    std::string out;
    appendAsUtf8(out,
                 "a\xFF"
                 "b",
                 TextEncoding::Utf8WithMark);
    EXPECT_EQ(out,
              "a\xEF\xBF\xBD"
              "b");
}

}  // namespace
