#include "check/catalogue_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/number_text.h"
#include "catalogue/record_parser.h"
#include "catalogue/safe_name.h"
#include "catalogue/text_encoding.h"
#include "catalogue/visible_text.h"
#include "check/check_tables.h"
#include "files/file_system.h"

namespace {

using Severity = CheckProblem::Severity;

// One field of a line, split as the reader splits fields.
struct Token {
    std::string_view raw;  // between the quotes, or trimmed
    bool quoted = false;
};

struct Line {
    int number = 0;
    std::string_view text;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool blankLine(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

// CR LF, CR and LF end a line, as for the reader.
std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    int number = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back({number++, bytes.substr(start, i - start)});
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back({number, bytes.substr(start)});
    // What follows the last record, if only blanks and line ends, is no record for the reader.
    while (!lines.empty() && blankLine(lines.back().text)) lines.pop_back();
    return lines;
}

// The fields of one line; false when a quote opens and does not close on it. Without tokens the
// fields are only counted.
bool tokenize(std::string_view text, char separator, std::vector<Token>* tokens,
              std::size_t* count = nullptr) {
    if (tokens) tokens->clear();
    if (count) *count = 0;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        Token token;
        if (pos < text.size() && text[pos] == '"') {
            const std::size_t close = text.find('"', pos + 1);
            if (close == std::string_view::npos) return false;
            token = {text.substr(pos + 1, close - pos - 1), true};
            pos = text.find(separator, close + 1);
        } else {
            const std::size_t end = std::min(text.find(separator, pos), text.size());
            std::size_t last = end;
            while (last > pos && isBlank(text[last - 1])) --last;
            token = {text.substr(pos, last - pos), false};
            pos = end;
        }
        if (tokens) tokens->push_back(token);
        if (count) ++*count;
        if (pos == std::string_view::npos || pos >= text.size()) return true;
        ++pos;  // the separator
    }
}

bool allDigits(std::string_view text, bool sign) {
    if (sign && !text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// How MyVal reads a field's text: all of it a number (with "." or "," as separator), a number
// followed by something else, or no number.
struct NumberReading {
    enum class Kind { Clean, Leading, None } kind = Kind::None;
    double value = 0;
    std::string leading;  // the number part, as written
};

NumberReading readNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    const std::size_t start = pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    bool digits = false;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        ++pos;
        digits = true;
    }
    if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
        ++pos;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
            ++pos;
            digits = true;
        }
    }
    if (!digits) return {};
    std::size_t end = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        if (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) {
            while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) ++e;
            end = e;
        }
    }
    std::string number(text.substr(start, end - start));
    std::replace(number.begin(), number.end(), ',', '.');
    NumberReading reading;
    reading.value = parseDecimalNumber(number).value_or(std::strtod(number.c_str(), nullptr));
    reading.leading = std::string(text.substr(start, end - start));
    std::size_t rest = end;
    while (rest < text.size() && text[rest] == ' ') ++rest;
    reading.kind = rest == text.size() ? NumberReading::Kind::Clean : NumberReading::Kind::Leading;
    return reading;
}

std::string inQuotes(std::string_view text) {
    return "« " + safeName(std::string(text)) + " »";
}

std::string number(double value) {
    return formatNumber(value, ",");
}

// A line with more commas than this many records' worth is not split into fields: only counted.
constexpr std::size_t kRecordsOnALine = 64;
// Problems listed for one file; the rest are counted.
constexpr int kProblemsListed = 200;
// Pictures whose probe is remembered; beyond, each is probed again.
constexpr std::size_t kProbesRemembered = 10'000;

// 1234567 as « 1 234 567 ».
std::string grouped(long long n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, " ");
    return digits;
}

// The check of one file of the folder.
class FileCheck {
  public:
    FileCheck(const std::string& folder, const FileRule& rule, CheckReport& report,
              const PictureProbe& probe, std::map<std::string, std::string>& probed)
        : folder_(folder), rule_(rule), report_(report), probe_(probe), probed_(probed) {}

