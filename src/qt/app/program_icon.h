#pragma once

#include <QIcon>

// The program's icon: our drawings at 16, 32, 48 and 256 pixels. Each size is decoded when the
// platform first asks for it, not at start-up (the offscreen and most window managers ask for
// one or two sizes only).
QIcon programIcon();
