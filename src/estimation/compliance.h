#pragma once

class DesignRecord;

// Which side of its limit a value must stand on to comply.
enum class Bound { Maximum, Minimum };

// Where a value stands against its limit. A tie is neither: no colour and no verdict. A value or
// limit that is not a finite number never complies.
enum class Standing { Complies, Tie, Fails };

Standing standing(double value, double limit, Bound bound);

// Green when the value complies, red when it fails, the start-up colour on a tie.
void colourAgainstLimit(DesignRecord& record, const char* field, double value, double limit,
                        Bound bound = Bound::Maximum);