    void run();
    // The same check on bytes given rather than read.
    void runOn(const std::string& bytes);

  private:
    void add(int line, int record, const char* field, Severity severity, std::string text) {
        if (listed_ >= kProblemsListed) {
            ++(severity == Severity::Error ? moreErrors_ : moreWarnings_);
            return;
        }
        ++listed_;
        report_.problems.push_back(
            {rule_.file, line, record, field ? field : "", severity, std::move(text)});
    }
    // A line too long to split: its fields counted, one problem said.
    bool tooManyFields(const Line& line, int record);
    void checkLines(std::string_view content);
    struct DecimalComma {
        std::size_t field;
        std::string written;
    };
    void columnsDoNotMatch(const Line& line, const std::vector<Token>& tokens, int record);
    std::vector<DecimalComma> decimalCommas(const std::vector<Token>& tokens,
                                            std::size_t extra) const;
    void checkRecord(int line, int record, const std::vector<Token>& tokens);
    void checkField(int line, int record, const FieldRule& field, std::string_view text,
                    bool isQuoted, const std::vector<Token>& tokens);
    void needPicture(const std::string& name, int line, int record, const char* field);
    std::string decoded(std::string_view raw) const {
        std::string out;
        appendAsUtf8(out, raw, encoding_);
        return out;
    }

    const std::string& folder_;
    const FileRule& rule_;
    CheckReport& report_;
    const PictureProbe& probe_;
    std::map<std::string, std::string>& probed_;  // picture name, why it fails
    TextEncoding encoding_ = TextEncoding::Windows1252;
    // Trimmed designation (bytes of the file, alive while it is checked), its line.
    std::unordered_map<std::string_view, int> designations_;
    int records_ = 0;  // records as the check numbers them, one a line
    int listed_ = 0;
    int moreErrors_ = 0;
    int moreWarnings_ = 0;
    bool misaligned_ = false;
    std::vector<int> fractions_;  // by field: how many well-formed records write a fraction there
};

void FileCheck::run() {
    const std::string path = folder_ + "/" + rule_.file;
    std::string bytes;
    try {
        bytes = readFileBytes(path);
    } catch (const DataError& error) {
        report_.files.push_back({rule_.file, "", 0});
        add(0, 0, nullptr, Severity::Error, error.reason());
        return;
    }
    runOn(bytes);
}

void FileCheck::runOn(const std::string& bytes) {
    if (const char* utf16 = utf16Name(bytes)) {
        report_.files.push_back({rule_.file, utf16, 0, true});
        add(0, 0, nullptr, Severity::Error, kUtf16Refusal);
        return;
    }
    encoding_ = detectEncoding(bytes);
    const std::string_view content = std::string_view(bytes).substr(encodingMarkSize(encoding_));
    checkLines(content);

    // The reader itself, as the program runs it: whatever it refuses is an error too.
    const std::size_t before = report_.problems.size();
    int read = 0;
    bool stopped = false;
    try {
        RecordParser parser(bytes, rule_.file, static_cast<int>(rule_.fields.size()), ",");
        while (parser.next(nullptr)) ++read;
    } catch (const DataError& error) {
        stopped = true;
        const bool explained =
            std::any_of(report_.problems.begin(), report_.problems.begin() + before,
                        [&](const CheckProblem& p) {
                            return p.file == rule_.file && p.severity == Severity::Error;
                        });
        if (!explained) add(0, 0, nullptr, Severity::Error, error.reason());
    }
    // Once the reader stops, its count is no longer the file's: the records are those the
    // problems are numbered by.
    report_.files.push_back({rule_.file, encodingName(encoding_), stopped ? records_ : read,
                             stopped, moreErrors_, moreWarnings_});
}

