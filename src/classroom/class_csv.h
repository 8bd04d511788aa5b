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

// A field for the teacher's spreadsheet: between double quotes (doubled inside) when it holds
// « ; », a double quote or a line end.
std::string csvField(const std::string& text);

// A CSV line: the fields joined by « ; », ended by CR LF.
std::string csvLine(const std::vector<std::string>& fields);

// The class as a CSV file: UTF-8 with its byte-order mark, « ; » between fields, decimal
// comma, CR LF; it opens as a table in a French spreadsheet without any question.
std::string classCsv(const std::vector<DesignRow>& rows);
