#include "catalogue/my_val.h"

#include <cfloat>
#include <charconv>
#include <string>

namespace {

// Reads the leading [sign] digits [. digits] of the collected text, fed one character at a time;
// a character that does not fit ends the number, so nothing after it can matter.
class NumberPrefix {
  public:
    bool feed(char c) {
        switch (state_) {
            case State::Start:
                if (c == '+' || c == '-') {
                    negative_ = c == '-';
                    state_ = State::Integer;
                    return true;
                }
                [[fallthrough]];
            case State::Integer:
                if (c >= '0' && c <= '9') {
                    push(c);
                    state_ = State::Integer;
                    ++digits_;
                    if (c != '0' && !sawPoint_) nonZeroIntegerDigit_ = true;
                    return true;
                }
                if (c == '.') {
                    push(c);
                    sawPoint_ = true;
                    state_ = State::Fraction;
                    return true;
                }
                return false;
            case State::Fraction:
                if (c >= '0' && c <= '9') {
                    push(c);
                    ++digits_;
                    return true;
                }
                return false;
        }
        return false;
    }

    double value() const {
        if (digits_ == 0) return 0;
        const char* begin = overflowText_.empty() ? buffer_ : overflowText_.data();
        const std::size_t size = overflowText_.empty() ? size_ : overflowText_.size();
        double magnitude = 0;
        if (std::from_chars(begin, begin + size, magnitude).ec == std::errc::result_out_of_range) {
            // Too many digits for a double: the largest finite value, or 0 for a tiny fraction.
            magnitude = nonZeroIntegerDigit_ ? DBL_MAX : 0.0;
        }
        return negative_ ? -magnitude : magnitude;
    }

  private:
    enum class State { Start, Integer, Fraction };

    void push(char c) {
        if (overflowText_.empty() && size_ < sizeof buffer_) {
            buffer_[size_++] = c;
            return;
        }
        if (overflowText_.empty()) overflowText_.assign(buffer_, size_);
        overflowText_.push_back(c);
    }

    State state_ = State::Start;
    bool negative_ = false;
    bool sawPoint_ = false;
    bool nonZeroIntegerDigit_ = false;
    std::size_t digits_ = 0;
    char buffer_[48];
    std::size_t size_ = 0;
    std::string overflowText_;
};

}  // namespace

double MyVal(std::string_view text, std::string_view regionalDecimalSeparator) {
    static constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
    NumberPrefix number;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        char collected;
        std::size_t width = 1;
        if ((c >= '0' && c <= '9') || c == '-' || c == '+') {
            collected = c;
        } else if (c == ',' || c == '.') {
            collected = '.';
        } else if (c == ' ') {
            ++i;
            continue;
        } else if (text.substr(i, 2) == kNoBreakSpace) {
            i += 2;
            continue;
        } else if (!regionalDecimalSeparator.empty() &&
                   text.substr(i, regionalDecimalSeparator.size()) == regionalDecimalSeparator) {
            collected = '.';
            width = regionalDecimalSeparator.size();
        } else {
            break;
        }
        if (!number.feed(collected)) break;
        i += width;
    }
    return number.value();
}

std::optional<double> MyValNullable(std::optional<std::string_view> text,
                                    std::string_view regionalDecimalSeparator) {
    if (!text) return std::nullopt;
    return MyVal(*text, regionalDecimalSeparator);
}