bool FileCheck::tooManyFields(const Line& line, int record) {
    const std::size_t count = rule_.fields.size();
    if (static_cast<std::size_t>(std::count(line.text.begin(), line.text.end(), ',')) <
        count * kRecordsOnALine)
        return false;
    std::size_t found = 0;
    if (!tokenize(line.text, ',', nullptr, &found)) return false;
    if (found < count * kRecordsOnALine) return false;
    const std::string shifted =
        misaligned_ ? "" : " Le lecteur lit alors tous les enregistrements suivants décalés.";
    misaligned_ = true;
    add(line.number, record, nullptr, Severity::Error,
        std::to_string(found) + " champs trouvés sur " + std::to_string(count) +
            " attendus : " + std::to_string(found - count) +
            " de trop ; un texte qui contient une virgule doit être écrit entre guillemets "
            "(\"Hélice 3, tripale\")." +
            shifted);
    return true;
}

void FileCheck::checkLines(std::string_view content) {
    const std::size_t count = rule_.fields.size();
    const std::vector<Line> lines = splitLines(content);
    std::vector<Token> tokens;
    fractions_.assign(count, 0);
    for (const Line& line : lines) {
        std::size_t fields = 0;
        if (!tokenize(line.text, ',', nullptr, &fields) || fields != count) continue;
        tokenize(line.text, ',', &tokens);
        for (std::size_t f = 0; f < count; ++f) {
            if (!tokens[f].quoted && tokens[f].raw.find('.') != std::string_view::npos)
                ++fractions_[f];
        }
    }
    int record = 0;
    // Problems of the lines' structure are those the reader stops on.
    struct Shifting {
        std::vector<CheckProblem>& problems;
        std::size_t from;
        ~Shifting() {
            for (std::size_t p = from; p < problems.size(); ++p) problems[p].shiftsFields = true;
        }
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const std::size_t problemsBefore = report_.problems.size();
        if (blankLine(line.text)) {
            const Shifting shifting{report_.problems, problemsBefore};
            add(line.number, 0, nullptr, Severity::Error,
                "ligne vide : le lecteur la compte comme un champ vide et décale tous les champs "
                "qui suivent ; supprimez-la.");
            misaligned_ = true;
            continue;
        }
        if (tooManyFields(line, record + 1)) {
            const Shifting shifting{report_.problems, problemsBefore};
            records_ = ++record;
            continue;
        }
        if (!tokenize(line.text, ',', &tokens)) {
            const Shifting shifting{report_.problems, problemsBefore};
            const std::size_t open = line.text.find('"');
            add(line.number, record + 1, nullptr, Severity::Error,
                "guillemet non fermé ligne " + std::to_string(line.number) + " (le texte " +
                    inQuotes(decoded(line.text.substr(open, 30))) +
                    " ne se termine pas) : le lecteur prend tout jusqu'au guillemet suivant, "
                    "même sur les lignes d'après ; ajoutez le guillemet qui ferme ce texte.");
            return;  // everything after it is read as part of that text
        }
        ++record;
        records_ = record;
        if (tokens.size() == count) {
            checkRecord(line.number, record, tokens);
            continue;
        }
        // A record written over two lines reads the same as on one.
        std::vector<Token> next;
        if (tokens.size() < count && i + 1 < lines.size() && !blankLine(lines[i + 1].text) &&
            tokenize(lines[i + 1].text, ',', &next) && tokens.size() + next.size() == count) {
            tokens.insert(tokens.end(), next.begin(), next.end());
            checkRecord(line.number, record, tokens);
            ++i;
            continue;
        }
        if (tokens.size() % count == 0) {
            add(line.number, record, nullptr, Severity::Warning,
                std::to_string(tokens.size() / count) +
                    " enregistrements sur une même ligne : le suivant ne commence pas en début de "
                    "ligne ; écrivez un enregistrement par ligne.");
            for (std::size_t k = 0; k < tokens.size(); k += count) {
                checkRecord(line.number, record,
                            std::vector<Token>(tokens.begin() + k, tokens.begin() + k + count));
                if (k + count < tokens.size()) ++record;
            }
            continue;
        }
        const Shifting shifting{report_.problems, problemsBefore};
        columnsDoNotMatch(line, tokens, record);
    }
}

