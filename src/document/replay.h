#pragma once

#include <string>

class DesignRecord;
class Platform;
struct DesignChoices;

// Where a replay stopped: step 0 when every choice was applied.
struct ReplayOutcome {
    int stoppedAtStep = 0;
    std::string stepTitle;
    std::string missingItem;
    bool complete() const { return stoppedAtStep == 0; }
};

// Applies the choices to a freshly loaded record in step order, through the handlers a pupil's
// clicks run. A list item found neither at its index with the same text nor by its text stops the
// replay there. Throws what the handlers throw (DataError on a file that fails).
ReplayOutcome replayChoices(DesignRecord& record, Platform& platform, const DesignChoices& choices);
