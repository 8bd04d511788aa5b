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
    const char* option;
    const char* other;
    bool setsRearPositionChosen;
    const char* previewToHide;
    const char* stepPicture;
    const char* pictureFile;
    std::vector<const char*> enable;
    std::vector<const char*> show;
    std::vector<const char*> hide;
    const char* wheelDiameter;  // copied to Text76, with the axle diameter to Text82
    const char* axleDiameter;
    bool runsChassis;
};

const std::vector<OptionHandler>& handlers() {
    static const std::vector<OptionHandler> table = {
        {"Option1", "Option2", false, "Picture19", "Picture8", "Data/Montage1mini.jpg", {"Option3", "Option4"},
         {"Image7"}, {"Image8"}, nullptr, nullptr, true},
        {"Option2", "Option1", false, "Picture19", "Picture8", "Data/Montage2mini.jpg", {"Option3", "Option4"},
         {"Image8"}, {"Image7"}, nullptr, nullptr, true},
        {"Option3", "Option4", true, "Picture20", "Picture12", "Data/Montage1mini.jpg", {"Option5", "Option6"},
         {"Image9"}, {"Image10"}, nullptr, nullptr, true},
        {"Option4", "Option3", true, "Picture20", "Picture12", "Data/Montage2mini.jpg", {"Option5", "Option6"},
         {"Image10"}, {"Image9"}, nullptr, nullptr, true},
        {"Option5", "Option6", false, nullptr, "Picture15", "Data/Helice.jpg", {"Combo8"}, {"Image4"}, {"Image5"},
         "Text37", "Text39", false},
        {"Option6", "Option5", false, nullptr, "Picture15", "Data/Helice.jpg", {"Combo8"}, {"Image5"}, {"Image4"},
         "Text44", "Text46", false},
        {"Option7", "Option8", false, nullptr, nullptr, nullptr, {}, {}, {}, nullptr, nullptr, false},
        {"Option8", "Option7", false, nullptr, nullptr, nullptr, {}, {}, {}, nullptr, nullptr, false},
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
