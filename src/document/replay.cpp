#include "document/replay.h"

#include "document/design_file.h"
#include "document/design_steps.h"
#include "estimation/encombrement.h"
#include "steps/catalogue_selection.h"
#include "steps/positions.h"
#include "window/design_record.h"

namespace {

// The item's position in the list: by its record index if the text there still matches, else
// the first item with its text; -1 when it is gone.
int findItem(const Control& list, const ListChoice& choice) {
    int byText = -1;
    for (int i = 0; i < static_cast<int>(list.items.size()); ++i) {
        const ListItem& item = list.items[i];
        if (item.text != choice.text) continue;
        if (item.tag == choice.index) return i;
        if (byText < 0) byText = i;
    }
    return byText;
}

// Each choice in the order of the steps, as the window would receive it.
ReplayOutcome replayEach(DesignRecord& record, Platform& platform, const DesignChoices& choices) {
    ReplayOutcome outcome;
    for (const ChoiceSlot& slot : choiceSlots()) {
        switch (slot.kind) {
            case ChoiceKind::List: {
                const auto it = choices.lists.find(slot.control);
                if (it == choices.lists.end()) break;
                const int item = findItem(record[slot.control], it->second);
                if (item < 0) {
                    record[slot.control].choiceMissing = true;
                    outcome.missing.push_back({slot.step, slot.stepTitle, it->second.text});
                    break;
                }
                pickListItem(record, platform, slot.control, item);
                break;
            }
            case ChoiceKind::OptionPair: {
                const auto it = choices.options.find(slot.control);
                if (it != choices.options.end() && !record[it->second].selected)
                    selectOption(record, platform, it->second);
                break;
            }
            case ChoiceKind::CheckBox: {
                const auto it = choices.checks.find(slot.control);
                if (it != choices.checks.end() && record[slot.control].checkValue != it->second)
                    clickCheckBox(record, platform, slot.control, it->second);
                break;
            }
            case ChoiceKind::Clearance:
                if (choices.clearance && record[slot.control].value != *choices.clearance)
                    setClearance(record, platform, *choices.clearance);
                break;
        }
    }
    return outcome;
}

}  // namespace

DeferredEstimation::DeferredEstimation(DesignRecord& record, Platform& platform)
    : record_(record), platform_(platform) {
    record_.deferEstimation = true;
}

DeferredEstimation::~DeferredEstimation() {
    record_.deferEstimation = false;
    record_.estimationPending = false;
}

void DeferredEstimation::finish() {
    record_.deferEstimation = false;
    if (record_.estimationPending) encombrement(record_, platform_);
}

ReplayOutcome replayChoices(DesignRecord& record, Platform& platform,
                            const DesignChoices& choices) {
    DeferredEstimation deferred(record, platform);
    ReplayOutcome outcome = replayEach(record, platform, choices);
    deferred.finish();
    return outcome;
}
