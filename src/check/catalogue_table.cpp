#include "check/catalogue_table.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "catalogue/cp1252.h"
#include "catalogue/number_text.h"

namespace {

// The fields of a line split at the commas outside double quotes; false when a quote is left
// open or a quoted field runs on past its closing quote (the line is then no record).
bool splitFields(std::string_view line, std::vector<std::string>* fields,
                 std::vector<bool>* quoted) {
    fields->clear();
    quoted->clear();
    std::size_t i = 0;
    for (;;) {
        std::string field;
        bool inQuotes = false;
        if (i < line.size() && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            field = std::string(line.substr(i + 1, close - i - 1));
            i = close + 1;
            inQuotes = true;
            if (i < line.size() && line[i] != ',') return false;
        } else {
            const std::size_t comma = std::min(line.find(',', i), line.size());
            field = std::string(line.substr(i, comma - i));
            if (field.find('"') != std::string::npos) return false;
            i = comma;
        }
        fields->push_back(std::move(field));
        quoted->push_back(inQuotes);
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string inQuotes(std::string_view text) {
    std::string quoted = "« ";
    quoted.append(text);
    quoted += " »";
    return quoted;
}

bool textType(FieldType type) {
    return type != FieldType::Number && type != FieldType::WholeNumber;
}

}  // namespace

bool encodeCp1252(std::string_view utf8, std::string* out) {
    // The code page's characters above 0x7F, as UTF-8, to their byte.
    static const std::map<std::string, char> bytes = [] {
        std::map<std::string, char> m;
        for (int b = 0x80; b <= 0xFF; ++b) m[decodeCp1252(std::string(1, char(b)))] = char(b);
        return m;
    }();
    out->clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            *out += char(lead);
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const auto it = bytes.find(std::string(utf8.substr(i, length)));
        if (it == bytes.end()) return false;
        *out += it->second;
        i += length;
    }
    return true;
}

CatalogueTable::CatalogueTable(const FileRule& rule, std::string_view bytes) : rule_(&rule) {
    encoding_ = read_ = detectEncoding(bytes);
    mark_ = std::string(bytes.substr(0, encodingMarkSize(encoding_)));
    std::string_view content = bytes.substr(mark_.size());
    while (!content.empty()) {
        const std::size_t stop = std::min(content.find_first_of("\r\n"), content.size());
        auto line = std::make_shared<Lines>();
        line->row.raw = std::string(content.substr(0, stop));
        std::size_t endLength = 0;
        if (stop < content.size())
            endLength =
                content[stop] == '\r' && stop + 1 < content.size() && content[stop + 1] == '\n' ? 2
                                                                                                : 1;
        line->row.end = std::string(content.substr(stop, endLength));
        content.remove_prefix(stop + endLength);
        rows_.push_back(std::move(line));
    }
}

const CatalogueTable::Row& CatalogueTable::parsed(Lines& line) const {
    if (line.parsed) return line.row;
    Row& row = line.row;
    std::vector<std::string> raw;
    row.table = splitFields(row.raw, &raw, &row.quoted) && raw.size() == rule_->fields.size() &&
                !trimmed(row.raw).empty();
    row.fields.clear();
    for (const std::string& field : raw) {
        std::string text;
        appendAsUtf8(text, field, read_);
        row.fields.push_back(std::move(text));
    }
    line.parsed = true;
    return row;
}

const CatalogueTable::Row& CatalogueTable::row(int r) const {
    return parsed(*rows_[r]);
}

CatalogueTable::Row& CatalogueTable::own(int r) {
    parsed(*rows_[r]);
    if (rows_[r].use_count() > 1) rows_[r] = std::make_shared<Lines>(*rows_[r]);
    return rows_[r]->row;
}

CatalogueTable::Splice CatalogueTable::difference(const CatalogueTable& before,
                                                  const CatalogueTable& after) {
    // The rows both still share, at the start and at the end, are what the change left alone.
    const auto& a = before.rows_;
    const auto& b = after.rows_;
    std::size_t start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start]) ++start;
    std::size_t end = 0;
    while (end < a.size() - start && end < b.size() - start &&
           a[a.size() - 1 - end] == b[b.size() - 1 - end])
        ++end;
    Splice splice;
    splice.at = static_cast<int>(start);
    splice.removed.assign(a.begin() + start, a.end() - end);
    splice.inserted.assign(b.begin() + start, b.end() - end);
    return splice;
}

void CatalogueTable::apply(const Splice& splice, bool forward) {
    const auto& out = forward ? splice.removed : splice.inserted;
    const auto& in = forward ? splice.inserted : splice.removed;
    const auto at = rows_.begin() + splice.at;
    rows_.erase(at, at + static_cast<std::ptrdiff_t>(out.size()));
    rows_.insert(rows_.begin() + splice.at, in.begin(), in.end());
}

const std::string& CatalogueTable::cell(int r, int c) const {
    static const std::string none;
    const Row& row = this->row(r);
    return c < static_cast<int>(row.fields.size()) ? row.fields[c] : none;
}

