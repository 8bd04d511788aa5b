#pragma once

#include <vector>

class DesignRecord;
struct Control;

// Names every control a pupil reads or uses by its step and caption (« Etape 1, Diamètre (mm) »),
// once, on the design-time layout.
void nameControls(std::vector<Control>& controls);

// What changes with the design, for those who cannot see it or use no mouse: what each picture
// shows, the state of every coloured value in words, and why Imprimer is disabled. Run after
// every change of the record.
void describeState(DesignRecord& record);
