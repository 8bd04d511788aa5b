#pragma once

class DesignRecord;
class FieldValues;
class Platform;

enum class ChassisCase { Above, Between };

// The propeller as the heights and the sketch tell it apart: blade count, and for three blades
// the flag "n" or "o" compared exactly.
enum class PropellerKind { TwoBlades, ThreeBladesN, ThreeBladesO, Other };
PropellerKind propellerKind(const DesignRecord& record, FieldValues& value);

// The propeller-side arrangement: chassis above or between the wheels at the propeller's end.
bool chassisCaseHolds(const DesignRecord& record, ChassisCase which);

// Pictures of the sketch (mounting and propeller) and the general visibility of its lines.
void drawSketchPictures(DesignRecord& record, FieldValues& value, Platform& platform);
// Moves the lines and fields of one case to their positions and shows that case's clearance.
void drawCaseLines(DesignRecord& record, FieldValues& value, ChassisCase which);
