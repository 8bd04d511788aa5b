#pragma once

#include <string>
#include <string_view>

class DesignRecord;
class Platform;

// Loads a Data picture into a picture or image box; the box takes the picture's size (picture
// boxes keep a 2-pixel sunken border each side), except image boxes that stretch their picture.
void showPicture(DesignRecord& record, Platform& platform, std::string_view box,
                 const std::string& path);
