#include "classroom/class_csv.h"

#include "catalogue/number_text.h"
#include "catalogue/visible_text.h"
#include "classroom/hand_in_collection.h"

namespace {

std::string number(const std::optional<double>& value, const std::string& separator) {
    return value ? formatNumber(*value, separator) : std::string();
}

}  // namespace

const std::vector<std::string>& classColumns() {
    static const std::vector<std::string> columns = {"Élève",
                                                     "Classe",
                                                     "Fichier",
                                                     "Enregistré le",
                                                     "État",
                                                     "Étapes choisies",
                                                     "Masse (g)",
                                                     "Prix HT (€)",
                                                     "Hauteur (mm)",
                                                     "Axe de l'hélice (mm)",
                                                     "Pourquoi",
                                                     "Batteries",
                                                     "Avec toutes les batteries",
                                                     "Remarques",
                                                     "Identique à",
                                                     "Rendu le",
                                                     "Remise",
                                                     "Versions précédentes",
                                                     "Il suffirait de"};
    return columns;
}

const std::vector<int>& classColumnOrder() {
    static const std::vector<int> order = {0, 1,  4,  10, 6,  7,  2,  3,  5, 8,
                                           9, 11, 12, 13, 14, 15, 16, 17, 18};
    return order;
}

std::optional<double> classNumber(const DesignRow& row, int column) {
    switch (column) {
        case 5:
            return row.state == DesignState::Illisible || row.state == DesignState::NonRendu
                       ? std::nullopt
                       : std::optional<double>(row.stepsChosen);
        case 6:
            return row.mass;
        case 7:
            return row.price;
        case 8:
            return row.height;
        case 9:
            return row.axis;
        default:
            return std::nullopt;
    }
}

std::string classCell(const DesignRow& row, int column, const std::string& separator) {
    if (column == 7) return row.price ? formatMoney(*row.price, separator) : std::string();
    if (column >= 5 && column <= 9) return number(classNumber(row, column), separator);
    // One decimal mark in a table: the CSV's texts with the comma, as its numbers.
    const DesignRow::Texts& texts =
        separator == ","
            ? row.commaTexts
            : DesignRow::Texts{row.failing, row.withAllBatteries, row.remarks, row.fix};
    switch (column) {
        case 0:
            return row.pupil;
        case 1:
            return row.className;
        case 2:
            return row.file;
        case 3:
            return row.savedAt;
        case 4:
            return stateWords(row.state);
        case 10:
            return texts.failing;
        case 11:
            return row.state == DesignState::Illisible ? std::string() : row.batteries;
        case 12:
            return row.state == DesignState::Illisible ? std::string() : texts.withAllBatteries;
        case 13:
            return texts.remarks;
        case 14:
            return row.identicalTo;
        case 15:
            return shownStamp(row.handedIn);
        case 16:
            return handInWords(row);
        case 17: {
            std::string files;
            for (const std::string& file : row.earlier)
                files += (files.empty() ? "" : " ; ") + file;
            return files;
        }
        case 18:
            return texts.fix;
        default:
            return {};
    }
}

std::string csvField(const CsvCell& cell) {
    std::string text = visibleText(cell.text);
    if (!cell.isNumber() && readAsFormula(cell.text)) text.insert(0, "'");
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string csvLine(const std::vector<CsvCell>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? ";" : "") + csvField(fields[i]);
    return line + "\r\n";
}

TeacherTable classTable(const std::vector<const DesignRow*>& rows,
                        const std::vector<std::string>& notes, bool withFix) {
    TeacherTable table{.headings = {}, .rows = {}, .notes = notes};
    std::vector<int> columns;
    for (const int c : classColumnOrder())
        if (withFix || c != kFixColumn) columns.push_back(c);
    for (const int c : columns) table.headings.push_back(classColumns()[c]);
    for (const DesignRow* row : rows) {
        std::vector<CsvCell> cells;
        for (const int c : columns) {
            std::string text = classCell(*row, c, ",");
            if (const std::optional<double> value = classNumber(*row, c)) {
                cells.push_back(
                    CsvCell::number(std::move(text), classCell(*row, c, "."),
                                    c == 7 ? CsvCell::Kind::Money : CsvCell::Kind::Number));
            } else if ((c == 3 || c == 15) && !text.empty()) {
                cells.push_back(CsvCell::number(text, text, CsvCell::Kind::Date));
            } else {
                cells.emplace_back(std::move(text));
            }
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

std::string tableCsv(const TeacherTable& table) {
    std::vector<CsvCell> header(table.headings.begin(), table.headings.end());
    std::string csv = "\xEF\xBB\xBF" + csvLine(header);
    for (const std::vector<CsvCell>& row : table.rows) csv += csvLine(row);
    if (!table.notes.empty()) csv += "\r\n";
    for (const std::string& line : table.notes) csv += csvLine({line});
    return csv;
}

std::string classCsv(const std::vector<const DesignRow*>& rows,
                     const std::vector<std::string>& lastLines) {
    return tableCsv(classTable(rows, lastLines));
}

std::string classCsv(const std::vector<DesignRow>& rows,
                     const std::vector<std::string>& lastLines) {
    std::vector<const DesignRow*> all;
    for (const DesignRow& row : rows) all.push_back(&row);
    return classCsv(all, lastLines);
}
