#include "document/json_value.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "catalogue/visible_text.h"

long long JsonValue::asInteger() const {
    return kind == Kind::Unsigned ? static_cast<long long>(natural) : integer;
}

const JsonValue* JsonValue::member(std::string_view key) const {
    for (auto it = members.rbegin(); it != members.rend(); ++it)
        if (it->key == key) return &it->value;
    return nullptr;
}

namespace {

constexpr int kMaxDepth = 512;

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool document(JsonValue& out) {
        // A byte-order mark is allowed before the value, as the library allows it.
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        return value(out, 0) && (skipSpace(), at_ == text_.size());
    }

  private:
    bool end() const { return at_ >= text_.size(); }
    char peek() const { return end() ? '\0' : text_[at_]; }
    unsigned char byte(std::size_t i) const { return static_cast<unsigned char>(text_[i]); }

    void skipSpace() {
        while (!end()) {
            const char c = text_[at_];
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return;
            ++at_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth) {
        skipSpace();
        if (end()) return false;
        switch (text_[at_]) {
            case '{':
                return object(out, depth + 1);
            case '[':
                return array(out, depth + 1);
            case '"':
                out.kind = JsonValue::Kind::String;
                return string(out.string);
            case 't':
                out.kind = JsonValue::Kind::Boolean;
                out.boolean = true;
                return literal("true");
            case 'f':
                out.kind = JsonValue::Kind::Boolean;
                return literal("false");
            case 'n':
                return literal("null");
            default:
                return number(out);
        }
    }

    bool object(JsonValue& out, int depth) {
        if (depth > kMaxDepth) return false;
        out.kind = JsonValue::Kind::Object;
        ++at_;  // {
        skipSpace();
        if (peek() == '}') return ++at_, true;
        for (;;) {
            skipSpace();
            if (peek() != '"') return false;
            JsonMember& m = out.members.emplace_back();
            if (!string(m.key)) return false;
            skipSpace();
            if (peek() != ':') return false;
            ++at_;
            if (!value(m.value, depth)) return false;
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            if (peek() != '}') return false;
            ++at_;
            return true;
        }
    }

    bool array(JsonValue& out, int depth) {
        if (depth > kMaxDepth) return false;
        out.kind = JsonValue::Kind::Array;
        ++at_;  // [
        skipSpace();
        if (peek() == ']') return ++at_, true;
        for (;;) {
            if (!value(out.elements.emplace_back(), depth)) return false;
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            if (peek() != ']') return false;
            ++at_;
            return true;
        }
    }

    // Four hexadecimal digits after \u.
    bool hex4(char32_t& unit) {
        if (at_ + 4 > text_.size()) return false;
        unit = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = text_[at_++];
            unit <<= 4;
            if (c >= '0' && c <= '9') {
                unit |= c - '0';
            } else if (c >= 'a' && c <= 'f') {
                unit |= c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                unit |= c - 'A' + 10;
            } else {
                return false;
            }
        }
        return true;
    }

    // The length of the well-formed UTF-8 sequence at at_ (RFC 3629: no overlong form, no
    // surrogate, nothing above U+10FFFF), 0 when there is none.
    std::size_t utf8Length() const {
        const unsigned char lead = byte(at_);
        unsigned char low = 0x80, high = 0xBF;
        std::size_t length = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return 0;
        }
        if (at_ + length > text_.size()) return 0;
        if (byte(at_ + 1) < low || byte(at_ + 1) > high) return 0;
        for (std::size_t k = 2; k < length; ++k)
            if ((byte(at_ + k) & 0xC0) != 0x80) return 0;
        return length;
    }

    bool string(std::string& out) {
        ++at_;  // "
        for (;;) {
            // A run of plain characters at once.
            const std::size_t start = at_;
            while (!end()) {
                const unsigned char c = byte(at_);
                if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80) break;
                ++at_;
            }
            out.append(text_.data() + start, at_ - start);
            if (end()) return false;
            const unsigned char c = byte(at_);
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c < 0x20) return false;
            if (c >= 0x80) {
                const std::size_t length = utf8Length();
                if (length == 0) return false;
                out.append(text_.data() + at_, length);
                at_ += length;
                continue;
            }
            ++at_;  // backslash
            if (end()) return false;
            switch (text_[at_++]) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    char32_t unit = 0;
                    if (!hex4(unit)) return false;
                    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;  // a low half alone
                    if (unit >= 0xD800 && unit <= 0xDBFF) {
                        char32_t low = 0;
                        if (text_.substr(at_, 2) != "\\u") return false;
                        at_ += 2;
                        if (!hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
                        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    }
                    appendUtf8(out, unit);
                    break;
                }
                default:
                    return false;
            }
        }
    }

    static bool digit(char c) { return c >= '0' && c <= '9'; }

    bool number(JsonValue& out) {
        const std::size_t start = at_;
        const bool negative = peek() == '-';
        if (negative) ++at_;
        if (peek() == '0') {
            ++at_;
        } else if (digit(peek())) {
            while (digit(peek())) ++at_;
        } else {
            return false;
        }
        bool integral = true;
        bool tinyExponent = false;
        if (peek() == '.') {
            integral = false;
            ++at_;
            if (!digit(peek())) return false;
            while (digit(peek())) ++at_;
        }
        if (peek() == 'e' || peek() == 'E') {
            integral = false;
            ++at_;
            if (peek() == '+' || peek() == '-') tinyExponent = text_[at_++] == '-';
            if (!digit(peek())) return false;
            while (digit(peek())) ++at_;
        }
        const char* first = text_.data() + start;
        const char* last = text_.data() + at_;
        if (integral) {
            if (negative) {
                if (std::from_chars(first, last, out.integer).ec == std::errc()) {
                    out.kind = JsonValue::Kind::Integer;
                    return true;
                }
            } else if (std::from_chars(first, last, out.natural).ec == std::errc()) {
                out.kind = JsonValue::Kind::Unsigned;
                return true;
            }
        }
        // Too large for an integer, or with a fraction or an exponent.
        out.kind = JsonValue::Kind::Float;
        const auto [end, error] = std::from_chars(first, last, out.number);
        if (error == std::errc::result_out_of_range) {
            // Too small to tell from 0 is a number; too large for a double is not.
            const bool zeroLead = last - first > 1 && first[negative ? 1 : 0] == '0';
            if (!tinyExponent && !zeroLead) return false;
            out.number = 0;
            return true;
        }
        return error == std::errc() && end == last && std::isfinite(out.number);
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<JsonValue> parseJson(std::string_view text) {
    JsonValue document;
    if (!Reader(text).document(document)) return std::nullopt;
    return document;
}
