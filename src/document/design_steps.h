#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a pupil's choice acts on.
enum class ChoiceKind { List, OptionPair, CheckBox, Clearance };

// One choice the pupil makes, in step order: the control it sets, its key in the design file and
// what « Annuler » names.
struct ChoiceSlot {
    int step = 0;
    const char* stepTitle = nullptr;  // the step's heading
    ChoiceKind kind = ChoiceKind::List;
    const char* control = nullptr;  // list, check box or scroll bar; the group of an option pair
    const char* key = nullptr;      // name in the design file
    const char* first = nullptr;    // option pairs: the two options and their file values
    const char* firstValue = nullptr;
    const char* second = nullptr;
    const char* secondValue = nullptr;
    const char* action = nullptr;  // « Annuler le choix de l'hélice »
};

// Every choice of the design, in the order a reopened design replays them.
const std::vector<ChoiceSlot>& choiceSlots();

// The choice a control belongs to (a list, a check box, the scroll bar, or one of an option pair),
// or nullptr.
const ChoiceSlot* choiceSlotOf(std::string_view control);

// Steps, items or anything named in a sentence: « a », « a et b », « a, b et c ».
std::string frenchList(const std::vector<std::string>& parts);
