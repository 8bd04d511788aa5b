#pragma once

#include <string>
#include <vector>

class DesignRecord;
class Platform;
struct Control;
struct DesignChoices;
struct ListChoice;

// The item's position in the list: by its record index if the text there still matches, else
// the first item with its text; -1 when it is gone.
int findListItem(const Control& list, const ListChoice& choice);

// A list item of the design that its catalogue no longer holds.
struct MissingChoice {
    int step = 0;
    std::string stepTitle;
    std::string item;
};

// The choices a replay could not apply, in step order; none when every choice was applied.
struct ReplayOutcome {
    std::vector<MissingChoice> missing;
    bool complete() const { return missing.empty(); }
};

// Choices set one after another on a record, as a replay sets them, with the estimation made
// once after the last (finish) rather than after each; none when an exception leaves early.
class DeferredEstimation {
  public:
    DeferredEstimation(DesignRecord& record, Platform& platform);
    DeferredEstimation(const DeferredEstimation&) = delete;
    DeferredEstimation& operator=(const DeferredEstimation&) = delete;
    ~DeferredEstimation();
    void finish();

  private:
    DesignRecord& record_;
    Platform& platform_;
};

// Applies the choices to a freshly loaded record in step order, through the handlers a pupil's
// clicks run. A list item found neither at its index with the same text nor by its text costs its
// own step only: that list stays unchosen and marked, and the replay goes on. Throws what the
// handlers throw (DataError on a file that fails).
ReplayOutcome replayChoices(DesignRecord& record, Platform& platform, const DesignChoices& choices);
