#include "estimation/totals.h"

#include "estimation/compliance.h"
#include "estimation/field_values.h"
#include "window/design_record.h"

namespace {

struct Total {
    const char* result;
    const char* parts[5];      // steps 1 to 5, counted once
    const char* wheels[2];     // counted twice: one field stands for a pair of wheels
    const char* mountings[2];  // counted once
    const char* include;       // the battery check box
    const char* pileUnit;
    const char* accuUnit;
    const char* limit;
};

constexpr Total kMass{.result = "Text91",
                      .parts = {"Text3", "Text10", "Text18", "Text26", "Text32"},
                      .wheels = {"Text38", "Text45"},
                      .mountings = {"Text64", "Text69"},
                      .include = "Check2",
                      .pileUnit = "Text8",
                      .accuUnit = "Text24",
                      .limit = "Text88"};
constexpr Total kPrice{.result = "Text92",
                       .parts = {"Text6", "Text15", "Text22", "Text29", "Text35"},
                       .wheels = {"Text42", "Text49"},
                       .mountings = {"Text65", "Text70"},
                       .include = "Check1",
                       .pileUnit = "Text1",
                       .accuUnit = "Text16",
                       .limit = "Text89"};

void computeTotal(DesignRecord& record, FieldValues& value, const Total& total) {
    // Summed in the order of the design, so that rounding matches it.
    double sum = 0;
    for (const char* part : total.parts) sum += value(part);
    for (const char* wheel : total.wheels) sum += 2 * value(wheel);
    for (const char* mounting : total.mountings) sum += value(mounting);
    value.write(total.result, sum);
    if (record[total.include].checkValue == 1) {
        if (record["Option7"].selected) {
            value.write(total.result,
                        value(total.result) + value(total.pileUnit) * value("Text78"));
        }
        if (record["Option8"].selected) {
            value.write(total.result,
                        value(total.result) + value(total.accuUnit) * value("Text78"));
        }
    }
    colourAgainstLimit(record, total.result, value.result(total.result), value(total.limit));
}

}  // namespace

void computeTotals(DesignRecord& record, FieldValues& value) {
    computeTotal(record, value, kMass);
    computeTotal(record, value, kPrice);
}
