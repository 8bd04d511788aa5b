#include "classroom/parts_list.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "catalogue/catalogue.h"
#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "classroom/class_csv.h"
#include "document/design_steps.h"
#include "window/design_record.h"

namespace {

// A chosen catalogue item and where its fields stand in the record.
struct ItemFields {
    const char* list;
    const char* step;
    const char* supplier;  // nullptr: the catalogue names none
    const char* reference;
    const char* price;
    int perDesign;
};

constexpr ItemFields kItems[] = {
    {"Combo1", "1", "Text4", "Text5", "Text6", 1},
    {"Combo2", "2", "Text13", "Text14", "Text15", 1},
    {"Combo3", "3", "Text20", "Text21", "Text22", 1},
    {"Combo4", "4", "Text27", "Text28", "Text29", 1},
    {"Combo5", "5", "Text33", "Text34", "Text35", 1},
    {"Combo6", "6", "Text40", "Text41", "Text42", 2},
    {"Combo7", "7", "Text47", "Text48", "Text49", 2},
    {"Combo8", "11", nullptr, nullptr, "Text65", 1},
    {"Combo9", "12", nullptr, nullptr, "Text70", 1},
};

struct Material {
    const char* list;
    const char* thickness;
};

constexpr Material kMaterials[] = {{"Combo10", "Text80"}, {"Combo11", "Text81"}};

std::string orNone(std::string_view text, const char* none) {
    std::string trimmed = trimSpaces(text);
    return trimmed.empty() ? none : trimmed;
}

// A name as a French list orders it: case and accents aside (« ÉlectroKit » with the e's).
std::string sortKey(const std::string& text) {
    static const std::pair<const char*, char> kFolded[] = {
        {"é", 'e'}, {"è", 'e'}, {"ê", 'e'}, {"ë", 'e'}, {"É", 'e'}, {"È", 'e'}, {"Ê", 'e'},
        {"à", 'a'}, {"â", 'a'}, {"À", 'a'}, {"Â", 'a'}, {"ç", 'c'}, {"Ç", 'c'}, {"î", 'i'},
        {"ï", 'i'}, {"Î", 'i'}, {"ô", 'o'}, {"Ô", 'o'}, {"ù", 'u'}, {"û", 'u'}, {"ü", 'u'}};
    std::string key;
    for (std::size_t i = 0; i < text.size();) {
        bool folded = false;
        for (const auto& [accented, plain] : kFolded) {
            const std::string_view a(accented);
            if (text.compare(i, a.size(), a) == 0) {
                key += plain;
                i += a.size();
                folded = true;
                break;
            }
        }
        if (folded) continue;
        const char c = text[i++];
        key += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return key;
}

}  // namespace

std::vector<PartLine> partsOfDesign(const DesignRecord& record, std::string_view separator) {
    std::vector<PartLine> parts;
    for (const ItemFields& item : kItems) {
        if (!hasChoice(record[item.list])) continue;
        const double price = MyVal(record.text(item.price), separator);
        parts.push_back({.supplier = item.supplier ? orNone(record.text(item.supplier), kNoSupplier)
                                                   : kNoSupplier,
                         .reference = item.reference
                                          ? orNone(record.text(item.reference), kNoReference)
                                          : kNoReference,
                         .designation = record.text(item.list),
                         .step = item.step,
                         .quantity = double(item.perDesign),
                         .unitPrice = price,
                         .totalCents = toCents(price) * item.perDesign});
    }
    // The batteries the vehicle runs on, of the kind chosen, priced from Pile.txt.
    const double count = hasChoice(record["Combo4"]) ? MyVal(record.text("Text78"), separator) : 0;
    const bool pile = record["Option7"].selected;
    if (count > 0 && (pile || record["Option8"].selected)) {
        const double price = MyVal(record.text(pile ? "Text1" : "Text16"), separator);
        parts.push_back({.supplier = kNoSupplier,
                         .reference = kNoReference,
                         .designation = pile ? "Pile" : "Accu",
                         .step = "4",
                         .quantity = count,
                         .unitPrice = price,
                         .totalCents = toCents(price) * static_cast<long long>(count)});
    }
    for (const Material& m : kMaterials) {
        if (!hasChoice(record[m.list])) continue;
        parts.push_back({.supplier = kNoSupplier,
                         .reference = kNoReference,
                         .designation = record.text(m.list) + " (épaisseur " +
                                        record.text(m.thickness) + " mm)",
                         .step = "13",
                         .quantity = 1,
                         .note = "à découper selon le plan"});
    }
    return parts;
}

PartsList mergeParts(const std::vector<std::vector<PartLine>>& designs) {
    using Key = std::tuple<std::string, std::string, std::string, bool>;
    std::map<Key, PartLine> merged;
    std::map<Key, std::vector<std::string>> steps;
    for (const std::vector<PartLine>& design : designs) {
        std::map<Key, bool> seen;
        for (const PartLine& part : design) {
            const Key key{part.supplier, part.reference, part.designation,
                          part.unitPrice.has_value()};
            auto [it, fresh] = merged.try_emplace(key, part);
            PartLine& line = it->second;
            if (!fresh) {
                line.quantity += part.quantity;
                if (line.totalCents && part.totalCents) *line.totalCents += *part.totalCents;
            }
            if (!seen[key]) {
                if (!fresh) ++line.designs;
                seen[key] = true;
            }
            auto& s = steps[key];
            if (std::find(s.begin(), s.end(), part.step) == s.end()) s.push_back(part.step);
        }
    }
    PartsList list;
    for (auto& [key, line] : merged) {
        auto s = steps[key];
        std::sort(s.begin(), s.end(), [](const std::string& a, const std::string& b) {
            return std::stoi(a) < std::stoi(b);
        });
        line.step = frenchList(s);
        list.lines.push_back(line);
    }
    // By supplier then reference; the items no catalogue supplies last.
    std::stable_sort(
        list.lines.begin(), list.lines.end(), [](const PartLine& a, const PartLine& b) {
            const bool aNone = a.supplier == kNoSupplier;
            const bool bNone = b.supplier == kNoSupplier;
            if (aNone != bNone) return bNone;
            return std::make_tuple(sortKey(a.supplier), sortKey(a.reference), a.designation) <
                   std::make_tuple(sortKey(b.supplier), sortKey(b.reference), b.designation);
        });
    for (const PartLine& line : list.lines) {
        if (list.subtotals.empty() || list.subtotals.back().first != line.supplier)
            list.subtotals.push_back({line.supplier, 0});
        list.subtotals.back().second += line.totalCents.value_or(0);
        list.grandTotalCents += line.totalCents.value_or(0);
    }
    return list;
}

const std::vector<std::string>& partsColumns() {
    static const std::vector<std::string> columns = {
        "Fournisseur",          "Référence",    "Désignation", "Étape",   "Quantité",
        "Prix unitaire HT (€)", "Total HT (€)", "Conceptions", "Remarque"};
    return columns;
}

std::string partsCell(const PartLine& line, int column, const std::string& separator) {
    switch (column) {
        case 0:
            return line.supplier;
        case 1:
            return line.reference;
        case 2:
            return line.designation;
        case 3:
            return line.step;
        case 4:
            return formatMeasure(line.quantity, separator);
        case 5:
            return line.unitPrice ? formatMoney(*line.unitPrice, separator) : std::string();
        case 6:
            return line.totalCents ? formatCents(*line.totalCents, separator) : std::string();
        case 7:
            return std::to_string(line.designs);
        case 8:
            return line.note;
        default:
            return {};
    }
}

std::vector<PartsRow> partsRows(const PartsList& list, const std::string& separator,
                                bool amountsApart) {
    const std::size_t columns = partsColumns().size() + (amountsApart ? 1 : 0);
    const std::size_t amountColumn = amountsApart ? columns - 1 : 6;
    auto sumRow = [&](PartsRow::Kind kind, const std::string& supplier, const std::string& words,
                      long long cents) {
        PartsRow row{kind, std::vector<std::string>(columns)};
        row.cells[0] = supplier;
        row.cells[2] = words;
        row.cells[amountColumn] = formatCents(cents, separator);
        return row;
    };
    std::vector<PartsRow> rows;
    std::size_t subtotal = 0;
    for (std::size_t i = 0; i < list.lines.size(); ++i) {
        PartsRow row{PartsRow::Kind::Item, {}};
        for (int c = 0; c < static_cast<int>(partsColumns().size()); ++c)
            row.cells.push_back(partsCell(list.lines[i], c, separator));
        row.cells.resize(columns);
        rows.push_back(std::move(row));
        const bool last =
            i + 1 == list.lines.size() || list.lines[i + 1].supplier != list.lines[i].supplier;
        if (last && subtotal < list.subtotals.size()) {
            const auto& [supplier, cents] = list.subtotals[subtotal++];
            rows.push_back(
                sumRow(PartsRow::Kind::Subtotal, supplier, "Sous-total " + supplier, cents));
        }
    }
    rows.push_back(sumRow(PartsRow::Kind::Total, "", "Total général", list.grandTotalCents));
    return rows;
}

TeacherTable partsTable(const PartsList& list) {
    TeacherTable table{.headings = partsColumns(), .rows = {}, .notes = list.notes};
    table.headings.emplace_back("Sous-totaux et total HT (€)");
    const std::vector<PartsRow> shown = partsRows(list, ",", true);
    const std::vector<PartsRow> pointed = partsRows(list, ".", true);
    for (std::size_t r = 0; r < shown.size(); ++r) {
        const PartsRow& row = shown[r];
        std::vector<CsvCell> cells;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const bool amount = c == 5 || c == 6 || c == row.cells.size() - 1;
            const bool number = amount || c == 4 || c == 7;
            if (number && !row.cells[c].empty()) {
                cells.push_back(
                    CsvCell::number(row.cells[c], pointed[r].cells[c],
                                    amount ? CsvCell::Kind::Money : CsvCell::Kind::Number));
            } else {
                cells.emplace_back(row.cells[c]);
            }
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

std::string partsCsv(const PartsList& list) {
    return tableCsv(partsTable(list));
}
