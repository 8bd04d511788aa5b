#pragma once

class DesignRecord;

// Builds every control of the design window with its design-time geometry and state.
class DesignLayout {
public:
    static void build(DesignRecord& record);
};
