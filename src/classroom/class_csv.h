#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classroom/class_scan.h"

// The class view's columns, in order; also the CSV's header.
const std::vector<std::string>& classColumns();

// The value of a number column (steps chosen, mass, price, heights); none when the column holds
// no number or its value is not computed.
std::optional<double> classNumber(const DesignRow& row, int column);

// One column of a row as text, numbers written with decimalSeparator; empty when not computed.
std::string classCell(const DesignRow& row, int column, const std::string& decimalSeparator);

// One cell of a CSV line: a text from anywhere (a pupil, a file name, a catalogue), or a number
// VENTAKAR wrote itself.
struct CsvCell {
    CsvCell(std::string text) : text(std::move(text)) {}
    CsvCell(const char* text) : text(text) {}
    static CsvCell number(std::string text) {
        CsvCell cell(std::move(text));
        cell.isNumber = true;
        return cell;
    }
    std::string text;
    bool isNumber = false;
};

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
