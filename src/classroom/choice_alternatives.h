#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classroom/class_scan.h"

class CatalogueSnapshot;
class DesignRecord;

// One item of a step's list and the design it would give in place of today's choice, every
// other choice kept.
struct ChoiceAlternative {
    int item = 0;  // its place in the list
    std::string designation;
    std::vector<std::string> fields;  // the step's values, as the window would show them
    bool current = false;             // today's choice
    std::string failure;              // why picking it fails, in French; empty when it does not
    DesignRow design;                 // state, criteria, totals, heights, remarks
    // Values the window would show over their maximum (the axis: not above the propeller's radius).
    bool massOver = false, priceOver = false, heightOver = false, axisUnder = false;
    // What each value's cell adds to it, in the words of the rule: « moins de 173 g exigé » when
    // it fails, « à la limite » on a tie, nothing when it complies or is not computed.
    std::string massMark, priceMark, heightMark, axisMark;
};

// Every item of a step's list side by side.
struct ChoiceAlternatives {
    std::string step;                        // « Etape 2 », with its heading
    std::vector<std::string> fieldCaptions;  // the window's captions of the step's values
    std::vector<ChoiceAlternative> rows;     // in the list's order
};

// The lists whose items can be compared: steps 1 to 7, 11, 12 and both lists of 13.
bool offersAlternatives(std::string_view list);

// For each item of list (count items from first; all when count is negative), the design it
// would give: the item picked, through the same handler as the window, on a copy of record and a
// snapshot of the catalogues (snapshot, shared by every batch of one table, or one of its own);
// record is left as it is.
ChoiceAlternatives alternativesOf(const DesignRecord& record, std::string_view list,
                                  const std::string& decimalSeparator, int first = 0,
                                  int count = -1,
                                  std::shared_ptr<const CatalogueSnapshot> snapshot = nullptr);
