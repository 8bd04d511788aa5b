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

// Why bytes may not be written to path: a folder, or a design file (a .ventakar, or any file that
// reads as one), in French; empty when it may.
std::string outputRefusal(const std::string& path);

// Writes an export where the user asked: « - » is standard output; a device, a pipe or a socket is
// written through, never replaced; a folder or a design file is refused (DataError); anything
// else is written whole by writeFileAtomically, after the temporary files a killed run left
// beside it are removed.
void writeOutputFile(const std::string& path, std::string_view bytes);
