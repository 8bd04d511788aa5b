#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class DesignRecord;

// The pick of one step list: the item's list text and its catalogue record index when saved.
struct ListChoice {
    std::string text;
    int index = 0;
    bool operator==(const ListChoice&) const = default;
};

// The pupil's choices, which is all a design file holds: no catalogue value.
struct DesignChoices {
    std::map<std::string, ListChoice> lists;     // by list control, for the lists picked
    std::map<std::string, std::string> options;  // by option group: the option selected
    std::map<std::string, int> checks;           // by check box: 0 or 1
    std::optional<int> clearance;
    bool operator==(const DesignChoices&) const = default;
};

// What a copy of the program last read from or wrote to a design file: enough to tell whether
// somebody else changed it since.
struct DiskStamp {
    std::size_t size = 0;
    std::string hash;  // of the whole content
    bool operator==(const DiskStamp&) const = default;
};

DiskStamp stampOf(std::string_view bytes);

// What a recovery file keeps besides the choices: the file the design belonged to, as its copy
// last read or wrote it. Empty document: a design never saved.
struct RecoveryNote {
    std::string document;
    DiskStamp stamp;
};

// Whose design it is: one pupil or a pair, and the class; both may be empty.
struct PupilInfo {
    std::string name;
    std::string className;
    bool empty() const { return name.empty() && className.empty(); }
    bool operator==(const PupilInfo&) const = default;
};

// The longest name or class kept, in characters.
inline constexpr std::size_t kMaxPupilChars = 100;

// Cut to kMaxPupilChars characters (never inside a character), blanks around taken off.
std::string pupilField(std::string_view text);

inline constexpr const char* kDesignFormat = "ventakar-conception";
inline constexpr int kDesignVersion = 1;
inline constexpr std::size_t kMaxDesignBytes = 1024 * 1024;

// The choices a record holds.
DesignChoices choicesOf(const DesignRecord& record);

// The design file's text (JSON, UTF-8), with its pupil when named; a recovery file also carries
// its note, a design handed in the time it was (handedIn, « 2026-12-09T14:05:07 », local time).
std::string writeDesign(const DesignChoices& choices, const RecoveryNote* note = nullptr,
                        const PupilInfo& pupil = {}, const std::string& handedIn = {});

// The bytes of a design file (at most kMaxDesignBytes); throws DataError naming path.
std::string readDesignBytes(const std::string& path);

// Reads a design file (at most kMaxDesignBytes) and its choices; throws DataError naming path.
DesignChoices readDesignFile(const std::string& path);

// Everything a design file holds: the choices, whose it is (empty when it names nobody, or not as
// text) and, for a recovery file, its note (empty when it has none or it cannot be read).
struct DesignDocument {
    DesignChoices choices;
    PupilInfo pupil;
    RecoveryNote recovery;
    std::string handedIn;  // when it was handed in, « 2026-12-09T14:05:07 »; empty if never
};

// Reads a design file's bytes, parsed once; throws DataError naming fileName when they are not a
// design file, come from a newer version, are damaged or are too large.
DesignDocument readDesignDocument(std::string_view bytes, const std::string& fileName);

// Whose design it is, from a file that may not be read as a design (a newer version, say): the
// pupil when the file is JSON naming one, else nobody. Never throws.
PupilInfo readPupilOnly(std::string_view bytes);

// The choices alone, as above.
DesignChoices readDesign(std::string_view bytes, const std::string& fileName);
