#include "steps/positions.h"

#include <string>
#include <vector>

#include "estimation/encombrement.h"
#include "steps/chassis.h"
#include "window/design_record.h"
#include "window/pictures.h"
#include "window/platform.h"

namespace {

// One option handler: its actions in order, those that do not apply left empty.
struct OptionHandler {
    const char* option = nullptr;
    const char* other = nullptr;
    bool setsRearPositionChosen = false;
    const char* previewToHide = nullptr;
    const char* stepPicture = nullptr;
    const char* pictureFile = nullptr;
    std::vector<const char*> enable = {};
    std::vector<const char*> show = {};
    std::vector<const char*> hide = {};
    const char* wheelDiameter = nullptr;  // copied to Text76, with the axle diameter to Text82
    const char* axleDiameter = nullptr;
    bool runsChassis = false;
};

const std::vector<OptionHandler>& handlers() {
    static const std::vector<OptionHandler> table = {
        {.option = "Option1",
         .other = "Option2",
         .previewToHide = "Picture19",
         .stepPicture = "Picture8",
         .pictureFile = "Data/Montage1mini.jpg",
         .enable = {"Option3", "Option4"},
         .show = {"Image7"},
         .hide = {"Image8"},
         .runsChassis = true},
        {.option = "Option2",
         .other = "Option1",
         .previewToHide = "Picture19",
         .stepPicture = "Picture8",
         .pictureFile = "Data/Montage2mini.jpg",
         .enable = {"Option3", "Option4"},
         .show = {"Image8"},
         .hide = {"Image7"},
         .runsChassis = true},
        {.option = "Option3",
         .other = "Option4",
         .setsRearPositionChosen = true,
         .previewToHide = "Picture20",
         .stepPicture = "Picture12",
         .pictureFile = "Data/Montage1mini.jpg",
         .enable = {"Option5", "Option6"},
         .show = {"Image9"},
         .hide = {"Image10"},
         .runsChassis = true},
        {.option = "Option4",
         .other = "Option3",
         .setsRearPositionChosen = true,
         .previewToHide = "Picture20",
         .stepPicture = "Picture12",
         .pictureFile = "Data/Montage2mini.jpg",
         .enable = {"Option5", "Option6"},
         .show = {"Image10"},
         .hide = {"Image9"},
         .runsChassis = true},
        {.option = "Option5",
         .other = "Option6",
         .stepPicture = "Picture15",
         .pictureFile = "Data/Helice.jpg",
         .enable = {"Combo8"},
         .show = {"Image4"},
         .hide = {"Image5"},
         .wheelDiameter = "Text37",
         .axleDiameter = "Text39"},
        {.option = "Option6",
         .other = "Option5",
         .stepPicture = "Picture15",
         .pictureFile = "Data/Helice.jpg",
         .enable = {"Combo8"},
         .show = {"Image5"},
         .hide = {"Image4"},
         .wheelDiameter = "Text44",
         .axleDiameter = "Text46"},
        {.option = "Option7", .other = "Option8"},
        {.option = "Option8", .other = "Option7"},
    };
    return table;
}

void showDrawings(DesignRecord& record, const OptionHandler& h) {
    for (const char* name : h.show) record[name].visible = true;
    for (const char* name : h.hide) record[name].visible = false;
}

}  // namespace

void selectOption(DesignRecord& record, Platform& platform, std::string_view option) {
    for (const OptionHandler& h : handlers()) {
        if (option != h.option) continue;
        record[h.option].selected = true;
        record[h.other].selected = false;
        if (h.setsRearPositionChosen) record.setText("Text30", "1");
        if (h.previewToHide) record[h.previewToHide].visible = false;
        // The propeller options show their drawings before the step picture, the others after it;
        // the order counts when the picture cannot be loaded.
        const bool drawingsFirst = h.wheelDiameter != nullptr;
        if (drawingsFirst) showDrawings(record, h);
        if (h.stepPicture) showPicture(record, platform, h.stepPicture, h.pictureFile);
        for (const char* next : h.enable) record[next].enabled = true;
        if (!drawingsFirst) showDrawings(record, h);
        if (h.wheelDiameter) {
            record.setText("Text76", record.text(h.wheelDiameter));
            record.setText("Text82", record.text(h.axleDiameter));
        }
        if (h.runsChassis) chassis(record, platform);
        encombrement(record, platform);
        return;
    }
}

void clickCheckBox(DesignRecord& record, Platform& platform, std::string_view check, int value) {
    if (check != "Check1" && check != "Check2") return;
    record[check].checkValue = value;
    encombrement(record, platform);
}

void setClearance(DesignRecord& record, Platform& platform, int value) {
    record["VScroll1"].value = value;
    record.setText("Text79", std::to_string(value));
    encombrement(record, platform);
}
