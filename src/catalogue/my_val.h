#pragma once

#include <optional>
#include <string_view>

// Field text to a number: "," and "." both decimal separators, spaces skipped, scan stopped at
// the first character that cannot belong to a number, 0 when no number leads the text.
double MyVal(std::string_view text, std::string_view regionalDecimalSeparator = ",");

// The absent-value variant: no text gives no number, and no scanning is done.
std::optional<double> MyValNullable(std::optional<std::string_view> text,
                                    std::string_view regionalDecimalSeparator = ",");
