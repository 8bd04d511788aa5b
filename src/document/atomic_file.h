#pragma once

#include <string>
#include <string_view>

// Why a file operation failed, in French words from the system's error code (no bare number).
std::string fileErrorReason(int error);

// Writes bytes to path whole or not at all: a hidden temporary file beside it, flushed to disk,
// then renamed over it. On failure the temporary file is gone, any previous file at path is
// untouched, and a DataError naming path says why.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes a file; a file already gone is not an error. False when it is still there.
bool removeFile(const std::string& path);

// A fresh name beside path for a temporary file of ours: ".name.tmp-<pid>-<n>", which
// removeOrphanTemporaries recognises once its process is gone.
std::string temporaryBeside(const std::string& path);

// The process that was writing a temporary file of ours (".name.tmp-<pid>-…"), or 0 when the
// name is not one.
int temporaryFileOwner(const std::string& fileName);

// Removes from folder the temporary files of ours whose writing process is gone (killed while
// writing); those of a running process are left alone. How many were removed.
int removeOrphanTemporaries(const std::string& folder);
