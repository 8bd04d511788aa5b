#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/design_file.h"
#include "document/undo_history.h"
#include "window/design_record.h"

class Platform;
class RecordSource;
class Printer;

// How opening a design file ended.
enum class OpenResult {
    Opened,        // every choice replayed
    OpenedPartly,  // items gone from their catalogues left their steps unchosen; the pupil was told
    Refused,       // not a design file, newer, damaged or too large; nothing changed
    Failed,        // a data file failed during the replay; nothing changed, the pupil was told
};

// How a save asked by the pupil ended.
enum class SaveOutcome {
    Saved,
    Failed,         // the pupil was told; any previous file intact
    Cancelled,      // the file had changed on disk and the pupil chose not to replace it
    SaveElsewhere,  // ... and chose « Enregistrer sous… »
};

// The design window's logic: receives every event the window raises and runs it as one
// transaction on the record, all or nothing, each a step of the undo history. It also owns the
// document state: the file the design belongs to and whether it has unsaved changes. The view
// forwards events here and then mirrors the record; it decides nothing itself.
class DesignSession {
  public:
    explicit DesignSession(Platform& platform) : platform_(platform) {}

    DesignRecord& record() { return record_; }
    const DesignRecord& record() const { return record_; }
    Platform& platform() { return platform_; }

    // Start-up; throws DataError (or std::bad_alloc) when the design cannot start.
    // The design window's load handler; the start window first unless told otherwise.
    void load(bool startWindow = true);

    // The pupil typed into a list: its text changes, nothing is chosen.
    void listTyped(std::string_view list, const std::string& text);
    // The pupil left a list: typed text that picked nothing gives way to the chosen item again.
    void listLeft(std::string_view list);
    // The pupil picked the item at this position of a step list; its record read from records
    // when given (the reading a comparison table was computed on), from the files otherwise.
    void listChosen(std::string_view list, int itemIndex, const RecordSource* records = nullptr);
    // A click on an option; one that is already selected does nothing.
    void optionSelected(std::string_view option);
    void checkClicked(std::string_view check, int newValue);
    // The clearance scroll bar settled on a new value.
    void clearanceChanged(int value);
    void printClicked(Printer& printer);
    void aboutClicked();
    // The quit question; with unsaved changes and a way to save, it also offers to save first.
    void quitClicked(const std::function<bool()>& save = {});

    // The window back to its start-up state, catalogues read again, no start window; false (and
    // the design untouched) when a data file fails.
    bool newDesign();
    // The catalogues were saved by the editor: read again, and the design's choices replayed on
    // them. An item gone leaves its step unchosen and an item changed is told, as for a design
    // reopened on changed catalogues; the design keeps its file, its pupil and whether it has
    // unsaved changes (the undo history starts again: its steps hold the old catalogues). False,
    // the design untouched and the pupil told, when a data file fails.
    bool reloadCatalogues();
    // Replays a design file's choices on a fresh start-up record. A recovery opens the design as
    // unsaved and leaves the message of a refused file to the caller (see lastRefusal()).
    OpenResult openDesign(std::string_view bytes, const std::string& fileName,
                          bool recovery = false);
    // Reads a design file (at most 1 Mio) and opens it as above.
    OpenResult openDesignFile(const std::string& path, bool recovery = false);
    // Writes the design file whole to path; false, with the pupil told and any previous file
    // intact, when it cannot be written.
    bool saveDesign(const std::string& path);
    // Saves as above, but first asks when the design's own file changed on disk since this copy
    // last read or wrote it.
    SaveOutcome saveOver(const std::string& path);
    // True when path is the design's file and its content is no longer what this copy last read
    // or wrote there.
    bool changedOnDisk(const std::string& path) const;
    // Where the choices are kept after every change, for a restart after a crash; empty: nowhere.
    void setRecoveryFile(std::string path) { recoveryFile_ = std::move(path); }
    const std::string& recoveryFile() const { return recoveryFile_; }
    // The recovery file removed (the program ends normally).
    void discardRecovery();
    // Why the last file was refused.
    const std::string& lastRefusal() const { return lastRefusal_; }
    // The design file's text for the current choices.
    std::string designText() const;
    // The design was written whole to this file.
    void markSaved(const std::string& path);
    const std::string& documentPath() const { return documentPath_; }
    bool isModified() const { return state_ != savedState_ || pupil_ != savedPupil_; }
    // Whose design it is; a change marks the design unsaved (it is no step of the undo history).
    const PupilInfo& pupil() const { return pupil_; }
    void setPupil(const PupilInfo& pupil);
    // Changes with every change of the design, undo and redo included.
    int state() const { return state_; }

    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // « Annuler le choix de l'hélice », or « Annuler » when there is nothing to undo.
    std::string undoText() const;
    std::string redoText() const;
    bool undo();
    bool redo();

    // Runs change on the record; if anything fails inside it, the record is put back exactly as it
    // was, the pupil is told, and false is returned. A change that alters the record becomes one
    // undo step named by action.
    bool transact(const std::function<void()>& change, std::string_view action = {});
    // Runs the handlers called in changes as one change: all or nothing, one undo step named by
    // their actions (« le choix de la roue avant et la position des roues avant »).
    bool together(const std::function<void()>& changes);

  private:
    void startOver(DesignRecord fresh) noexcept;
    // transact, its undo step named once the change is made.
    bool transactNamed(const std::function<void()>& change,
                       const std::function<std::string()>& action);
    OpenResult openChoices(const std::function<DesignDocument()>& read, const std::string& fileName,
                           bool recovery);
    bool stepHistory(const std::function<bool()>& step, const char* what);
    // After every change: the choices to the recovery file while unsaved, no file otherwise.
    void syncRecovery();

    Platform& platform_;
    DesignRecord record_;
    UndoHistory history_;
    std::string documentPath_;
    std::optional<DiskStamp> diskStamp_;  // of documentPath_, as last read or written
    PupilInfo pupil_;
    PupilInfo savedPupil_;
    std::string lastRefusal_;
    std::string recoveryFile_;
    bool recoveryFailureTold_ = false;
    int state_ = 0;
    int savedState_ = 0;
    // Inside together(): the actions of the handlers it runs, which are no transactions of their
    // own.
    std::vector<std::string>* together_ = nullptr;
    int nextState_ = 1;
};
