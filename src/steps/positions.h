#pragma once

#include <string_view>

class DesignRecord;
class Platform;

// The option buttons of steps 4, 8, 9 and 10: selects the option (clearing the other of its
// pair) and runs its handler; the battery kind options only rerun the estimation.
void selectOption(DesignRecord& record, Platform& platform, std::string_view option);

// A battery check box clicked to its new value (0 or 1); reruns the estimation.
void clickCheckBox(DesignRecord& record, Platform& platform, std::string_view check, int value);
// The clearance scroll bar set to a value within its range; reruns the estimation.
void setClearance(DesignRecord& record, Platform& platform, int value);
