#pragma once

#include <string>
#include <string_view>

// A text as it may reach a spreadsheet, a terminal or a printed page: bytes that are not UTF-8
// shown as U+FFFD, control characters but tab as their visible symbol (␛ for ESC, ␀ for NUL),
// C1 controls and the bidirectional overrides and isolates as U+FFFD. Anything else unchanged.
std::string visibleText(std::string_view text);

// A code point written as UTF-8 at the end of out.
void appendUtf8(std::string& out, char32_t c);

// True when a code point is one visibleText replaces.
bool hiddenCharacter(char32_t c);

// True when a spreadsheet would run the text as a formula: it begins with =, +, -, @, a tab or a
// carriage return.
bool readAsFormula(std::string_view text);
