#include "catalogue/visible_text.h"

namespace {

// The code point at text[i] and its length in bytes; length 0 when the bytes are not UTF-8.
std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return {0, 0};
    }
    if (i + length > text.size()) return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
    return {c, length};
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool hiddenCharacter(char32_t c) {
    return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::string visibleText(std::string_view text) {
    // Most texts have nothing to replace: checked first, copied whole.
    bool plain = true;
    for (std::size_t i = 0; i < text.size() && plain;) {
        const auto [c, length] = decodeAt(text, i);
        plain = length != 0 && !hiddenCharacter(c);
        i += length;
    }
    if (plain) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = decodeAt(text, i);
        if (length == 0) {
            appendUtf8(out, 0xFFFD);
            ++i;
            continue;
        }
        if (!hiddenCharacter(c)) {
            out.append(text.substr(i, length));
        } else if (c < 0x20) {
            appendUtf8(out, 0x2400 + c);  // the control pictures: ␀ … ␟
        } else if (c == 0x7F) {
            appendUtf8(out, 0x2421);  // ␡
        } else {
            appendUtf8(out, 0xFFFD);
        }
        i += length;
    }
    return out;
}

bool readAsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}
