#pragma once

#include <vector>

#include "window/control.h"

// What a step list shows before any pick.
inline constexpr const char* kListStartText = "Sélection";

// Every control of the design window with its design-time geometry and state, frames before what
// they hold.
std::vector<Control> designLayout();
