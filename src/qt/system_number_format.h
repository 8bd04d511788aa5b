#pragma once

#include <string>

// The decimal separator of the user's number format (QLocale::system()), as UTF-8.
std::string systemDecimalSeparator();
