#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "window/design_record.h"

// The undo and redo stacks: each step is the whole record on the other side of one event, the
// action it names and the document state it stands for. Stepping is a move, never half done.
class UndoHistory {
  public:
    struct Step {
        DesignRecord record;
        std::string action;
        int state = 0;
    };

    static constexpr std::size_t kMaxSteps = 200;

    // Makes room for one more step so that push cannot fail; throws std::bad_alloc.
    void prepare();
    // A new event: its record before, once prepare() has succeeded. Clears the redo stack.
    void push(Step before) noexcept;
    // Swaps the current record and state with the last undo (redo) step; false when there is none.
    bool undo(DesignRecord& current, int& state);
    bool redo(DesignRecord& current, int& state);
    void clear() noexcept;

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    const std::string& undoAction() const { return undo_.back().action; }
    const std::string& redoAction() const { return redo_.back().action; }

  private:
    static bool step(std::vector<Step>& from, std::vector<Step>& to, DesignRecord& current,
                     int& state);

    std::vector<Step> undo_;
    std::vector<Step> redo_;
};
