#include "session/design_session.h"

#include <ctime>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"
#include "catalogue/search_key.h"
#include "document/atomic_file.h"
#include "document/design_file.h"
#include "document/design_steps.h"
#include "document/replay.h"
#include "files/file_system.h"
#include "report/print_report.h"
#include "steps/catalogue_selection.h"
#include "steps/positions.h"
#include "window/accessible_names.h"
#include "window/design_layout.h"
#include "window/platform.h"
#include "window/platform_reading_from.h"
#include "window/start_up.h"

namespace {

const char* const kNotApplied = "Le choix n'a pas été appliqué : ";
const char* const kUnchanged = " Votre conception est restée telle qu'elle était avant ce choix.";
const char* const kUnsavedLost =
    "Les modifications non enregistrées de votre conception seront perdues.";

// Runs work; the reason it failed, in French, or nothing when it succeeded.
std::optional<std::string> failureOf(const std::function<void()>& work) {
    try {
        work();
        return std::nullopt;
    } catch (const DataError& error) {
        return std::string(error.what());
    } catch (const std::bad_alloc&) {
        return std::string("la mémoire de l'ordinateur ne suffit pas.");
    } catch (const std::exception& error) {
        return std::string("erreur interne (") + error.what() + ").";
    }
}

std::string actionOf(std::string_view control) {
    const ChoiceSlot* slot = choiceSlotOf(control);
    return slot ? slot->action : std::string();
}

std::string quoted(const std::string& name) {
    return "« " + safeName(name) + " »";
}

// What a partly replayed design lost, and which steps the pupil must choose again.
std::string partialReplayText(const ReplayOutcome& outcome) {
    std::vector<std::string> items;
    std::vector<std::string> steps;
    int lastStep = 0;
    for (const MissingChoice& m : outcome.missing) {
        const std::string step = std::to_string(m.step);
        items.push_back("l'élément " + quoted(m.item) + " de l'étape " + step + " (" + m.stepTitle +
                        ")");
        if (m.step != lastStep) steps.push_back(step + " (" + m.stepTitle + ")");
        lastStep = m.step;
    }
    const bool several = items.size() > 1;
    return frenchList(items) + (several ? " ne figurent" : " ne figure") + " plus dans " +
           (several ? "leur catalogue" : "son catalogue") + ". Les autres choix sont repris ; " +
           (steps.size() > 1 ? "les étapes " + frenchList(steps) + " sont"
                             : "l'étape " + steps.front() + " est") +
           " à choisir de nouveau.";
}

}  // namespace

void DesignSession::load(bool startWindow) {
    loadDesignWindow(record_, platform_, startWindow ? StartWindow::Show : StartWindow::Skip);
    describeState(record_);
}

bool DesignSession::transact(const std::function<void()>& change, std::string_view action) {
    if (together_) {
        // One of several changes made as one: the outer transaction keeps or undoes it.
        if (!action.empty()) together_->emplace_back(action);
        change();
        return true;
    }
    return transactNamed(change, [action] { return std::string(action); });
}

bool DesignSession::transactNamed(const std::function<void()>& change,
                                  const std::function<std::string()>& action) {
    std::optional<std::string> reason;
    {
        DesignRecord before = record_;
        reason = failureOf([&] {
            history_.prepare();
            change();
            describeState(record_);
            if (record_ == before) return;
            std::string name = action();
            history_.push({std::move(before), std::move(name), state_});
            state_ = nextState_++;
        });
        if (!reason) {
            syncRecovery();
            return true;
        }
        record_ = std::move(before);
    }
    // The snapshot is gone before the message is built, should memory be what ran out.
    try {
        platform_.showWarning(kNotApplied + *reason + kUnchanged);
    } catch (const std::bad_alloc&) {
    }
    return false;
}

bool DesignSession::together(const std::function<void()>& changes) {
    std::vector<std::string> actions;
    return transactNamed(
        [&] {
            together_ = &actions;
            try {
                changes();
            } catch (...) {
                together_ = nullptr;
                throw;
            }
            together_ = nullptr;
        },
        [&] { return frenchList(actions); });
}

