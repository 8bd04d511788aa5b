#pragma once

#include <vector>

#include "window/control.h"

// Every control of the design window with its design-time geometry and state, frames before what
// they hold.
std::vector<Control> designLayout();
