#include "window/pictures.h"

#include "window/design_record.h"
#include "window/platform.h"
#include "window/twips.h"

void showPicture(DesignRecord& record, Platform& platform, std::string_view box,
                 const std::string& path) {
    const PictureSize size = platform.loadPicture(path);
    Control& control = record[box];
    control.pictureFile = path;
    if (control.stretch) return;
    const int border = control.sunkenBorder ? 4 : 0;
    control.geometry.width = toTwips(size.width + border);
    control.geometry.height = toTwips(size.height + border);
}