void DesignSession::listTyped(std::string_view list, const std::string& text) {
    Control& control = record_[list];
    if (control.kind != ControlKind::List) return;
    // A text naming an item exactly, case and accents aside, picks it as a click would; any
    // other text is only typed, and gives way to the chosen item when the pupil leaves the list.
    const std::string key = searchKey(text);
    for (size_t i = 0; i < control.items.size(); ++i) {
        if (searchKey(control.items[i].text) != key) continue;
        if (static_cast<int>(i) == control.chosenItem && !control.choiceMissing) break;
        listLeft(list);  // the undo step starts from the design, not from half a word
        listChosen(list, static_cast<int>(i));
        return;
    }
    control.text = text;
    control.selectionLength = 0;  // the typing replaced the start text's selection
}

void DesignSession::listLeft(std::string_view list) {
    Control& control = record_[list];
    if (control.kind != ControlKind::List) return;
    const bool chosen =
        control.chosenItem >= 0 && control.chosenItem < static_cast<int>(control.items.size());
    control.text = chosen ? control.items[control.chosenItem].text : kListStartText;
    control.selectionLength = 0;
}

void DesignSession::listChosen(std::string_view list, int itemIndex, const RecordSource* records) {
    Control& control = record_[list];
    if (itemIndex < 0 || itemIndex >= static_cast<int>(control.items.size())) return;
    transact(
        [&] {
            if (!records) return pickListItem(record_, platform_, list, itemIndex);
            PlatformReadingFrom reading(platform_, *records);
            pickListItem(record_, reading, list, itemIndex);
        },
        actionOf(list));
}

void DesignSession::optionSelected(std::string_view option) {
    const Control& control = record_[option];
    if (control.selected) return;
    transact([&] { selectOption(record_, platform_, option); }, actionOf(option));
}

void DesignSession::checkClicked(std::string_view check, int newValue) {
    transact([&] { clickCheckBox(record_, platform_, check, newValue); }, actionOf(check));
}

void DesignSession::clearanceChanged(int value) {
    const Control& bar = record_["VScroll1"];
    if (value < bar.minimum || value > bar.maximum || value == bar.value) return;
    transact([&] { setClearance(record_, platform_, value); }, actionOf("VScroll1"));
}

void DesignSession::printClicked(Printer& printer) {
    if (!record_["Command1"].enabled) {
        // Ctrl+P on a design that cannot print: why, rather than nothing.
        if (!record_["Command1"].toolTip.empty())
            platform_.showWarning(record_["Command1"].toolTip);
        return;
    }
    const std::tm today = localCalendar(std::time(nullptr));
    printReport(record_, printer,
                {pupil_.name, pupil_.className, frenchDate(today), platform_.decimalSeparator()});
}

void DesignSession::aboutClicked() {
    platform_.showStartWindow();
}

void DesignSession::quitClicked(const std::function<bool()>& save) {
    const char* const question = "Voulez vous vraiment quitter ?";
    if (!isModified()) {
        if (platform_.askYesNo(question, "Confirmation", "")) platform_.endProgram();
        return;
    }
    // Return alone never throws the work away: it saves first, or keeps the program open.
    enum { Yes, No, SaveAndQuit };
    if (!save) {
        if (platform_.askChoice(question, "Confirmation", kUnsavedLost, {"Oui", "Non"}, No, No) ==
            Yes)
            platform_.endProgram();
        return;
    }
    switch (platform_.askChoice(question, "Confirmation", kUnsavedLost,
                                {"Oui", "Non", "Enregistrer et quitter"}, SaveAndQuit, No)) {
        case Yes:
            platform_.endProgram();
            break;
        case SaveAndQuit:
            if (save()) platform_.endProgram();
            break;
        default:
            break;
    }
}

void DesignSession::startOver(DesignRecord fresh) noexcept {
    record_ = std::move(fresh);
    history_.clear();
    state_ = nextState_++;
}

bool DesignSession::newDesign() {
    DesignRecord fresh;
    const auto reason = failureOf([&] {
        loadDesignWindow(fresh, platform_, StartWindow::Skip);
        describeState(fresh);
    });
    if (reason) {
        platform_.showWarning("La nouvelle conception n'a pas pu commencer : " + *reason +
                              " Votre conception est restée telle qu'elle était.");
        return false;
    }
    startOver(std::move(fresh));
    pupil_ = {};
    markSaved({});  // nothing to lose yet, and no file of its own
    return true;
}

