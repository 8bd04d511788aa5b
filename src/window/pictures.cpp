#include "window/pictures.h"

#include "window/design_record.h"
#include "window/platform.h"

void showPicture(DesignRecord& record, Platform& platform, std::string_view box, const std::string& path) {
    const PictureSize size = platform.loadPicture(path);
    Control& control = record[box];
    control.pictureFile = path;
    if (control.stretch) return;
    const int border = control.sunkenBorder ? 4 : 0;
    control.geometry.width = (size.width + border) * DesignRecord::kTwipsPerPixel;
    control.geometry.height = (size.height + border) * DesignRecord::kTwipsPerPixel;
}
