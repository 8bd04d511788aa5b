#pragma once

class DesignRecord;
class Platform;

// The size estimation every selection runs last: mass and price totals with their colours, and
// once the design is complete the sketch, the heights, their colours and the verdict.
void encombrement(DesignRecord& record, Platform& platform);
