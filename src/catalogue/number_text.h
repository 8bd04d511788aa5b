#pragma once

#include <optional>
#include <string>
#include <string_view>

// Plain decimal text of a number: up to 15 significant digits, the given decimal separator,
// no thousands separator, no leading zeros; used for catalogue numbers and computed results.
std::string formatNumber(double value, std::string_view decimalSeparator);

// The value of an unquoted field when it is a decimal number (sign, digits, optional "." fraction,
// optional exponent); nothing for any other text.
std::optional<double> parseDecimalNumber(std::string_view text);

// Appends how an unquoted field that is a decimal number is shown (as formatNumber shows its
// value) to out; false, and out untouched, when the text is not a number.
bool numberDisplayText(std::string& out, std::string_view raw, std::string_view decimalSeparator);
