#include "catalogue/text_encoding.h"

#include <algorithm>

#include "catalogue/cp1252.h"

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

// Length of the valid UTF-8 sequence at the start of bytes, or 0 when it is not one.
std::size_t sequenceLength(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.substr(0, kMark.size()) == kMark) return TextEncoding::Utf8WithMark;
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(bytes.substr(i));
        if (length == 0) return TextEncoding::Windows1252;
        multiByte = true;
        i += length;
    }
    return multiByte ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::size_t encodingMarkSize(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8WithMark ? kMark.size() : 0;
}

const char* utf16Name(std::string_view bytes) {
    if (bytes.size() >= 2) {
        if (bytes[0] == '\xFF' && bytes[1] == '\xFE') return "UTF-16 LE";
        if (bytes[0] == '\xFE' && bytes[1] == '\xFF') return "UTF-16 BE";
    }
    // Without a mark: text that is ASCII every other byte, a zero byte between.
    const std::size_t n = std::min<std::size_t>(bytes.size() & ~std::size_t{1}, 64);
    if (n < 4) return nullptr;
    int zeroEven = 0;
    int zeroOdd = 0;
    for (std::size_t i = 0; i < n; ++i) (i % 2 ? zeroOdd : zeroEven) += bytes[i] == '\0';
    if (zeroOdd * 2 >= static_cast<int>(n / 2) && zeroEven == 0) return "UTF-16 LE";
    if (zeroEven * 2 >= static_cast<int>(n / 2) && zeroOdd == 0) return "UTF-16 BE";
    return nullptr;
}

const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf8WithMark:
            return "UTF-8 (avec marque d'ordre des octets)";
        case TextEncoding::Windows1252:
            break;
    }
    return "Windows-1252";
}

void appendAsUtf8(std::string& out, std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) {
        appendCp1252AsUtf8(out, bytes);
        return;
    }
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceLength(bytes.substr(i));
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
}
