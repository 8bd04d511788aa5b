#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DesignRecord;

// One catalogue item to order: how many, at what price, for how many designs.
struct PartLine {
    std::string supplier = {};     // « — » when the catalogue names none
    std::string reference = {};    // « — » when the catalogue names none
    std::string designation = {};  // a material also with its thickness
    std::string step = {};         // « 6 et 7 » when the item serves two steps
    double quantity = 0;
    std::optional<double> unitPrice = {};  // none for the materials
    std::optional<double> total = {};
    int designs = 1;
    std::string note = {};  // « à découper selon le plan » for the materials
};

// The parts of one design, or the order of several, sorted by supplier then reference; a
// subtotal per supplier and the grand total.
struct PartsList {
    std::vector<PartLine> lines;
    std::vector<std::pair<std::string, double>> subtotals;  // by supplier, in line order
    double grandTotal = 0;
};

inline constexpr const char* kNoSupplier = "—";

// The parts a replayed design needs, counted as the totals count them: one of each chosen item,
// two wheels an axle, one mounting an axle, and the supply's batteries of the kind chosen
// (whether or not the pupil counted them). Only the steps whose choice is made.
std::vector<PartLine> partsOfDesign(const DesignRecord& record, std::string_view separator);

// The designs' parts merged by item: quantities and totals added, designs counted.
PartsList mergeParts(const std::vector<std::vector<PartLine>>& designs);

// The list's columns, in order; also the CSV's header.
const std::vector<std::string>& partsColumns();

// One cell of a line as text, numbers with decimalSeparator.
std::string partsCell(const PartLine& line, int column, const std::string& decimalSeparator);

// The list as CSV with the class view's conventions: the lines, a subtotal line per supplier and
// the grand total.
std::string partsCsv(const PartsList& list);
