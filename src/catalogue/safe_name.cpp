#include "catalogue/safe_name.h"

#include <algorithm>

namespace {

void appendEscape(std::string& out, unsigned value) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

// Length of the UTF-8 sequence starting with this byte; 1 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string safeName(std::string_view name) {
    std::string out;
    out.reserve(std::min(name.size(), kMaxShownChars * 4) + 8);
    std::size_t shown = 0;
    for (std::size_t i = 0; i < name.size();) {
        if (shown == kMaxShownChars) {
            out += "…";
            break;
        }
        const auto lead = static_cast<unsigned char>(name[i]);
        std::size_t length = sequenceLength(lead);
        bool valid = lead < 0x80 || (length > 1 && i + length <= name.size());
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
        }
        if (!valid) {
            appendEscape(out, lead);  // not UTF-8 text: shown as its byte
            length = 1;
        } else if (lead < 0x20 || lead == 0x7F) {
            appendEscape(out, lead);
        } else if (lead == 0xC2 && length == 2 && static_cast<unsigned char>(name[i + 1]) < 0xA0) {
            appendEscape(
                out, static_cast<unsigned char>(name[i + 1]));  // a C1 control, U+0080 to U+009F
        } else {
            out.append(name.substr(i, length));
        }
        i += length;
        ++shown;
    }
    return out;
}
