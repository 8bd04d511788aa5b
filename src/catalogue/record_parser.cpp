#include "catalogue/record_parser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "catalogue/data_error.h"
#include "catalogue/number_text.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Bytes that end an unquoted field, looked up rather than compared three times.
constexpr auto kEndsField = [] {
    std::array<bool, 256> table{};
    table[','] = table['\r'] = table['\n'] = true;
    return table;
}();

bool endsField(char c) {
    return kEndsField[static_cast<unsigned char>(c)];
}

}  // namespace

RecordParser::RecordParser(std::string_view bytes, std::string fileName, int fieldCount,
                           std::string_view decimalSeparator)
    : bytes_(bytes),
      fileName_(std::move(fileName)),
      fieldCount_(fieldCount),
      decimalSeparator_(decimalSeparator),
      encoding_(detectEncoding(bytes)),
      pos_(encodingMarkSize(encoding_)) {
    if (fieldCount < 1 || fieldCount > static_cast<int>(FieldList::kMaxFields)) {
        throw std::invalid_argument("record field count out of range");
    }
    if (utf16Name(bytes)) throw DataError(fileName_, kUtf16Refusal);
    contentEnd_ = bytes_.size();
    while (contentEnd_ > 0 &&
           (isBlank(bytes_[contentEnd_ - 1]) || isLineEnd(bytes_[contentEnd_ - 1]))) {
        --contentEnd_;
    }
}

// Whatever follows the last record that is only blanks and line ends is what editors leave
// behind, not the start of another record.
bool RecordParser::atEnd() const {
    return pos_ >= contentEnd_;
}

bool RecordParser::next(FieldList* fields) {
    if (atEnd()) return false;
    ++recordNumber_;
    recordStart_ = pos_;
    if (fields) {
        fields->clear();
        fields->reserve(lastRecordBytes_ + 16);  // records of a file are much alike in length
    }
    for (int f = 0; f < fieldCount_; ++f) {
        if (pos_ >= bytes_.size()) cutShort(f);
        if (fields) {
            readField(&fields->text());
            fields->closeField();
        } else {
            readField(nullptr);
        }
    }
    if (fields) lastRecordBytes_ = fields->text().size();
    return true;
}

void RecordParser::readField(std::string* out) {
    const std::size_t n = bytes_.size();
    while (pos_ < n && isBlank(bytes_[pos_])) ++pos_;
    if (pos_ < n && bytes_[pos_] == '"') {
        const std::size_t begin = pos_ + 1;
        const char* close =
            static_cast<const char*>(std::memchr(bytes_.data() + begin, '"', n - begin));
        const std::size_t end = close ? static_cast<std::size_t>(close - bytes_.data()) : n;
        if (out) appendAsUtf8(*out, bytes_.substr(begin, end - begin), encoding_);
        pos_ = close ? end + 1 : n;
        while (pos_ < n && !endsField(bytes_[pos_])) ++pos_;
    } else {
        const std::size_t begin = pos_;
        while (pos_ < n && !endsField(bytes_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > begin && isBlank(bytes_[end - 1])) --end;
        if (out) {
            std::string_view raw = bytes_.substr(begin, end - begin);
            if (!numberDisplayText(*out, raw, decimalSeparator_))
                appendAsUtf8(*out, raw, encoding_);
        }
    }
    consumeSeparator();
}

void RecordParser::consumeSeparator() {
    const std::size_t n = bytes_.size();
    if (pos_ >= n) return;
    if (bytes_[pos_] == ',') {
        ++pos_;
        return;
    }
    if (bytes_[pos_] == '\r' && pos_ + 1 < n && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
}

// Line of the record's first byte, counted only for the error report: CR LF, CR or LF end a line.
int RecordParser::lineOf(std::size_t position) const {
    int line = 1;
    for (std::size_t i = 0; i < position; ++i) {
        if (bytes_[i] == '\n' ||
            (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n')))
            ++line;
    }
    return line;
}

void RecordParser::cutShort(int fieldsFound) const {
    throw DataError(
        fileName_, "le fichier se termine au milieu de l'enregistrement n° " +
                       std::to_string(recordNumber_) + " (commencé ligne " +
                       std::to_string(lineOf(recordStart_)) + ") : " + std::to_string(fieldsFound) +
                       " champ(s) trouvé(s) sur " + std::to_string(fieldCount_) + " attendus.");
}
