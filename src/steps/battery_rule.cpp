#include "steps/battery_rule.h"

#include "catalogue/my_val.h"
#include "window/design_record.h"

namespace {

constexpr const char* kBatteryControls[] = {"Option7", "Option8", "Check1", "Check2"};

void setBatteryControlsEnabled(DesignRecord& record, bool enabled) {
    for (const char* control : kBatteryControls) record[control].enabled = enabled;
}

}  // namespace

void applyBatteryRuleForRecord(DesignRecord& record, std::string_view decimalSeparator) {
    const double count = MyVal(record.text("Text78"), decimalSeparator);
    if (count == 0) setBatteryControlsEnabled(record, false);
    if (count > 0) setBatteryControlsEnabled(record, true);
}

void applyBatteryRuleAfterReading(DesignRecord& record, std::string_view decimalSeparator) {
    if (MyVal(record.text("Text78"), decimalSeparator) == 0)
        setBatteryControlsEnabled(record, false);
}
