#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes to UTF-8; the five bytes the code page leaves undefined become C1 code points.
void appendCp1252AsUtf8(std::string& out, std::string_view bytes);
std::string decodeCp1252(std::string_view bytes);
