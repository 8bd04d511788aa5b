#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classroom/class_scan.h"

// The class view's columns, by number (the number every function here takes).
const std::vector<std::string>& classColumns();
// « Rendu le », « Remise », « Versions précédentes »: the columns of a hand-in; then « Il suffirait
// de », the last.
inline constexpr int kFirstHandInColumn = 15;
inline constexpr int kFixColumn = 18;

// The columns' numbers in the order the screen, the CSV, the spreadsheet and the paper show them:
// who, class, state and why first, then the mass and the price, then the rest.
const std::vector<int>& classColumnOrder();

// The value of a number column (steps chosen, mass, price, heights); none when the column holds
// no number or its value is not computed.
std::optional<double> classNumber(const DesignRow& row, int column);

// One column of a row as text, numbers written with decimalSeparator; empty when not computed.
std::string classCell(const DesignRow& row, int column, const std::string& decimalSeparator);

// One cell of a table for the teacher: a text from anywhere (a pupil, a file name, a catalogue),
// or a number, an amount or a date VENTAKAR wrote itself. The text is as the CSV shows it; value
// is the number with a point (« 12.35 ») or the date (« 2026-12-08 14:05 ») for a spreadsheet.
struct CsvCell {
    enum class Kind { Text, Number, Money, Date };
    CsvCell(std::string text) : text(std::move(text)) {}
    CsvCell(const char* text) : text(text) {}
    static CsvCell number(std::string text, std::string value = {}, Kind kind = Kind::Number) {
        CsvCell cell(std::move(text));
        cell.kind = kind;
        cell.value = std::move(value);
        return cell;
    }
    bool isNumber() const { return kind != Kind::Text; }
    std::string text;
    Kind kind = Kind::Text;
    std::string value;
};

// What the class view and the order export: the headings, one row of cells per line, and the
// notes under the table (what was left out, the filter), one text each.
struct TeacherTable {
    std::vector<std::string> headings;
    std::vector<std::vector<CsvCell>> rows;
    std::vector<std::string> notes;
};

// The class's rows as a table, in the order given, notes after them.
// Without withFix, the table stops before « Il suffirait de ».
TeacherTable classTable(const std::vector<const DesignRow*>& rows,
                        const std::vector<std::string>& notes = {}, bool withFix = true);

// The table as CSV: UTF-8 with its byte-order mark, the headings, the rows, then the notes after an
// empty line.
std::string tableCsv(const TeacherTable& table);

// A field for the teacher's spreadsheet, the only place that decides how a cell is written: hidden
// characters made visible; a text a spreadsheet would run as a formula behind a « ' »; between
// double quotes (doubled inside) when it holds « ; », a double quote or a line end.
std::string csvField(const CsvCell& cell);

// A CSV line: the fields joined by « ; », ended by CR LF.
std::string csvLine(const std::vector<CsvCell>& fields);

// The class as a CSV file: UTF-8 with its byte-order mark, « ; » between fields, decimal
// comma, CR LF; it opens as a table in a French spreadsheet without any question. The rows in the
// order given; lastLines (what was left out, the filter) after an empty line, one cell each.
std::string classCsv(const std::vector<const DesignRow*>& rows,
                     const std::vector<std::string>& lastLines = {});
std::string classCsv(const std::vector<DesignRow>& rows,
                     const std::vector<std::string>& lastLines = {});