void FileCheck::columnsDoNotMatch(const Line& line, const std::vector<Token>& tokens, int record) {
    const std::size_t count = rule_.fields.size();
    const std::string found = std::to_string(tokens.size()) + " champs trouvés sur " +
                              std::to_string(count) + " attendus";
    const std::string shifted =
        misaligned_ ? "" : " Le lecteur lit alors tous les enregistrements suivants décalés.";
    misaligned_ = true;
    if (std::count(line.text.begin(), line.text.end(), '"') % 2 == 1) {
        add(line.number, record, nullptr, Severity::Error,
            found + " : guillemet non fermé ligne " + std::to_string(line.number) +
                " (un texte commence par un guillemet sans guillemet qui le ferme) ; ajoutez le "
                "guillemet qui manque." +
                shifted);
        return;
    }
    if (tokens.size() > count) {
        const std::size_t extra = tokens.size() - count;
        const std::vector<DecimalComma> commas = decimalCommas(tokens, extra);
        if (!commas.empty()) {
            for (const DecimalComma& comma : commas) {
                std::string point = comma.written;
                std::replace(point.begin(), point.end(), ',', '.');
                add(line.number, record, rule_.fields[comma.field].caption, Severity::Error,
                    found + " : une virgule dans un nombre ? écrivez " + point + " et non " +
                        comma.written + "." + shifted);
            }
            return;
        }
        add(line.number, record, nullptr, Severity::Error,
            found + " : " + std::to_string(extra) +
                " de trop ; un texte qui contient une virgule doit être écrit entre guillemets "
                "(\"Hélice 3, tripale\")." +
                shifted);
        return;
    }
    std::vector<Token> bySemicolon;
    if (line.text.find(';') != std::string_view::npos && tokenize(line.text, ';', &bySemicolon) &&
        bySemicolon.size() >= count) {
        add(line.number, record, nullptr, Severity::Error,
            found + " : les champs sont séparés par des points-virgules : utilisez des virgules." +
                shifted);
        return;
    }
    if (line.text.find('\t') != std::string_view::npos && tokenize(line.text, '\t', &bySemicolon) &&
        bySemicolon.size() >= count) {
        add(line.number, record, nullptr, Severity::Error,
            found + " : les champs sont séparés par des tabulations : utilisez des virgules." +
                shifted);
        return;
    }
    add(line.number, record, nullptr, Severity::Error,
        found + " : il en manque " + std::to_string(count - tokens.size()) +
            " ; chaque enregistrement a ses " + std::to_string(count) +
            " champs séparés par des virgules." + shifted);
}

// A decimal comma splits one number into two whole ones. The numbers to join back are those that
// make the columns match again, each where a number is expected; of several ways, the one that
// puts fractions where the file's other records have them.
std::vector<FileCheck::DecimalComma> FileCheck::decimalCommas(const std::vector<Token>& tokens,
                                                              std::size_t extra) const {
    const std::size_t count = rule_.fields.size();
    std::vector<DecimalComma> best, current;
    double bestScore = -1;
    std::function<void(std::size_t, std::size_t, double)> search = [&](std::size_t t, std::size_t f,
                                                                       double score) {
        if (f == count) {
            if (t == tokens.size() && current.size() == extra && score > bestScore) {
                best = current;
                bestScore = score;
            }
            return;
        }
        if (t >= tokens.size()) return;
        search(t + 1, f + 1, score);
        const FieldType type = rule_.fields[f].type;
        if (current.size() < extra && type == FieldType::Number && t + 1 < tokens.size() &&
            !tokens[t].quoted && !tokens[t + 1].quoted && allDigits(tokens[t].raw, true) &&
            allDigits(tokens[t + 1].raw, false)) {
            const std::string_view fraction = tokens[t + 1].raw;
            current.push_back({f, std::string(tokens[t].raw) + "," + std::string(fraction)});
            search(t + 2, f + 1,
                   score + fractions_[f] + (fraction.size() >= 2 || fraction[0] == '0' ? 0.5 : 0));
            current.pop_back();
        }
    };
    search(0, 0, 0);
    return best;
}

