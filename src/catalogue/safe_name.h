#pragma once

#include <string>
#include <string_view>

// A name as a message may show it: control characters (NUL included) written as \xNN, and a name
// of more than kMaxShownChars characters cut with « … », so the message box always fits the screen.
std::string safeName(std::string_view name);

inline constexpr std::size_t kMaxShownChars = 200;
