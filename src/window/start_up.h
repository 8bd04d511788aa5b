#pragma once

class DesignRecord;
class Platform;

// The design window's load handler: start window, step pictures, locked fields, start texts,
// hidden sketch, the eleven lists, the battery units and the rules. Throws DataError when a file
// it needs fails.
void loadDesignWindow(DesignRecord& record, Platform& platform);
