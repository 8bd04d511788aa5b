#pragma once

#include <string_view>

class DesignRecord;

// The battery options of step 4 follow the chosen supply's battery count (Text78): enabled for a
// positive count, disabled for none; a negative count changes nothing. Values are never touched.
void applyBatteryRuleForRecord(DesignRecord& record, std::string_view decimalSeparator);
// After the file has been read: disabled again when the count reads as 0 (also when no record).
void applyBatteryRuleAfterReading(DesignRecord& record, std::string_view decimalSeparator);
