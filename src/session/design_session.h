#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "window/design_record.h"

class Platform;
class Printer;

// The design window's logic: receives every event the window raises and runs it as one
// transaction on the record, all or nothing. The view forwards events here and then mirrors the
// record; it decides nothing itself.
class DesignSession {
  public:
    explicit DesignSession(Platform& platform) : platform_(platform) {}

    DesignRecord& record() { return record_; }
    const DesignRecord& record() const { return record_; }
    Platform& platform() { return platform_; }

    // Start-up; throws DataError (or std::bad_alloc) when the design cannot start.
    void load();

    // The pupil typed into a list: its text changes, nothing is chosen.
    void listTyped(std::string_view list, const std::string& text);
    // The pupil picked the item at this position of a step list.
    void listChosen(std::string_view list, int itemIndex);
    // A click on an option; one that is already selected does nothing.
    void optionSelected(std::string_view option);
    void checkClicked(std::string_view check, int newValue);
    // The clearance scroll bar settled on a new value.
    void clearanceChanged(int value);
    void printClicked(Printer& printer);
    void aboutClicked();
    void quitClicked();

    // Runs change on the record; if anything fails inside it, the record is put back exactly as it
    // was, the pupil is told, and false is returned.
    bool transact(const std::function<void()>& change);

  private:
    Platform& platform_;
    DesignRecord record_;
};
