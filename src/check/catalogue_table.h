#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/text_encoding.h"
#include "check/check_tables.h"

// One file of Data/ as the teacher edits it: a row a line, a column a field of the check's rules.
// Read from its bytes and written back to bytes: a line nobody edited is written exactly as it was
// read (its bytes, its line end), so that a file loaded and saved unchanged gives back its bytes.
// An edited or new line is written from its fields, in the file's encoding, ended by CR LF.
// Copies share the rows nobody changed, and a line is split into fields only when first asked
// for: a file of a million records opens, and is kept for undo, at the cost of its lines.
class CatalogueTable {
  public:
    struct Row {
        std::vector<std::string> fields;  // as shown, in UTF-8, quotes taken off
        std::vector<bool> quoted;         // as the file wrote them
        std::string raw;                  // the line's bytes as read, without its end
        std::string end;                  // its end as read: "\r\n", "\n", "\r" or none
        bool edited = false;              // written from its fields, not from raw
        bool table = true;                // its fields are the rule's: it reads as a record
    };
    // What an edit did: the text written in the cell, or why it was refused.
    struct Edit {
        bool accepted = false;
        std::string written;
        std::string refusal;
    };

    CatalogueTable(const FileRule& rule, std::string_view bytes);

    const FileRule& rule() const { return *rule_; }
    TextEncoding encoding() const { return encoding_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return static_cast<int>(rule_->fields.size()); }
    const Row& row(int r) const;

    // What one change did to the rows: from at, the rows it took out and those it put in. An undo
    // step keeps this, not the two tables.
    struct Lines;
    struct Splice {
        int at = 0;
        std::vector<std::shared_ptr<Lines>> removed, inserted;
    };
    static Splice difference(const CatalogueTable& before, const CatalogueTable& after);
    // The change done again (forward) or undone.
    void apply(const Splice& splice, bool forward);
    // The cell's text; empty beyond a short line's fields.
    const std::string& cell(int r, int c) const;
    // The column's heading as the check names the field.
    std::string heading(int c) const { return rule_->fields[c].caption; }

    // A typed value for a cell, as its field's type takes it: a number with a comma or a point
    // (written with a point), « o »/« n » (« oui », « non » too), a whole number, a text without
    // a double quote. The row is then written from its fields.
    Edit setCell(int r, int c, std::string_view typed);
    // A new empty record at r; a copy of row r after it; row r taken out; row from moved to to.
    void insertRow(int r);
    void duplicateRow(int r);
    void removeRow(int r);
    void moveRow(int from, int to);

    // True when a field holds a character Windows-1252 cannot write: the file must become UTF-8
    // (with its mark) to be saved.
    bool needsUtf8() const;
    // Saves as UTF-8 with its mark from now on.
    void useUtf8() {
        recoded_ = encoding_ == TextEncoding::Windows1252;
        encoding_ = TextEncoding::Utf8WithMark;
    }
    // The whole file as it would be saved.
    std::string bytes() const;

    // One line as read, split into fields when first asked for.
    struct Lines {
        Row row;
        bool parsed = false;
    };

  private:
    std::string lineBytes(const Row& row) const;
    const Row& parsed(Lines& line) const;
    // Row r for a change: its own copy when another table shares it.
    Row& own(int r);

    const FileRule* rule_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
    TextEncoding read_ = TextEncoding::Windows1252;  // as the file was read
    std::string mark_;                               // the byte-order mark read, if any
    std::vector<std::shared_ptr<Lines>> rows_;
    bool recoded_ = false;  // read as Windows-1252, written as UTF-8: every line anew
};

// UTF-8 text as Windows-1252 bytes; false when a character has no place in that code page.
bool encodeCp1252(std::string_view utf8, std::string* out);
