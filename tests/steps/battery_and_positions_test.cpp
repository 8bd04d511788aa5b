#include <gtest/gtest.h>

#include "support/design_fixture.h"

namespace {

bool batteryControlsEnabled(DesignFixture& f, bool enabled) {
    for (const char* c : {"Option7", "Option8", "Check1", "Check2"}) {
        if (f.record()[c].enabled != enabled) return false;
    }
    return true;
}

TEST(BatteryRule, FollowsTheCountAndKeepsSelectionsAndTicks) {
    DesignFixture f;
    f.pick("Combo4", 1);  // "4 piles" counts 4
    EXPECT_EQ(f.text("Text78"), "4 piles");
    EXPECT_TRUE(batteryControlsEnabled(f, true));
    f.session.checkClicked("Check2", 1);
    f.select("Option8");
    f.pick("Combo4", 0);  // no batteries
    EXPECT_TRUE(batteryControlsEnabled(f, false));
    EXPECT_EQ(f.record()["Check2"].checkValue, 1);
    EXPECT_TRUE(f.record()["Option8"].selected);
    EXPECT_FALSE(f.record()["Option7"].selected);
    f.pick("Combo4", 2);
    EXPECT_TRUE(batteryControlsEnabled(f, true));
    f.pick("Combo4", 3);  // a negative count changes nothing
    EXPECT_TRUE(batteryControlsEnabled(f, true));
    f.pick("Combo4", 4);  // an empty count reads 0
    EXPECT_TRUE(batteryControlsEnabled(f, false));
    f.pick("Combo4", 3);
    EXPECT_TRUE(batteryControlsEnabled(f, false));
    f.dir.write("Energie.txt", "");
    f.pick("Combo4", 1);  // no record found: the cleared count reads 0
    EXPECT_TRUE(batteryControlsEnabled(f, false));
}

struct CaseRow {
    const char* name;
    int front;  // Roue.txt index: 0 is 50 mm, 1 is 60, 2 is 40, 3 is 50.0
    int rear;
    const char* frontPosition;
    const char* rearPosition;
    const char* expected;
};

void PrintTo(const CaseRow& c, std::ostream* os) {
    *os << c.name;
}

class ChassisCases : public ::testing::TestWithParam<CaseRow> {};

TEST_P(ChassisCases, PicksTheCaseAndShowsItsProfile) {
    const CaseRow& c = GetParam();
    DesignFixture f;
    f.pick("Combo6", c.front);
    f.pick("Combo7", c.rear);
    f.select(c.frontPosition);
    f.select(c.rearPosition);
    EXPECT_EQ(f.text("Text36"), c.expected);
    EXPECT_EQ(f.record()["Image17"].pictureFile, std::string("Data/") + c.expected + ".gif");
    EXPECT_TRUE(f.record()["Image17"].visible);
    EXPECT_FALSE(f.record()["Picture13"].visible);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ChassisCases,
    ::testing::Values(CaseRow{"Equal_AboveAbove", 0, 0, "Option1", "Option3", "Cas11"},
                      CaseRow{"EqualAsNumbers_50_and_50point0", 0, 3, "Option1", "Option3",
                              "Cas11"},
                      CaseRow{"Equal_BetweenBetween", 0, 0, "Option2", "Option4", "Cas12"},
                      CaseRow{"Equal_BetweenAbove", 0, 0, "Option2", "Option3", "Cas13"},
                      CaseRow{"Equal_AboveBetween", 0, 0, "Option1", "Option4", "Cas14"},
                      CaseRow{"RearLarger_AboveAbove", 2, 1, "Option1", "Option3", "Cas21"},
                      CaseRow{"RearLarger_BetweenAbove", 2, 1, "Option2", "Option3", "Cas23"},
                      CaseRow{"RearLarger_AboveBetween", 2, 1, "Option1", "Option4", "Cas24"},
                      CaseRow{"FrontLarger_AboveAbove", 1, 2, "Option1", "Option3", "Cas31"},
                      CaseRow{"FrontLarger_BetweenBetween", 1, 2, "Option2", "Option4", "Cas32"},
                      CaseRow{"FrontLarger_AboveBetween", 1, 2, "Option1", "Option4", "Cas33"},
                      CaseRow{"FrontLarger_BetweenAbove", 1, 2, "Option2", "Option3", "Cas34"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Chassis, DoesNothingBeforeTheRearPositionAndFollowsLaterWheelChanges) {
    DesignFixture f;
    f.pick("Combo6", 0);
    f.pick("Combo7", 0);
    f.select("Option1");
    f.select("Option2");
    EXPECT_EQ(f.text("Text36"), "Text36");
    EXPECT_EQ(f.text("Text30"), "Text30");
    EXPECT_FALSE(f.record()["Image17"].visible);
    EXPECT_TRUE(f.record()["Picture13"].visible);
    EXPECT_EQ(f.record()["Picture8"].pictureFile, "Data/Montage2mini.jpg");
    EXPECT_FALSE(f.record()["Image7"].visible);
    EXPECT_TRUE(f.record()["Image8"].visible);
    f.select("Option1");
    f.select("Option3");
    EXPECT_EQ(f.text("Text30"), "1");
    EXPECT_EQ(f.text("Text36"), "Cas11");
    f.pick("Combo7", 1);  // larger rear wheels
    EXPECT_EQ(f.text("Text36"), "Cas21");
    EXPECT_EQ(f.record()["Image17"].pictureFile, "Data/Cas21.gif");
    f.select("Option6");  // the propeller position does not choose the case
    EXPECT_EQ(f.text("Text36"), "Cas21");
    f.pick("Combo6", 1);  // front wheels chosen again, as large as the rear ones
    EXPECT_EQ(f.text("Text36"), "Cas11");
    EXPECT_EQ(f.record()["Image17"].pictureFile, "Data/Cas11.gif");
    f.pick("Combo6", 2);  // now smaller than the rear ones
    EXPECT_EQ(f.text("Text36"), "Cas21");
    f.pick("Combo6", 4);  // 45 mm front against 60 mm rear, with the chassis between at the rear
    f.select("Option4");
    EXPECT_EQ(f.text("Text36"), "Cas24");
}

TEST(PositionOptions, EachHandlerShowsItsPicturesAndDrawings) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option4", "Option6");
    const DesignRecord& r = f.record();
    EXPECT_FALSE(r["Option2"].selected);
    EXPECT_FALSE(r["Option3"].selected);
    EXPECT_FALSE(r["Picture19"].visible);
    EXPECT_FALSE(r["Picture20"].visible);
    EXPECT_EQ(r["Picture8"].pictureFile, "Data/Montage1mini.jpg");
    EXPECT_EQ(r["Picture12"].pictureFile, "Data/Montage2mini.jpg");
    EXPECT_EQ(r["Picture15"].pictureFile, "Data/Helice.jpg");
    EXPECT_TRUE(r["Image7"].visible && !r["Image8"].visible);
    EXPECT_TRUE(!r["Image9"].visible && r["Image10"].visible);
    EXPECT_TRUE(!r["Image4"].visible && r["Image5"].visible);
}

TEST(BatteryOptions, EachClickOnlyRerunsTheEstimation) {
    DesignFixture f;
    f.pick("Combo4", 1);
    f.session.checkClicked("Check2", 1);
    EXPECT_EQ(f.text("Text91"), "112");  // 20 + 4 x 23
    f.select("Option8");
    EXPECT_EQ(f.text("Text91"), "124");  // 20 + 4 x 26
    f.select("Option7");
    EXPECT_EQ(f.text("Text91"), "112");
    f.session.checkClicked("Check2", 0);
    EXPECT_EQ(f.text("Text91"), "20");
}

}  // namespace
