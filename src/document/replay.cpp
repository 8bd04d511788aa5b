#include "document/replay.h"

#include "document/design_file.h"
#include "document/design_steps.h"
#include "estimation/encombrement.h"
#include "steps/catalogue_selection.h"
#include "steps/positions.h"
#include "window/design_record.h"

namespace {

// Each choice in the order of the steps, as the window would receive it.
ReplayOutcome replayEach(DesignRecord& record, Platform& platform, const DesignChoices& choices) {
    ReplayOutcome outcome;
    for (const ChoiceSlot& slot : choiceSlots()) {
        switch (slot.kind) {
            case ChoiceKind::List: {
                const auto it = choices.lists.find(slot.control);
                if (it == choices.lists.end()) break;
                const int item = findListItem(record[slot.control], it->second);
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

int findListItem(const Control& list, const ListChoice& choice) {
    // A list filled from its whole catalogue holds each record at its index: found at once.
    // A tag names one record, so no earlier item can match both.
    if (choice.index >= 0 && choice.index < static_cast<int>(list.items.size())) {
        const ListItem& item = list.items[choice.index];
        if (item.tag == choice.index && item.text == choice.text) return choice.index;
    }
    int byText = -1;
    for (int i = 0; i < static_cast<int>(list.items.size()); ++i) {
        const ListItem& item = list.items[i];
        if (item.text != choice.text) continue;
        if (item.tag == choice.index) return i;
        if (byText < 0) byText = i;
    }
    return byText;
}

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
