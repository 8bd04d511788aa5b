#pragma once

#include <string>

#include "session/design_session.h"
#include "support/fake_platform.h"
#include "support/temp_data_dir.h"

// A design session over small catalogues written for the tests (pictures answered by the fake
// platform), loaded and ready for step 1.
class DesignFixture {
  public:
    DesignFixture();

    DesignRecord& record() { return session.record(); }
    const std::string& text(const char* field) { return record().text(field); }
    void pick(const char* list, int index) { session.listChosen(list, index); }
    void select(const char* option) { session.optionSelected(option); }

    // Answers every step: the propeller, front and rear wheels and positions as given, the
    // first entry of every other list.
    void completeDesign(int propeller, int frontWheel, int rearWheel, const char* frontPosition,
                        const char* rearPosition, const char* propellerPosition);

    TempDataDir dir;
    FakePlatform platform;
    DesignSession session{platform};
};

// Empty when both records are the same, else the names of the controls that differ.
inline std::string recordDifference(const DesignRecord& expected, const DesignRecord& actual) {
    std::string names;
    for (const Control& control : expected.controls()) {
        const Control* other = actual.find(control.name);
        if (!other || !(*other == control)) names += (names.empty() ? "" : ", ") + control.name;
    }
    return names;
}
