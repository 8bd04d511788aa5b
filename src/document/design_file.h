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

inline constexpr const char* kDesignFormat = "ventakar-conception";
inline constexpr int kDesignVersion = 1;
inline constexpr std::size_t kMaxDesignBytes = 1024 * 1024;

// The choices a record holds.
DesignChoices choicesOf(const DesignRecord& record);

// The design file's text (JSON, UTF-8).
std::string writeDesign(const DesignChoices& choices);

// Reads a design file (at most kMaxDesignBytes) and its choices; throws DataError naming path.
DesignChoices readDesignFile(const std::string& path);

// Reads a design file's bytes; throws DataError naming fileName when they are not a design file,
// come from a newer version, are damaged or are too large.
DesignChoices readDesign(std::string_view bytes, const std::string& fileName);
