#pragma once

class DesignRecord;
class Platform;

// Chooses the chassis case (Text36, "Cas11" to "Cas34") from the wheel positions and diameters
// and shows its profile in Image17; does nothing before a rear position has been chosen.
void chassis(DesignRecord& record, Platform& platform);
