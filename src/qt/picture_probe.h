#pragma once

#include <string>

// Why the picture at path cannot be shown: missing, not a file, or not decodable (in French);
// empty when it can be.
std::string probePicture(const std::string& path);
