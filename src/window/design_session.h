#pragma once

#include <string_view>

#include "window/design_record.h"

class Platform;

// The design window's logic: the record and the handlers of every event the window raises.
// The view forwards events here and then mirrors the record.
class DesignSession {
public:
    explicit DesignSession(Platform& platform) : platform_(platform) {}

    DesignRecord& record() { return record_; }
    const DesignRecord& record() const { return record_; }
    Platform& platform() { return platform_; }

    void load();
    void aboutClicked();
    void quitClicked();

private:
    Platform& platform_;
    DesignRecord record_;
};
