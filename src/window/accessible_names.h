#pragma once

#include <string>
#include <string_view>
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

// A rule in words, the same in the window, the class view and « Comparer les choix » (the limit
// with two decimals for money): « moins de 14,00 € exigé », « plus de 50 mm exigé ».
std::string requirementWords(bool mustBeAbove, double limit, std::string_view unit,
                             std::string_view decimalSeparator);
