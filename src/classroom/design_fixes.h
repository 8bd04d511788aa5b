#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "classroom/class_scan.h"
#include "document/design_file.h"
#include "document/design_steps.h"

class DesignRecord;

// « Que changer ? »: the changes of one step (or, when none is enough, of two) that make a design
// conform, cheapest first, each replayed as a reopened design would be.

// One choice made otherwise: an item of a list, the other option of a pair, a box ticked or not,
// another clearance.
struct StepChange {
    int step = 0;
    std::string stepTitle;  // « Roues avant »
    ChoiceKind kind = ChoiceKind::List;
    std::string group;  // the choice's control in the design file: the list, an option pair's group
    std::string control;  // the list, the option to select, the check box or the scroll bar
    int item = -1;        // a list's item (its place in the list)
    ListChoice choice;    // and the item itself, found again after another change
    int value = 0;        // a check box's value or the clearance
    std::string what;     // « Roues avant : R60 → R45 »
};

// A change (or two) and the design it gives.
struct DesignFix {
    std::vector<StepChange> changes;
    DesignChoices choices;  // the design's choices once changed
    DesignRow design;       // its state, totals, heights
    double priceDifference = 0, massDifference = 0;
    std::string mends;      // the criteria it mends, « Masse ; Axe de l'hélice »
    std::size_t order = 0;  // its place in the search: equal fixes keep the steps' order
};

struct FixSearch {
    bool conformsAlready = false;
    std::vector<DesignFix> fixes;  // conforming designs, cheapest then lightest first
    bool pairs = false;            // no single change was enough: these are pairs
    bool stoppedEarly = false;     // the pairs' search ran out of time before the end
    std::string beyondReach;       // nothing in reach: which criterion no choice meets, why
};

// The order of the fixes: the cheapest first, then the lightest, then the fewer changes, then the
// search's own order.
bool cheaperFix(const DesignFix& a, const DesignFix& b);

// Every change of one step the design's window would allow (lists as they stand).
std::vector<StepChange> stepChanges(const DesignRecord& record);

// The search on record's design: every single change, then, when none conforms, the pairs, for at
// most pairSeconds (none when it is 0); scanner replays them (one snapshot of the catalogues), on
// every core unless oneThread. found, when given, receives each conforming fix as it is found
// (the first rows at once).
FixSearch whatToChange(const DesignRecord& record, DesignScanner& scanner,
                       const std::string& decimalSeparator, double pairSeconds = 2.0,
                       const std::function<void(const DesignFix&)>& found = {},
                       bool oneThread = false);

// « Il suffirait de : Roues avant : R60 → R45 (prix 12,30 €) », or nothing.
std::string cheapestFixText(const FixSearch& search, const std::string& decimalSeparator);

// For the teacher, a row that does not conform (« Non conforme », « Sans verdict »): its cheapest
// single change in fix and commaTexts.fix (« Roues avant : R60 → R45 (prix 12,30 €, masse 98 g) »)
// or why none is enough; the design file read again and replayed by scanner. Other rows: nothing.
void findCheapestFix(DesignRow& row, DesignScanner& scanner, const std::string& decimalSeparator,
                     bool oneThread = true);
// The same for every row not searched yet, the designs of the same choices once, the rows shared
// out over every core; goOn, when given, is asked between designs (false stops).
void findCheapestFixes(std::vector<DesignRow>& rows, const std::string& decimalSeparator,
                       const std::function<bool()>& goOn = {});

struct TeacherTable;

// The rows of a search as a table (step, change, mass, price, height, axis, differences, criteria
// mended), with what the search says after them; numbers with decimalSeparator for the texts.
TeacherTable fixesTable(const FixSearch& search);

// The search's last words: a pair's search stopped early, nothing in reach.
std::vector<std::string> fixNotes(const FixSearch& search);