CatalogueTable::Edit CatalogueTable::setCell(int r, int c, std::string_view typed) {
    const FieldRule& field = rule_->fields[c];
    Edit edit;
    std::string text = field.type == FieldType::Text || field.type == FieldType::Designation
                           ? std::string(typed)
                           : trimmed(typed);
    if (text.find_first_of("\r\n\t") != std::string::npos) {
        edit.refusal = "un champ tient sur une ligne : écrivez-le sans retour à la ligne.";
        return edit;
    }
    switch (field.type) {
        case FieldType::Number:
        case FieldType::WholeNumber: {
            if (text.empty()) break;
            std::replace(text.begin(), text.end(), ',', '.');
            const std::optional<double> value = parseDecimalNumber(text);
            if (!value) {
                edit.refusal =
                    inQuotes(typed) + " n'est pas un nombre : écrivez un nombre comme 12 ou 1.90.";
                return edit;
            }
            if (field.type == FieldType::WholeNumber && *value != std::floor(*value)) {
                edit.refusal = inQuotes(typed) + " doit être un nombre entier.";
                return edit;
            }
            break;
        }
        case FieldType::Flag: {
            std::string lower = text;
            for (char& ch : lower) ch = (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch;
            if (lower == "o" || lower == "oui") {
                text.assign(1, 'o');  // (not = "o": GCC 12 warns wrongly on it)
            } else if (lower == "n" || lower == "non") {
                text.assign(1, 'n');
            } else {
                edit.refusal = inQuotes(typed) + " : la variante vaut o ou n, en minuscule.";
                return edit;
            }
            break;
        }
        default:
            if (text.find('"') != std::string::npos) {
                edit.refusal = inQuotes(typed) +
                               " contient un guillemet « \" » : le fichier ne saurait plus où le "
                               "texte finit ; écrivez ’ ou ″ à la place.";
                return edit;
            }
            break;
    }
    Row& row = own(r);
    if (!row.table || row.fields.size() != rule_->fields.size()) {
        row.fields.resize(rule_->fields.size());
        row.quoted.resize(rule_->fields.size(), false);
        for (std::size_t f = 0; f < rule_->fields.size(); ++f)
            row.quoted[f] = textType(rule_->fields[f].type);
        row.table = true;
    }
    row.fields[c] = text;
    // A text holding a comma stands between quotes, or every later field would shift.
    if (text.find(',') != std::string::npos && textType(field.type)) row.quoted[c] = true;
    row.edited = true;
    edit.accepted = true;
    edit.written = text;
    return edit;
}

void CatalogueTable::insertRow(int r) {
    Row row;
    row.fields.resize(rule_->fields.size());
    row.quoted.resize(rule_->fields.size());
    // Quoted as the file's first record quotes its fields, else texts between quotes.
    const Row* model = nullptr;
    for (int i = 0; i < rowCount() && !model; ++i)
        if (this->row(i).table) model = &this->row(i);
    for (std::size_t f = 0; f < rule_->fields.size(); ++f)
        row.quoted[f] = model ? bool(model->quoted[f]) : textType(rule_->fields[f].type);
    row.edited = true;
    auto line = std::make_shared<Lines>();
    line->row = std::move(row);
    line->parsed = true;
    rows_.insert(rows_.begin() + r, std::move(line));
}

void CatalogueTable::duplicateRow(int r) {
    auto copy = std::make_shared<Lines>(*rows_[r]);
    parsed(*copy);
    copy->row.edited = true;
    rows_.insert(rows_.begin() + r + 1, std::move(copy));
}

void CatalogueTable::removeRow(int r) {
    rows_.erase(rows_.begin() + r);
}

void CatalogueTable::moveRow(int from, int to) {
    if (from == to) return;
    std::shared_ptr<Lines> moved = std::move(rows_[from]);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, std::move(moved));
}

bool CatalogueTable::needsUtf8() const {
    if (encoding_ != TextEncoding::Windows1252) return false;
    std::string ignored;
    for (const auto& line : rows_) {
        const Row& row = line->row;
        if (!row.edited) continue;
        for (const std::string& field : row.fields)
            if (!encodeCp1252(field, &ignored)) return true;
    }
    return false;
}

std::string CatalogueTable::lineBytes(const Row& row) const {
    const bool cp1252 = encoding_ == TextEncoding::Windows1252;
    if (!row.edited && !recoded_) return row.raw;
    if (!row.table) {
        std::string text;
        appendAsUtf8(text, row.raw, read_);
        return text;
    }
    std::string line;
    for (std::size_t f = 0; f < row.fields.size(); ++f) {
        if (f > 0) line += ',';
        std::string bytes = row.fields[f];
        if (cp1252) encodeCp1252(row.fields[f], &bytes);  // needsUtf8() asked before, if need be
        if (row.quoted[f]) line += '"';
        line += bytes;
        if (row.quoted[f]) line += '"';
    }
    return line;
}

std::string CatalogueTable::bytes() const {
    std::string out = recoded_ ? std::string("\xEF\xBB\xBF") : mark_;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = recoded_ ? this->row(int(i)) : rows_[i]->row;
        out += lineBytes(row);
        // A line written anew ends as Windows files do, and so does a last line moved up.
        const bool last = i + 1 == rows_.size();
        out += row.edited || (row.end.empty() && !last) ? std::string("\r\n") : row.end;
    }
    return out;
}
