#pragma once

#include <string>
#include <string_view>

#include "catalogue/field_list.h"
#include "catalogue/text_encoding.h"

// Reads the records of a catalogue file's bytes, field by field, N fields a record; line ends are
// only separators. The bytes are Windows-1252 or UTF-8 (detectEncoding). Throws DataError naming
// fileName when the bytes end inside a record.
class RecordParser {
  public:
    RecordParser(std::string_view bytes, std::string fileName, int fieldCount,
                 std::string_view decimalSeparator);

    // Reads the next record into fields (or skips it when fields is null); false at the end.
    bool next(FieldList* fields);

  private:
    bool atEnd() const;
    // Appends the field's display text to out, when there is one.
    void readField(std::string* out);
    void consumeSeparator();
    [[noreturn]] void cutShort(int fieldsFound) const;
    int lineOf(std::size_t position) const;

    std::string_view bytes_;
    std::string fileName_;
    int fieldCount_;
    std::string_view decimalSeparator_;
    TextEncoding encoding_;
    std::size_t pos_ = 0;
    std::size_t contentEnd_ = 0;  // just after the last byte that is neither blank nor line end
    int recordNumber_ = 0;
    std::size_t recordStart_ = 0;
    std::size_t lastRecordBytes_ = 48;
};
