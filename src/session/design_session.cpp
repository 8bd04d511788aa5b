#include "session/design_session.h"

#include <exception>
#include <new>
#include <string>
#include <utility>

#include "catalogue/data_error.h"
#include "estimation/encombrement.h"
#include "report/print_report.h"
#include "steps/catalogue_selection.h"
#include "steps/positions.h"
#include "window/platform.h"
#include "window/start_up.h"

namespace {

const char* const kNotApplied = "Le choix n'a pas été appliqué : ";
const char* const kUnchanged = " Votre conception est restée telle qu'elle était avant ce choix.";

}  // namespace

void DesignSession::load() {
    loadDesignWindow(record_, platform_);
}

bool DesignSession::transact(const std::function<void()>& change) {
    std::string reason;
    {
        DesignRecord before = record_;
        try {
            change();
            return true;
        } catch (const DataError& error) {
            reason = error.what();
        } catch (const std::bad_alloc&) {
            reason = "la mémoire de l'ordinateur ne suffit pas.";
        } catch (const std::exception& error) {
            reason = std::string("erreur interne (") + error.what() + ").";
        }
        record_ = std::move(before);
    }
    // The snapshot is gone before the message is built, should memory be what ran out.
    try {
        platform_.showWarning(kNotApplied + reason + kUnchanged);
    } catch (const std::bad_alloc&) {
    }
    return false;
}

void DesignSession::listTyped(std::string_view list, const std::string& text) {
    Control& control = record_[list];
    if (control.kind != ControlKind::List) return;
    control.text = text;
}

void DesignSession::listChosen(std::string_view list, int itemIndex) {
    Control& control = record_[list];
    if (itemIndex < 0 || itemIndex >= static_cast<int>(control.items.size())) return;
    transact([&] {
        Control& chosen = record_[list];
        chosen.text = chosen.items[itemIndex].text;
        chosen.selectionLength = 0;  // the chosen text replaces the selected start text
        chooseListItem(record_, platform_, list, chosen.items[itemIndex].tag);
    });
}

void DesignSession::optionSelected(std::string_view option) {
    const Control& control = record_[option];
    if (control.selected) return;
    transact([&] { selectOption(record_, platform_, option); });
}

void DesignSession::checkClicked(std::string_view check, int newValue) {
    transact([&] { clickCheckBox(record_, platform_, check, newValue); });
}

void DesignSession::clearanceChanged(int value) {
    const Control& bar = record_["VScroll1"];
    if (value < bar.minimum || value > bar.maximum || value == bar.value) return;
    transact([&] {
        record_["VScroll1"].value = value;
        record_.setText("Text79", std::to_string(value));
        encombrement(record_, platform_);
    });
}

void DesignSession::printClicked(Printer& printer) {
    if (!record_["Command1"].enabled) return;
    printReport(record_, printer);
}

void DesignSession::aboutClicked() {
    platform_.showStartWindow();
}

void DesignSession::quitClicked() {
    if (platform_.askYesNo("Voulez vous vraiment quitter ?", "Confirmation"))
        platform_.endProgram();
}