bool DesignSession::reloadCatalogues() {
    const DesignChoices choices = choicesOf(record_);
    DesignRecord fresh;
    ReplayOutcome outcome;
    const auto reason = failureOf([&] {
        loadDesignWindow(fresh, platform_, StartWindow::Skip);
        outcome = replayChoices(fresh, platform_, choices);
        describeState(fresh);
    });
    if (reason) {
        platform_.showWarning("Les catalogues enregistrés n'ont pas pu être relus : " + *reason +
                              " La conception affichée n'a pas changé.");
        return false;
    }
    // The items still chosen whose values the catalogue changed.
    std::vector<std::string> changed;
    for (const ChoiceSlot& slot : choiceSlots()) {
        if (slot.kind != ChoiceKind::List || !hasChoice(record_[slot.control]) ||
            !hasChoice(fresh[slot.control]))
            continue;
        for (const char* field : fieldsOfList(slot.control)) {
            if (record_.text(field) == fresh.text(field)) continue;
            changed.push_back("l'élément " + quoted(fresh.text(slot.control)) + " de l'étape " +
                              std::to_string(slot.step) + " (" + slot.stepTitle + ")");
            break;
        }
    }
    const bool modified = isModified();
    const std::string path = documentPath_;
    const std::optional<DiskStamp> stamp = diskStamp_;
    startOver(std::move(fresh));
    // What the pupil had not saved stays unsaved; a design that lost a step is no longer what
    // its file holds, and is saved under another name, as a design reopened in part.
    savedState_ = modified ? -1 : state_;
    if (outcome.complete()) {
        documentPath_ = path;
        diskStamp_ = stamp;
    } else {
        documentPath_.clear();
        diskStamp_.reset();
    }
    syncRecovery();
    std::vector<std::string> told;
    if (!changed.empty()) {
        told.push_back(frenchList(changed) + (changed.size() > 1 ? " ont changé" : " a changé") +
                       " ; la conception en tient compte.");
    }
    if (!outcome.complete()) told.push_back(partialReplayText(outcome));
    if (!told.empty()) {
        std::string text = "Les catalogues ont été enregistrés et relus : ";
        for (const std::string& t : told) text += (text.back() == ' ' ? "" : " ") + t;
        platform_.showWarning(text);
    }
    return true;
}

OpenResult DesignSession::openDesign(std::string_view bytes, const std::string& fileName,
                                     bool recovery) {
    return openChoices([&] { return readDesignDocument(bytes, fileName); }, fileName, recovery);
}

OpenResult DesignSession::openChoices(const std::function<DesignDocument()>& read,
                                      const std::string& fileName, bool recovery) {
    DesignDocument document;
    try {
        document = read();
    } catch (const DataError& error) {
        lastRefusal_ = error.reason();
        if (!recovery) {
            platform_.showWarning("La conception n'a pas été ouverte. " +
                                  std::string(error.what()) +
                                  " La conception affichée n'a pas changé.");
        }
        return OpenResult::Refused;
    } catch (const std::bad_alloc&) {
        platform_.showWarning(
            "La conception n'a pas été ouverte : la mémoire de l'ordinateur ne "
            "suffit pas. La conception affichée n'a pas changé.");
        return OpenResult::Failed;
    }
    DesignRecord fresh;
    ReplayOutcome outcome;
    const auto reason = failureOf([&] {
        loadDesignWindow(fresh, platform_, StartWindow::Skip);
        outcome = replayChoices(fresh, platform_, document.choices);
        describeState(fresh);
    });
    if (reason) {
        platform_.showWarning("La conception " + quoted(fileName) + " n'a pas été ouverte : " +
                              *reason + " La conception affichée n'a pas changé.");
        return OpenResult::Failed;
    }
    startOver(std::move(fresh));
    pupil_ = document.pupil;
    if (outcome.complete() && !recovery) {
        markSaved(fileName);
        return OpenResult::Opened;
    }
    // A design that is not the file's whole content must not be saved over it unawares: it has
    // no file of its own. Taken back in part, it is still what the file holds, which nobody
    // changed; a recovered design is what no file holds yet. A recovered design still belongs
    // to its file, which is checked for changes before a save.
    savedState_ = recovery ? -1 : state_;
    savedPupil_ = pupil_;
    documentPath_.clear();
    diskStamp_.reset();
    const RecoveryNote& note = document.recovery;
    if (recovery && outcome.complete() && !note.document.empty()) {
        documentPath_ = note.document;
        diskStamp_ = note.stamp;
    }
    syncRecovery();
    if (outcome.complete()) return OpenResult::Opened;
    platform_.showWarning("La conception " + quoted(fileName) +
                          " n'a été reprise qu'en partie : " + partialReplayText(outcome));
    return OpenResult::OpenedPartly;
}