void FileCheck::checkRecord(int line, int record, const std::vector<Token>& tokens) {
    for (std::size_t f = 0; f < rule_.fields.size(); ++f)
        checkField(line, record, rule_.fields[f], tokens[f].raw, tokens[f].quoted, tokens);
}

void FileCheck::checkField(int line, int record, const FieldRule& field, std::string_view raw,
                           bool isQuoted, const std::vector<Token>& tokens) {
    const std::string text = decoded(raw);
    auto problem = [&](Severity severity, const std::string& what) {
        add(line, record, field.caption, severity, what);
    };
    if ((field.type == FieldType::Designation || field.type == FieldType::Text) &&
        readAsFormula(text)) {
        problem(Severity::Warning,
                inQuotes(text) + " commence par « " + text.substr(0, 1) +
                    " » : un tableur le lirait comme une formule ; VENTAKAR l'écrit comme un texte "
                    "dans ses tableaux CSV, mais mieux vaut le faire commencer autrement.");
    }
    switch (field.type) {
        case FieldType::Designation: {
            std::string trimmed = text;
            trimmed.erase(0, trimmed.find_first_not_of(' '));
            trimmed.erase(trimmed.find_last_not_of(' ') + 1);
            if (trimmed.empty()) {
                problem(Severity::Error, "la désignation est vide : écrivez le nom de l'élément.");
                return;
            }
            if (rule_.feedsList) {
                std::string_view key = raw;
                key.remove_prefix(std::min(key.find_first_not_of(' '), key.size()));
                key.remove_suffix(key.size() - (key.find_last_not_of(' ') + 1));
                const auto [it, first] = designations_.emplace(key, line);
                if (!first) {
                    problem(Severity::Warning,
                            inQuotes(trimmed) + " figure déjà ligne " + std::to_string(it->second) +
                                " : les élèves ne peuvent pas distinguer les deux dans la liste ; "
                                "donnez-leur des noms différents.");
                }
            }
            for (const NamedPicture& picture : picturesNamedBy(rule_, field, text))
                needPicture(picture.file, line, record, field.caption);
            return;
        }
        case FieldType::SketchCode:
            if (text.empty()) {
                problem(Severity::Error,
                        "le code du croquis est vide : il nomme les images Md<code>.gif et "
                        "Me<code>.gif.");
                return;
            }
            for (const NamedPicture& picture : picturesNamedBy(rule_, field, text))
                needPicture(picture.file, line, record, field.caption);
            return;
        case FieldType::PictureName:
            if (text.empty()) {
                problem(Severity::Error,
                        "le nom des images est vide : il nomme le dessin <nom>.gif "
                        "et la photo <nom>.jpg.");
                return;
            }
            for (const NamedPicture& picture : picturesNamedBy(rule_, field, text))
                needPicture(picture.file, line, record, field.caption);
            return;
        case FieldType::Flag: {
            if (text == "o" || text == "n") return;
            // Only a three-blade propeller uses it.
            const bool used = readNumber(decoded(tokens.at(7).raw)).value == 3;
            problem(used ? Severity::Error : Severity::Warning,
                    inQuotes(text) + " : la variante vaut o ou n, en minuscule.");
            return;
        }
        case FieldType::Number:
        case FieldType::WholeNumber: {
            if (text.empty()) {
                problem(field.quantity == Quantity::Positive ? Severity::Error : Severity::Warning,
                        "le nombre est vide : VENTAKAR le compte comme 0.");
                return;
            }
            const NumberReading reading = readNumber(text);
            if (reading.kind == NumberReading::Kind::None) {
                problem(Severity::Error, inQuotes(text) +
                                             " n'est pas un nombre : VENTAKAR le compte comme 0 ; "
                                             "écrivez un nombre comme 12 ou 1.90.");
                return;
            }
            if (reading.kind == NumberReading::Kind::Leading) {
                problem(Severity::Warning,
                        inQuotes(text) + " n'est pas qu'un nombre : VENTAKAR lit " +
                            number(reading.value) + " ; n'écrivez que le nombre, sans unité.");
            } else if (!isQuoted && text.find(',') == std::string::npos &&
                       !parseDecimalNumber(raw)) {
                // Written without quotes but not in the reader's number syntax: shown as text.
                problem(Severity::Warning, inQuotes(text) + " est lu comme un texte.");
            }
            if (field.type == FieldType::WholeNumber &&
                reading.value != std::floor(reading.value)) {
                problem(Severity::Error, inQuotes(text) + " doit être un nombre entier : écrivez " +
                                             number(std::floor(reading.value)) + " ou " +
                                             number(std::floor(reading.value) + 1) + ".");
            }
            if (field.quantity == Quantity::Positive && !(reading.value > 0)) {
                problem(Severity::Error, inQuotes(text) + " : un maximum est un nombre positif.");
            } else if (field.quantity == Quantity::NotNegative && reading.value < 0) {
                problem(Severity::Warning, inQuotes(text) +
                                               " est négatif : une masse, un prix ou un nombre de "
                                               "batteries ne l'est pas.");
            }
            return;
        }
        case FieldType::Text:
        case FieldType::Unused:
            return;
    }
}

