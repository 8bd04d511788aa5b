#include "window/design_session.h"

#include <string>

#include "estimation/encombrement.h"
#include "report/print_report.h"
#include "steps/catalogue_selection.h"
#include "steps/positions.h"
#include "window/platform.h"
#include "window/start_up.h"

void DesignSession::load() { loadDesignWindow(record_, platform_); }

void DesignSession::listChosen(std::string_view list, int itemIndex) {
    Control& control = record_[list];
    if (itemIndex < 0 || itemIndex >= static_cast<int>(control.items.size())) return;
    control.text = control.items[itemIndex].text;
    control.selectionLength = 0;  // the chosen text replaces the selected start text
    chooseListItem(record_, platform_, list, control.items[itemIndex].tag);
}

void DesignSession::optionSelected(std::string_view option) { selectOption(record_, platform_, option); }

void DesignSession::checkClicked(std::string_view check, int newValue) {
    clickCheckBox(record_, platform_, check, newValue);
}

void DesignSession::clearanceChanged(int value) {
    Control& bar = record_["VScroll1"];
    if (value < bar.minimum || value > bar.maximum || value == bar.value) return;
    bar.value = value;
    record_.setText("Text79", std::to_string(value));
    encombrement(record_, platform_);
}

void DesignSession::printClicked(Printer& printer) { printReport(record_, printer); }

void DesignSession::aboutClicked() { platform_.showStartWindow(); }

void DesignSession::quitClicked() {
    if (platform_.askYesNo("Voulez vous vraiment quitter ?", "Confirmation")) platform_.endProgram();
}
