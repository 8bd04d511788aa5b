#pragma once

class DesignRecord;
class FieldValues;

// Total mass (Text91) and total price (Text92), batteries included when ticked, each coloured
// against its maximum.
void computeTotals(DesignRecord& record, FieldValues& value);
