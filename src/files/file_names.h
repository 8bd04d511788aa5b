#pragma once

#include <string>
#include <string_view>

// Why name (one name, no folder) cannot be a file's name on Windows, in French; empty when it can:
// a device's name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any extension), a dot or a
// space at the end, one of < > : " / \ | ? * or a control character.
std::string windowsNameProblem(std::string_view name);

// name made fit to be a file's name on every system: each forbidden character as « - », the dots
// and spaces at the end dropped, a device's name followed by « _ »; « Conception » if nothing is
// left.
std::string portableFileName(std::string_view name);

// Whether this system names files by Windows' rules.
bool windowsFileNames();
