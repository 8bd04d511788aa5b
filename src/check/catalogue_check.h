#pragma once

#include <functional>
#include <string>
#include <vector>

// One problem of a Data folder: where it is and what to do about it, in French.
struct CheckProblem {
    enum class Severity { Error, Warning };
    std::string file;   // relative to the folder: "Helice.txt", "Cas11.gif"
    int line = 0;       // 0: the file as a whole
    int record = 0;     // 1-based, 0: none
    std::string field;  // the field's caption, or empty
    Severity severity = Severity::Error;
    std::string text;
    // The reader cannot get past it: a line of the wrong number of fields, a blank line, an
    // unclosed quote; every later field is read shifted.
    bool shiftsFields = false;
};

// How one file was read.
struct CheckedFile {
    std::string file;
    std::string encoding;  // empty when the file could not be read
    int records = 0;
    bool readerStopped = false;  // the reader stopped on an error after those records
    // Problems beyond those listed for this file, only counted.
    int moreErrors = 0;
    int moreWarnings = 0;
};

struct CheckReport {
    std::string folder;
    std::vector<CheckedFile> files;
    std::vector<CheckProblem> problems;  // sorted by file and line
    int errors() const;
    int warnings() const;
};

// Says why the picture at path cannot be shown (missing, not decodable), or nothing when it can.
using PictureProbe = std::function<std::string(const std::string& path)>;

// Checks every catalogue, Pile.txt, Reglement.txt and every picture of the folder: each problem
// found, with its cause. It only explains: how the program reads the files is not changed.
CheckReport checkDataFolder(const std::string& folder, const PictureProbe& probe);

struct FileRule;
// The check of one file as these bytes would be saved in folder (its pictures looked for there):
// that file's problems, in the check's words.
std::vector<CheckProblem> checkFileBytes(const std::string& folder, const FileRule& rule,
                                         const std::string& bytes, const PictureProbe& probe);
// The same, with how the file was read: its problems beyond those listed counted there.
CheckReport checkFileReport(const std::string& folder, const FileRule& rule,
                            const std::string& bytes, const PictureProbe& probe);

// The report as lines for the user: a heading, how each file was read, one line a problem and a
// summary.
std::vector<std::string> reportLines(const CheckReport& report);

// A probe that only looks whether the file is there and readable.
std::string probeFileExists(const std::string& path);

// What the check says of the first error in one file of the folder (« ligne 8 : … »), to explain
// why that file failed to load; empty when the check finds no error there.
std::string firstErrorOf(const std::string& folder, const std::string& file);
