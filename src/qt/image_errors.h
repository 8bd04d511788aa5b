#pragma once

#include <string>

class QImageReader;

// Why a reader could not decode its picture, in our words rather than the toolkit's English.
std::string imageErrorInFrench(const QImageReader& reader);
