#pragma once

#include <string>
#include <string_view>

// A text as searches and typed picks compare it: case, accents and the usual ligatures aside
// (« Léa » and « lea », « Cœur » and « coeur », « Ørsted » and « orsted », « Straße » and
// « strasse »). Bytes that are not UTF-8 are kept as they are.
std::string searchKey(std::string_view utf8);
