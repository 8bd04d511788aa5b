#pragma once

#include <string>
#include <vector>

// One line of two designs side by side: a step's choice, a value, the verdict or the remarks.
struct ComparedLine {
    std::string label;
    std::string first;
    std::string second;
    bool differs() const { return first != second; }
};

// Two design files replayed on the catalogues of Data/ as the window would: one line a choice
// in step order, then the totals, heights, state, criteria not met and remarks. A file that
// cannot be read shows its reason on the state's line.
std::vector<ComparedLine> compareDesigns(const std::string& first, const std::string& second,
                                         const std::string& decimalSeparator);
