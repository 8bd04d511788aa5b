#include "catalogue/search_key.h"

#include <array>
#include <cstdint>

namespace {

// The base letters of U+00C0 to U+00DF and U+0100 to U+017F, lower case, in code point order
// (U+00E0 to U+00FF are the same letters, 0x20 further); nullptr for ×, several letters for a
// ligature.
// clang-format off
constexpr std::array<const char*, 32> kLatin1 = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", nullptr, "o", "u", "u", "u", "u", "y", "th", "ss"};
constexpr std::array<const char*, 128> kLatinExtendedA = {
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",    // U+0100
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",    // U+0110
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",    // U+0120
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",  // U+0130
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",    // U+0140
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",  // U+0150
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",    // U+0160
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s"};   // U+0170
// clang-format on

// The base letters of a Latin letter of U+00C0 to U+017F; nullptr for anything else.
const char* baseLetters(char32_t c) {
    if (c == 0xFF) return "y";
    if (c == 0xDF) return "ss";
    if (c >= 0xE0 && c <= 0xFF) c -= 0x20;  // ÷ falls on ×: no letter either
    if (c >= 0xC0 && c <= 0xDF) return kLatin1[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F) return kLatinExtendedA[c - 0x100];
    return nullptr;
}

// The length of the UTF-8 sequence at text[i] and its code point; 0 when it is not one.
int decode(std::string_view text, size_t i, char32_t& c) {
    const auto b = static_cast<unsigned char>(text[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    c = length == 1 ? b : b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    return length;
}

// Combining marks (accents typed apart from their letter).
bool combining(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE20 && c <= 0xFE2F);
}

}  // namespace

std::string searchKey(std::string_view utf8) {
    std::string key;
    key.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const int length = decode(utf8, i, c);
        if (length == 0) {
            key += utf8[i++];
            continue;
        }
        if (c < 0x80) {
            key += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c);
        } else if (c == 0x2019 || c == 0x2018 || c == 0x02BC || c == 0x2032) {
            key += '\'';  // the typographic apostrophes as the keyboard's
        } else if (const char* base = baseLetters(c)) {
            key += base;
        } else if (!combining(c)) {
            key.append(utf8.substr(i, length));
        }
        i += length;
    }
    return key;
}
