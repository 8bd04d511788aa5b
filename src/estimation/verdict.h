#pragma once

class DesignRecord;
class FieldValues;
class Platform;

// The pass or fail verdict of a complete design: Oui.jpg and printing enabled when every
// criterion passes strictly, Non.jpg and printing disabled when one fails strictly, nothing on a
// tie. Picture9's tooltip lists each criterion with the design's value and its limit.
void giveVerdict(DesignRecord& record, FieldValues& value, Platform& platform);
