#pragma once

#include <string>

class QImageReader;

// Why a reader could not decode its picture, in our words rather than the toolkit's English.
std::string imageErrorInFrench(const QImageReader& reader);

// The toolkit's English warning on a picture over its memory limit is kept off the terminal: the
// program says it itself, in French, where the picture is used. Other messages go on as before.
void quietImageDecoderWarnings();
