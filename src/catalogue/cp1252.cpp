#include "catalogue/cp1252.h"

#include "catalogue/visible_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Code points of bytes 0x80 to 0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void appendCp1252AsUtf8(std::string& out, std::string_view bytes) {
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Plain ASCII runs, the bulk of a catalogue, go across in one copy.
        std::size_t run = i;
        while (run + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + run, 8);
            if (word & 0x8080808080808080ULL) break;
            run += 8;
        }
        while (run < n && static_cast<std::uint8_t>(bytes[run]) < 0x80) ++run;
        if (run > i) {
            out.append(bytes.data() + i, run - i);
            i = run;
            if (i == n) break;
        }
        auto b = static_cast<std::uint8_t>(bytes[i++]);
        if (b < 0xA0) {
            appendUtf8(out, kHighControls[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
}

std::string decodeCp1252(std::string_view bytes) {
    std::string out;
    appendCp1252AsUtf8(out, bytes);
    return out;
}
