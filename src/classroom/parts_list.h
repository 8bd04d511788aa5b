#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DesignRecord;

// One catalogue item to order: how many, at what price, for how many designs.
struct PartLine {
    std::string supplier = {};     // « Sans fournisseur » when the catalogue names none
    std::string reference = {};    // « — » when the catalogue names none
    std::string designation = {};  // a material also with its thickness
    std::string step = {};         // « 6 et 7 » when the item serves two steps
    double quantity = 0;
    std::optional<double> unitPrice = {};      // none for the materials
    std::optional<long long> totalCents = {};  // the unit price to the cent, times the quantity
    int designs = 1;
    std::string note = {};  // « à découper selon le plan » for the materials
};

// The parts of one design, or the order of several, sorted by supplier then reference; a
// subtotal per supplier and the grand total.
struct PartsList {
    std::vector<PartLine> lines;
    std::vector<std::pair<std::string, long long>>
        subtotals;  // in cents, by supplier, in line order
    long long grandTotalCents = 0;
    std::vector<std::string> notes = {};  // what an order covers, under the table
};

// An item no catalogue names a supplier or a reference for.
inline constexpr const char* kNoSupplier = "Sans fournisseur";
inline constexpr const char* kNoReference = "—";

// The parts a replayed design needs, counted as the totals count them: one of each chosen item,
// two wheels an axle, one mounting an axle, and the supply's batteries of the kind chosen
// (whether or not the pupil counted them). Only the steps whose choice is made.
std::vector<PartLine> partsOfDesign(const DesignRecord& record, std::string_view separator);

// The designs' parts merged by item: quantities and totals added, designs counted.
PartsList mergeParts(const std::vector<std::vector<PartLine>>& designs);

// The list's columns, in order; also the CSV's header.
const std::vector<std::string>& partsColumns();

// One cell of a line as text, numbers with decimalSeparator, amounts with two decimals.
std::string partsCell(const PartLine& line, int column, const std::string& decimalSeparator);

// One line of the list as shown, printed or exported: an item, a supplier's subtotal or the total.
struct PartsRow {
    enum class Kind { Item, Subtotal, Total };
    Kind kind = Kind::Item;
    std::vector<std::string> cells;
};

// The items in order, each supplier's subtotal after its last item, then the grand total. The
// sums stand in « Total HT (€) », or with amountsApart in a column of their own after the others.
std::vector<PartsRow> partsRows(const PartsList& list, const std::string& decimalSeparator,
                                bool amountsApart);

// The list as CSV with the class view's conventions: the lines, a subtotal line per supplier and
// the grand total, each amount in a column of its own so that a sum over « Total HT (€) » is
// the grand total.
std::string partsCsv(const PartsList& list);

struct TeacherTable;
// The same lines as a table for a spreadsheet: quantities and amounts as numbers.
TeacherTable partsTable(const PartsList& list);
