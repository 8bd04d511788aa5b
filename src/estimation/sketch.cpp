#include "estimation/sketch.h"

#include <string>

#include "catalogue/catalogue.h"
#include "estimation/field_values.h"
#include "window/design_record.h"
#include "window/pictures.h"

namespace {

// The top of the overall-height dimension by propeller: T above, T between, X1 of Line7.
struct PropellerTop {
    int above;
    int between;
    int line7X1;
};

constexpr PropellerTop kTwoBlades{2400, 3720, 4080};
constexpr PropellerTop kThreeBladesN{1680, 3000, 6120};
constexpr PropellerTop kThreeBladesO{600, 1920, 4080};

struct CasePositions {
    int axis;  // C, the propeller axis level
    int base;  // B, the bottom of the base-to-axis dimension
    int line19X1;
    int line19Y;
    int text77Top;
    int text79Top;
    int scrollTop;
};

constexpr CasePositions kAbove{3000, 4320, 1680, 4320, 3480, 4440, 4860};
constexpr CasePositions kBetween{4320, 5640, 2520, 5625, 4800, 6000, 6360};

const PropellerTop* propellerTop(const DesignRecord& record, FieldValues& value) {
    switch (propellerKind(record, value)) {
        case PropellerKind::TwoBlades:
            return &kTwoBlades;
        case PropellerKind::ThreeBladesN:
            return &kThreeBladesN;
        case PropellerKind::ThreeBladesO:
            return &kThreeBladesO;
        case PropellerKind::Other:
            break;
    }
    return nullptr;
}

void setLines(DesignRecord& record, int from, int to, bool visible) {
    for (int i = from; i <= to; ++i) record["Line" + std::to_string(i)].visible = visible;
}

}  // namespace

PropellerKind propellerKind(const DesignRecord& record, FieldValues& value) {
    const double blades = value("Text72");
    if (blades == 2) return PropellerKind::TwoBlades;
    if (blades == 3 && record.text("Text73") == "n") return PropellerKind::ThreeBladesN;
    if (blades == 3 && record.text("Text73") == "o") return PropellerKind::ThreeBladesO;
    return PropellerKind::Other;
}

bool chassisCaseHolds(const DesignRecord& record, ChassisCase which) {
    auto on = [&](const char* option) { return record[option].selected; };
    if (which == ChassisCase::Above)
        return (on("Option5") && on("Option1")) || (on("Option3") && on("Option6"));
    return (on("Option5") && on("Option2")) || (on("Option4") && on("Option6"));
}

void drawSketchPictures(DesignRecord& record, FieldValues& value, Platform& platform) {
    record["Picture18"].visible = false;
    Control& propeller = record["Image13"];
    propeller.geometry.left = 1680;
    const struct {
        const char* propellerSide;
        const char* wheelPosition;
        int top;
        const char* prefix;
        const char* code;
    } mountings[] = {{"Option5", "Option1", 600, "Md", "Text62"},
                     {"Option5", "Option2", 1920, "Me", "Text62"},
                     {"Option6", "Option3", 600, "Md", "Text68"},
                     {"Option6", "Option4", 1920, "Me", "Text68"}};
    for (const auto& m : mountings) {
        if (!record[m.propellerSide].selected || !record[m.wheelPosition].selected) continue;
        record["Image13"].geometry.top = m.top;
        showPicture(record, platform, "Image11",
                    dataPicturePath(m.prefix + record.text(m.code), ".gif"));
    }
    switch (propellerKind(record, value)) {
        case PropellerKind::TwoBlades:
            showPicture(record, platform, "Image13", "Data/Bipale.gif");
            break;
        case PropellerKind::ThreeBladesN:
            showPicture(record, platform, "Image13", "Data/Tripale.gif");
            break;
        case PropellerKind::ThreeBladesO:
            showPicture(record, platform, "Image13", "Data/Tripale_c.gif");
            break;
        case PropellerKind::Other:
            break;  // the picture stays as the previous run left it
    }
    setLines(record, 7, 25, true);
    record["Line41"].visible = true;
    record["Line42"].visible = true;
    for (const char* shown : {"Text75", "Text76", "Text77", "Text79", "Text43", "VScroll1"}) {
        record[shown].visible = true;
    }
}

void drawCaseLines(DesignRecord& record, FieldValues& value, ChassisCase which) {
    const bool above = which == ChassisCase::Above;
    const CasePositions& p = above ? kAbove : kBetween;
    if (const PropellerTop* top = propellerTop(record, value)) {
        const int t = above ? top->above : top->between;
        Control& line7 = record["Line7"];
        line7.y1 = line7.y2 = t;
        line7.x1 = top->line7X1;
        line7.x2 = 8160;
        record["Line8"].y1 = 8160;
        record["Line8"].y2 = t;
        for (const char* arrow : {"Line11", "Line12"}) {
            record[arrow].y1 = t + 240;
            record[arrow].y2 = t;
        }
    }
    record["Text77"].geometry.top = p.text77Top;
    Control& line19 = record["Line19"];
    line19.x1 = p.line19X1;
    line19.x2 = 720;
    line19.y1 = line19.y2 = p.line19Y;
    record["Line20"].y1 = record["Line20"].y2 = p.axis;
    for (const char* arrow : {"Line21", "Line22"}) {
        record[arrow].y1 = p.axis + 240;
        record[arrow].y2 = p.axis;
    }
    record["Line23"].y1 = p.axis;
    record["Line23"].y2 = p.base;
    for (const char* arrow : {"Line24", "Line25"}) {
        record[arrow].y1 = p.base - 240;
        record[arrow].y2 = p.base;
    }
    for (const char* arrow : {"Line1", "Line2"}) {
        record[arrow].y1 = p.axis + 240;
        record[arrow].y2 = p.axis;
    }
    record["Line40"].y1 = p.axis;
    record["Line43"].y1 = record["Line43"].y2 = p.axis;
    record["Text79"].geometry.top = p.text79Top;
    record["VScroll1"].geometry.top = p.scrollTop;

    setLines(record, 33, 39, above);
    setLines(record, 26, 32, !above);
    for (const char* shown : {"Line1", "Line2", "Line40", "Line43"}) record[shown].visible = true;
}
