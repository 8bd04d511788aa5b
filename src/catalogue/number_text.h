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

// An amount of money in whole cents, rounded half away from zero (25,195 € is 2520 cents).
long long toCents(double euros);

// An amount to pay as a person writes it: two decimals, the given separator (6,40).
std::string formatCents(long long cents, std::string_view decimalSeparator);
std::string formatMoney(double euros, std::string_view decimalSeparator);

// A mass or a length VENTAKAR computed, as the window shows its fields but without binary noise:
// rounded to the thousandth, trailing zeros dropped (53,4 and not 53,3999999999999).
std::string formatMeasure(double value, std::string_view decimalSeparator);