// Each picture is probed once, however many records name it; every record that names a picture
// that fails gets the problem at its own line.
void FileCheck::needPicture(const std::string& name, int line, int record, const char* field) {
    auto it = probed_.find(name);
    std::string reason;
    if (it != probed_.end()) {
        reason = it->second;
    } else {
        reason = probe_(folder_ + "/" + name);
        if (probed_.size() < kProbesRemembered) probed_.emplace(name, reason);
    }
    if (reason.empty()) return;
    add(line, record, field, Severity::Error,
        "l'image " + inQuotes(name) + " : " + reason +
            " ; ajoutez-la au dossier ou corrigez le nom écrit ici.");
}

}  // namespace

int CheckReport::errors() const {
    int more = 0;
    for (const CheckedFile& f : files) more += f.moreErrors;
    return more +
           static_cast<int>(std::count_if(problems.begin(), problems.end(), [](const auto& p) {
               return p.severity == Severity::Error;
           }));
}

int CheckReport::warnings() const {
    int more = 0;
    for (const CheckedFile& f : files) more += f.moreWarnings;
    return more +
           static_cast<int>(std::count_if(problems.begin(), problems.end(), [](const auto& p) {
               return p.severity == Severity::Warning;
           }));
}

std::string probeFileExists(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(systemPath(path), error)) return "l'image est introuvable";
    if (!std::filesystem::is_regular_file(systemPath(path), error))
        return "ce n'est pas un fichier";
    return {};
}

std::vector<CheckProblem> checkFileBytes(const std::string& folder, const FileRule& rule,
                                         const std::string& bytes, const PictureProbe& probe) {
    return checkFileReport(folder, rule, bytes, probe).problems;
}

CheckReport checkFileReport(const std::string& folder, const FileRule& rule,
                            const std::string& bytes, const PictureProbe& probe) {
    CheckReport report;
    report.folder = folder;
    std::map<std::string, std::string> why;
    FileCheck(folder, rule, report, probe, why).runOn(bytes);
    return report;
}

