#pragma once

#include <QFont>

// The windows were laid out for MS Sans Serif and Arial; on systems without them a face of the
// same width stands in, so that captions fit their controls.
void substituteDesignFonts();
// The design's default text font, MS Sans Serif 8.25 pt or its stand-in.
QFont designFont();
