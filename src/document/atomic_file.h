#pragma once

#include <string>
#include <string_view>

// Writes bytes to path whole or not at all: a hidden temporary file beside it, flushed to disk,
// then renamed over it. On failure the temporary file is gone, any previous file at path is
// untouched, and a DataError naming path says why.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes a file; a file already gone is not an error. False when it is still there.
bool removeFile(const std::string& path);