std::string DesignSession::designText() const {
    return writeDesign(choicesOf(record_), nullptr, pupil_);
}

void DesignSession::setPupil(const PupilInfo& pupil) {
    const PupilInfo kept{pupilField(pupil.name), pupilField(pupil.className)};
    if (kept == pupil_) return;
    pupil_ = kept;
    syncRecovery();
}

bool DesignSession::changedOnDisk(const std::string& path) const {
    if (path != documentPath_ || !diskStamp_) return false;
    try {
        return stampOf(readDesignBytes(path)) != *diskStamp_;
    } catch (const DataError&) {
        // Gone or unreadable: nothing there to lose by writing it (a failure is told then).
        return false;
    }
}

SaveOutcome DesignSession::saveOver(const std::string& path) {
    if (changedOnDisk(path)) {
        enum { Replace, SaveAs, Cancel };
        const std::string name = utf8Path(systemPath(path).filename());
        switch (platform_.askChoice(
            "Le fichier " + quoted(name) + " a été modifié par ailleurs depuis son ouverture.",
            "VENTAKAR",
            "Remplacer l'écrase avec votre conception ; Enregistrer sous… la garde dans un "
            "autre fichier.",
            {"Remplacer", "Enregistrer sous…", "Annuler"}, Cancel, Cancel)) {
            case Replace:
                break;
            case SaveAs:
                return SaveOutcome::SaveElsewhere;
            default:
                return SaveOutcome::Cancelled;
        }
    }
    return saveDesign(path) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void DesignSession::markSaved(const std::string& path) {
    if (path != documentPath_) diskStamp_.reset();
    documentPath_ = path;
    savedState_ = state_;
    savedPupil_ = pupil_;
    syncRecovery();
}

OpenResult DesignSession::openDesignFile(const std::string& path, bool recovery) {
    std::string bytes;
    const OpenResult result = openChoices(
        [&] {
            bytes = readDesignBytes(path);
            return readDesignDocument(bytes, path);
        },
        path, recovery);
    if (result == OpenResult::Opened && !recovery) diskStamp_ = stampOf(bytes);
    return result;
}

bool DesignSession::saveDesign(const std::string& path) {
    std::string text;
    const auto reason = failureOf([&] {
        text = designText();
        writeFileAtomically(path, text);
    });
    if (reason) {
        platform_.showWarning("La conception n'a pas été enregistrée. " + *reason +
                              " Si un fichier portait déjà ce nom, il est resté intact.");
        return false;
    }
    markSaved(path);
    diskStamp_ = stampOf(text);
    return true;
}

void DesignSession::discardRecovery() {
    if (!recoveryFile_.empty()) removeFile(recoveryFile_);
}

void DesignSession::syncRecovery() {
    if (recoveryFile_.empty()) return;
    if (!isModified()) {
        removeFile(recoveryFile_);
        return;
    }
    const auto reason = failureOf([&] {
        const RecoveryNote note{documentPath_, diskStamp_.value_or(DiskStamp{})};
        writeFileAtomically(recoveryFile_, writeDesign(choicesOf(record_), &note, pupil_));
    });
    if (reason && !recoveryFailureTold_) {
        recoveryFailureTold_ = true;
        platform_.showWarning(
            "La copie de secours de votre conception ne peut pas être écrite : " + *reason +
            " Votre conception reste à l'écran ; enregistrez-la avec Fichier → "
            "Enregistrer.");
    }
}

std::string DesignSession::undoText() const {
    if (!canUndo() || history_.undoAction().empty()) return "Annuler";
    return "Annuler " + history_.undoAction();
}

std::string DesignSession::redoText() const {
    if (!canRedo() || history_.redoAction().empty()) return "Rétablir";
    return "Rétablir " + history_.redoAction();
}

bool DesignSession::undo() {
    return stepHistory([&] { return history_.undo(record_, state_); }, "L'annulation");
}

bool DesignSession::redo() {
    return stepHistory([&] { return history_.redo(record_, state_); }, "Le rétablissement");
}

bool DesignSession::stepHistory(const std::function<bool()>& step, const char* what) {
    bool stepped = false;
    const auto reason = failureOf([&] { stepped = step(); });
    if (reason) {
        platform_.showWarning(std::string(what) + " n'a pas pu se faire : " + *reason +
                              " Votre conception est restée telle qu'elle était.");
    }
    if (stepped) syncRecovery();
    return stepped;
}