CheckReport checkDataFolder(const std::string& folder, const PictureProbe& probe) {
    CheckReport report;
    report.folder = folder;
    std::map<std::string, std::string> why;
    for (const FileRule& rule : fileRules()) FileCheck(folder, rule, report, probe, why).run();
    auto probed = [&](const std::string& name) -> const std::string& {
        auto it = why.find(name);
        if (it == why.end()) it = why.emplace(name, probe(folder + "/" + name)).first;
        return it->second;
    };
    for (const char* name : fixedPictures()) {
        const std::string& reason = probed(name);
        if (reason.empty()) continue;
        report.problems.push_back(
            {name, 0, 0, "", Severity::Error,
             reason + " : cette image fait partie de la fenêtre de VENTAKAR ; remettez "
                      "celle fournie avec le programme."});
    }
    // Catalogues in the order they are read, then the window's pictures by name.
    std::map<std::string, int> order;
    for (std::size_t i = 0; i < fileRules().size(); ++i) order[fileRules()[i].file] = int(i);
    std::stable_sort(report.problems.begin(), report.problems.end(),
                     [&](const CheckProblem& a, const CheckProblem& b) {
                         const auto rank = [&](const std::string& f) {
                             const auto it = order.find(f);
                             return it == order.end() ? 1000 : it->second;
                         };
                         if (rank(a.file) != rank(b.file)) return rank(a.file) < rank(b.file);
                         if (a.file != b.file) return a.file < b.file;
                         return a.line < b.line;
                     });
    return report;
}

std::vector<std::string> reportLines(const CheckReport& report) {
    std::vector<std::string> lines;
    lines.push_back("Vérification des catalogues du dossier " + inQuotes(report.folder));
    for (const CheckedFile& file : report.files) {
        if (file.encoding.empty()) continue;
        // The reader's count, said so that it agrees with the record numbers of the problems.
        lines.push_back(file.file + " : lu en " + file.encoding + ", " +
                        std::to_string(file.records) + " enregistrement(s)" +
                        (file.readerStopped ? " ; VENTAKAR ne peut pas le lire à cause de l'erreur "
                                              "signalée plus bas."
                                            : "."));
    }
    auto more = [&](const std::string& file) {
        for (const CheckedFile& f : report.files) {
            const long long n = static_cast<long long>(f.moreErrors) + f.moreWarnings;
            if (f.file == file && n > 0)
                lines.push_back("… et " + grouped(n) + " autres problèmes dans " + file + ".");
        }
    };
    for (std::size_t i = 0; i < report.problems.size(); ++i) {
        const CheckProblem& p = report.problems[i];
        std::string line = p.file;
        if (p.line > 0) line += ", ligne " + std::to_string(p.line);
        if (p.record > 0) line += ", enregistrement n° " + std::to_string(p.record);
        if (!p.field.empty()) line += ", champ « " + p.field + " »";
        line += p.severity == Severity::Error ? " : erreur : " : " : avertissement : ";
        lines.push_back(line + p.text);
        if (i + 1 == report.problems.size() || report.problems[i + 1].file != p.file) more(p.file);
    }
    const int errors = report.errors();
    const int warnings = report.warnings();
    if (errors == 0 && warnings == 0) {
        lines.push_back("Aucun problème : les catalogues sont prêts.");
    } else {
        lines.push_back(std::to_string(errors) + " erreur(s), " + std::to_string(warnings) +
                        " avertissement(s)." +
                        (errors ? "" : " VENTAKAR peut démarrer avec ces catalogues."));
    }
    return lines;
}

std::string firstErrorOf(const std::string& folder, const std::string& file) {
    const std::string name = utf8Path(systemPath(file).filename());
    const CheckReport report = checkDataFolder(folder, probeFileExists);
    // What the reader stopped on first (a missing picture of an earlier line did not stop it).
    const CheckProblem* first = nullptr;
    for (const CheckProblem& p : report.problems) {
        if (p.file != name || p.severity != Severity::Error) continue;
        if (p.shiftsFields || p.line == 0) {
            first = &p;
            break;
        }
        if (!first) first = &p;
    }
    if (!first) return {};
    return (first->line > 0 ? "ligne " + std::to_string(first->line) + " : " : std::string()) +
           first->text;
}
