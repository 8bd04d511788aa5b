#pragma once

#include <string>

struct TeacherTable;

// The spreadsheet kinds a teacher's table is written as, by the file name's extension.
enum class SpreadsheetKind { OpenDocument, OfficeOpenXml };

// The kind a file name asks for (.ods, .xlsx, any case); none for another name.
bool spreadsheetKindOf(const std::string& fileName, SpreadsheetKind* kind);

// The table as a whole spreadsheet file: one sheet named sheetName, texts as texts, numbers as
// numbers, amounts with two decimals, dates as dates, the heading row bold and frozen with an
// autofilter, each column as wide as its heading; the notes under the rows, after an empty row.
std::string spreadsheetBytes(const TeacherTable& table, const std::string& sheetName,
                             SpreadsheetKind kind);
