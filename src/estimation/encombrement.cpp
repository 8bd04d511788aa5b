#include "estimation/encombrement.h"

#include "estimation/compliance.h"
#include "estimation/field_values.h"
#include "estimation/remarks.h"
#include "estimation/sketch.h"
#include "estimation/totals.h"
#include "estimation/verdict.h"
#include "window/design_record.h"
#include "window/platform.h"

namespace {

// Base height of the case that holds, written to Text75 and copied into Text43.
void baseHeight(DesignRecord& record, FieldValues& v, ChassisCase which) {
    drawCaseLines(record, v, which);
    const double height = which == ChassisCase::Above
                              ? v("Text76") + v("Text79") + v("Text77") + v("Text80")
                              : v("Text76") / 2 + v("Text82") / 2 + v("Text79") + v("Text80") +
                                    v("Text81") + v("Text77");
    v.write("Text75", height);
    record.setText("Text43", record.text("Text75"));
}

void partAboveAxis(DesignRecord& record, FieldValues& v) {
    switch (propellerKind(record, v)) {
        case PropellerKind::TwoBlades:
            v.write("Text75", v("Text75") + v("Text9") / 2);  // half the motor
            break;
        case PropellerKind::ThreeBladesN:
            v.write("Text75", v("Text75") + v("Text7"));  // its smallest dimension to the axis
            break;
        case PropellerKind::ThreeBladesO:
            v.write("Text75", v("Text75") + v("Text2") / 2);  // half the propeller
            break;
        case PropellerKind::Other:
            break;
    }
}

}  // namespace

void encombrement(DesignRecord& record, Platform& platform) {
    if (record.deferEstimation) {
        record.estimationPending = true;
        return;
    }
    record.estimationPending = false;
    FieldValues v(record, platform.decimalSeparator());
    computeTotals(record, v);
    showPartRemarks(record, v.separator());
    record["queChanger"].visible = false;  // until a verdict says the design fails
    if (v("Text74") != 1) return;          // the sketch and the verdict wait for the last material
    // An empty step reads as 0 g and 0 mm: no estimation may be made without it.
    for (const Control& c : record.controls())
        if (c.choiceMissing) return;

    drawSketchPictures(record, v, platform);
    bool heightComputed = false;
    if (chassisCaseHolds(record, ChassisCase::Above)) {
        baseHeight(record, v, ChassisCase::Above);
        heightComputed = true;
    }
    if (chassisCaseHolds(record, ChassisCase::Between)) {
        baseHeight(record, v, ChassisCase::Between);
        heightComputed = true;
    }
    // Without a base height of this run the part above the axis would be added once more.
    if (heightComputed) partAboveAxis(record, v);
    record.setText("Text90", record.text("Text75"));

    colourAgainstLimit(record, "Text90", v.result("Text90"), v("Text87"));
    colourAgainstLimit(record, "Text75", v.result("Text75"), v("Text87"));
    // The axis must stand higher above the ground than the propeller's radius.
    const double radius = v("Text2") / 2;
    colourAgainstLimit(record, "Text43", v.result("Text43"), radius, Bound::Minimum);
    record["Image11"].visible = true;
    record["Image13"].visible = true;
    giveVerdict(record, v, platform);
}
