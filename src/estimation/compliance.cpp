#include "estimation/compliance.h"

#include <cmath>

#include "window/design_record.h"

Standing standing(double value, double limit, Bound bound) {
    if (!std::isfinite(value) || !std::isfinite(limit)) return Standing::Fails;
    if (value == limit) return Standing::Tie;
    const bool below = value < limit;
    return below == (bound == Bound::Maximum) ? Standing::Complies : Standing::Fails;
}

void colourAgainstLimit(DesignRecord& record, const char* field, double value, double limit,
                        Bound bound) {
    switch (standing(value, limit, bound)) {
        case Standing::Complies:
            record[field].foreground = kComplianceGreen;
            break;
        case Standing::Fails:
            record[field].foreground = kComplianceRed;
            break;
        case Standing::Tie:
            record[field].foreground.reset();  // the start-up colour: neither green nor red
            break;
    }
}
