#include <gtest/gtest.h>

#include <string>

#include "catalogue/cp1252.h"

namespace {

// Decodes one UTF-8 sequence; the test only needs well-formed input of up to three bytes.
char32_t firstCodePoint(const std::string& s, std::size_t* length) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(s.at(i)); };
    if (b(0) < 0x80) return *length = 1, b(0);
    if ((b(0) & 0xE0) == 0xC0) return *length = 2, ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    *length = 3;
    return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
}

TEST(Cp1252, EveryByteDecodesToOneCodePoint) {
    const struct {
        unsigned char byte;
        char32_t codePoint;
    } known[] = {{0x41, 'A'},    {0x80, 0x20AC}, {0x81, 0x81},   {0x8D, 0x8D},   {0x8F, 0x8F},
                 {0x90, 0x90},   {0x9D, 0x9D},   {0x92, 0x2019}, {0x9C, 0x0153}, {0x9F, 0x0178},
                 {0xA0, 0x00A0}, {0xB0, 0x00B0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}, {0x00, 0x00}};
    for (const auto& k : known) {
        std::size_t length = 0;
        const std::string utf8 = decodeCp1252(std::string(1, static_cast<char>(k.byte)));
        EXPECT_EQ(firstCodePoint(utf8, &length), k.codePoint) << std::hex << int(k.byte);
        EXPECT_EQ(length, utf8.size());
    }
    for (int byte = 0; byte < 256; ++byte) {
        std::size_t length = 0;
        const std::string utf8 = decodeCp1252(std::string(1, static_cast<char>(byte)));
        const char32_t cp = firstCodePoint(utf8, &length);
        EXPECT_EQ(length, utf8.size()) << byte;
        if (byte < 0x80 || byte >= 0xA0) {
            EXPECT_EQ(cp, static_cast<char32_t>(byte)) << byte;
        }
    }
}

TEST(Cp1252, DecodesAWholeText) {
    EXPECT_EQ(decodeCp1252("Roue \xE0 rayons, 12 \x80 HT \x96 \x93ok\x94"),
              "Roue à rayons, 12 € HT – “ok”");
}

}  // namespace
