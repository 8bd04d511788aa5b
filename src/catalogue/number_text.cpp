#include "catalogue/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string formatNumber(double value, std::string_view decimalSeparator) {
    if (value == 0) value = 0;  // no "-0"
    // As printf's %.15g writes it, whatever the C locale, and without printf's cost.
    char buf[40];
    const std::to_chars_result written =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::general, 15);
    *written.ptr = '\0';
    std::string out;
    for (const char* p = buf; *p; ++p) {
        if (*p == '.') {
            out += decimalSeparator;
        } else if (*p == 'e') {
            out += 'E';
        } else {
            out += *p;
        }
    }
    return out;
}

std::optional<double> parseDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto digits = [&] {
        std::size_t start = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i;
        return i - start;
    };
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissaDigits = digits();
    if (i < n && text[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    std::string_view body = text;
    if (body.front() == '+') body.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) {
        return std::nullopt;  // beyond a double: shown as written
    }
    return value;
}

namespace {

// The common case of a plain decimal written without exponent, formatted from its digits without
// a round trip through double; nothing when %.15g would need more digits or an exponent.
bool formatPlainDecimal(std::string& out, std::string_view raw, std::string_view decimalSeparator) {
    std::size_t i = 0;
    bool negative = false;
    if (i < raw.size() && (raw[i] == '+' || raw[i] == '-')) negative = raw[i++] == '-';
    std::size_t intBegin = i;
    while (i < raw.size() && raw[i] >= '0' && raw[i] <= '9') ++i;
    std::string_view integer = raw.substr(intBegin, i - intBegin);
    std::string_view fraction;
    if (i < raw.size() && raw[i] == '.') {
        std::size_t fracBegin = ++i;
        while (i < raw.size() && raw[i] >= '0' && raw[i] <= '9') ++i;
        fraction = raw.substr(fracBegin, i - fracBegin);
    }
    if (i != raw.size() || (integer.empty() && fraction.empty())) return false;

    while (!integer.empty() && integer.front() == '0') integer.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    std::size_t significant = integer.size() + fraction.size();
    if (integer.empty()) {
        std::size_t leadingZeros = fraction.find_first_not_of('0');
        if (leadingZeros == std::string_view::npos) {
            out += '0';
            return true;
        }
        if (leadingZeros > 3) return false;  // %g switches to an exponent
        significant -= leadingZeros;
    }
    if (significant > 15) return false;

    if (negative) out.push_back('-');
    if (integer.empty()) {
        out.push_back('0');
    } else {
        out.append(integer);
    }
    if (!fraction.empty()) {
        out.append(decimalSeparator);
        out.append(fraction);
    }
    return true;
}

}  // namespace

bool numberDisplayText(std::string& out, std::string_view raw, std::string_view decimalSeparator) {
    if (raw.empty()) return false;
    const char first = raw.front();
    const bool mayBeNumber =
        (first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.';
    if (!mayBeNumber) return false;
    if (formatPlainDecimal(out, raw, decimalSeparator)) return true;
    if (auto value = parseDecimalNumber(raw)) {
        out += formatNumber(*value, decimalSeparator);
        return true;
    }
    return false;
}

long long toCents(double euros) {
    if (!std::isfinite(euros)) return 0;
    // Through the shortest decimal text, so that 25.195 (stored as 25.19499…) rounds up.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12g", euros * 100);
    return std::llround(std::strtod(buf, nullptr));
}

std::string formatCents(long long cents, std::string_view decimalSeparator) {
    const bool negative = cents < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(cents) : cents;
    const unsigned long long fraction = magnitude % 100;
    return std::string(negative ? "-" : "") + std::to_string(magnitude / 100) +
           std::string(decimalSeparator) + char('0' + fraction / 10) + char('0' + fraction % 10);
}

std::string formatMoney(double euros, std::string_view decimalSeparator) {
    return formatCents(toCents(euros), decimalSeparator);
}

std::string formatMeasure(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value)) return formatNumber(value, decimalSeparator);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12g", value * 1000);
    return formatNumber(std::round(std::strtod(buf, nullptr)) / 1000, decimalSeparator);
}
