#pragma once

#include <string_view>

#include "window/design_record.h"

class Platform;
class Printer;

// The design window's logic: the record and the handlers of every event the window raises.
// The view forwards events here and then mirrors the record.
class DesignSession {
public:
    explicit DesignSession(Platform& platform) : platform_(platform) {}

    DesignRecord& record() { return record_; }
    const DesignRecord& record() const { return record_; }
    Platform& platform() { return platform_; }

    void load();
    // The user picked the item at this position of a step list.
    void listChosen(std::string_view list, int itemIndex);
    void optionSelected(std::string_view option);
    void checkClicked(std::string_view check, int newValue);
    // The clearance scroll bar settled on a new value.
    void clearanceChanged(int value);
    void printClicked(Printer& printer);
    void aboutClicked();
    void quitClicked();

private:
    Platform& platform_;
    DesignRecord record_;
};
