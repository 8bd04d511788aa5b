#pragma once

class DesignRecord;
class Platform;

enum class StartWindow { Show, Skip };

// The design window's load handler: start window, step pictures, locked fields, start texts,
// hidden sketch, the eleven lists, the battery units and the rules. Throws DataError when a file
// it needs fails. A new design runs it again on a fresh record, without the start window.
void loadDesignWindow(DesignRecord& record, Platform& platform,
                      StartWindow startWindow = StartWindow::Show);
