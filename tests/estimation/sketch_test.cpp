#include <gtest/gtest.h>

#include "support/design_fixture.h"

namespace {

struct LineEnds {
    const char* line;
    int x1, y1, x2, y2;
};

void expectLines(const DesignRecord& r, const std::vector<LineEnds>& lines, const char* design) {
    for (const LineEnds& l : lines) {
        const Control& c = r[l.line];
        EXPECT_EQ((std::vector<int>{c.x1, c.y1, c.x2, c.y2}),
                  (std::vector<int>{l.x1, l.y1, l.x2, l.y2}))
            << design << ": " << l.line;
    }
}

void expectVisible(const DesignRecord& r, int from, int to, bool visible, const char* design) {
    for (int i = from; i <= to; ++i) {
        const std::string line = "Line" + std::to_string(i);
        EXPECT_EQ(r[line].visible, visible) << design << ": " << line;
    }
}

// The lines no step moves keep their start-up end points in both cases.
const std::vector<LineEnds> kFixedLines = {
    {"Line6", 840, 8160, 8160, 8160},   {"Line9", 8040, 7920, 7920, 8160},
    {"Line10", 7800, 7920, 7920, 8160}, {"Line13", 6840, 7920, 6960, 8160},
    {"Line15", 6960, 4800, 6960, 8160}, {"Line18", 7080, 4800, 6000, 4800},
    {"Line26", 960, 6240, 1080, 6360},  {"Line31", 2520, 5880, 720, 5880},
    {"Line33", 1920, 4800, 720, 4800},  {"Line39", 1080, 4440, 1080, 4800},
    {"Line41", 7560, 7920, 7440, 8160}, {"Line42", 7320, 7920, 7440, 8160}};

TEST(Sketch, FrontPropellerChassisAboveTwoBlades) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    const DesignRecord& r = f.record();
    const char* design = "above";
    expectLines(r,
                {{"Line7", 4080, 2400, 8160, 2400},
                 {"Line8", 7920, 8160, 7920, 2400},
                 {"Line11", 8040, 2640, 7920, 2400},
                 {"Line12", 7800, 2640, 7920, 2400},
                 {"Line19", 1680, 4320, 720, 4320},
                 {"Line20", 3240, 3000, 720, 3000},
                 {"Line21", 1200, 3240, 1080, 3000},
                 {"Line22", 960, 3240, 1080, 3000},
                 {"Line23", 1080, 3000, 1080, 4320},
                 {"Line24", 1200, 4080, 1080, 4320},
                 {"Line25", 960, 4080, 1080, 4320},
                 {"Line1", 7560, 3240, 7440, 3000},
                 {"Line2", 7320, 3240, 7440, 3000},
                 {"Line40", 7440, 3000, 7440, 8160},
                 {"Line43", 5160, 3000, 7560, 3000}},
                design);
    expectLines(r, kFixedLines, design);
    EXPECT_EQ(r["Image13"].geometry.left, 1680);
    EXPECT_EQ(r["Image13"].geometry.top, 600);
    EXPECT_EQ(r["Image13"].pictureFile, "Data/Bipale.gif");
    EXPECT_EQ(r["Image11"].pictureFile, "Data/Md1.gif");
    EXPECT_EQ(r["Text77"].geometry.top, 3480);
    EXPECT_EQ(r["Text79"].geometry.top, 4440);
    EXPECT_EQ(r["VScroll1"].geometry.top, 4860);
    expectVisible(r, 6, 25, true, design);
    expectVisible(r, 26, 32, false, design);
    expectVisible(r, 33, 43, true, design);
    for (const char* shown : {"Line1", "Line2", "Image11", "Image13", "Text43", "Text75", "Text76",
                              "Text77", "Text79", "VScroll1"}) {
        EXPECT_TRUE(r[shown].visible) << shown;
    }
    EXPECT_FALSE(r["Text82"].visible);
    EXPECT_FALSE(r["Picture18"].visible);
}

TEST(Sketch, SameDesignSwitchedToChassisBetween) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    f.select("Option2");
    const DesignRecord& r = f.record();
    const char* design = "between";
    expectLines(r,
                {{"Line7", 4080, 3720, 8160, 3720},
                 {"Line8", 7920, 8160, 7920, 3720},
                 {"Line11", 8040, 3960, 7920, 3720},
                 {"Line12", 7800, 3960, 7920, 3720},
                 {"Line19", 2520, 5625, 720, 5625},
                 {"Line20", 3240, 4320, 720, 4320},
                 {"Line21", 1200, 4560, 1080, 4320},
                 {"Line22", 960, 4560, 1080, 4320},
                 {"Line23", 1080, 4320, 1080, 5640},
                 {"Line24", 1200, 5400, 1080, 5640},
                 {"Line25", 960, 5400, 1080, 5640},
                 {"Line1", 7560, 4560, 7440, 4320},
                 {"Line2", 7320, 4560, 7440, 4320},
                 {"Line40", 7440, 4320, 7440, 8160},
                 {"Line43", 5160, 4320, 7560, 4320}},
                design);
    expectLines(r, kFixedLines, design);
    EXPECT_EQ(r["Image13"].geometry.top, 1920);
    EXPECT_EQ(r["Image11"].pictureFile, "Data/Me1.gif");
    EXPECT_EQ(r["Text77"].geometry.top, 4800);
    EXPECT_EQ(r["Text79"].geometry.top, 6000);
    EXPECT_EQ(r["VScroll1"].geometry.top, 6360);
    expectVisible(r, 26, 32, true, design);
    expectVisible(r, 33, 39, false, design);
    expectVisible(r, 40, 43, true, design);
}

TEST(Sketch, PropellerPicturesAndTheirTops) {
    const struct {
        const char* name;
        int propeller;
        const char* picture;
        int top;
        int line7X1;
    } rows[] = {{"ThreeBladesN", 2, "Data/Tripale.gif", 1680, 6120},
                {"ThreeBladesO", 1, "Data/Tripale_c.gif", 600, 4080}};
    for (const auto& row : rows) {
        DesignFixture f;
        f.completeDesign(row.propeller, 0, 0, "Option1", "Option3", "Option5");
        EXPECT_EQ(f.record()["Image13"].pictureFile, row.picture) << row.name;
        EXPECT_EQ(f.record()["Line7"].y1, row.top) << row.name;
        EXPECT_EQ(f.record()["Line8"].y2, row.top) << row.name;
        EXPECT_EQ(f.record()["Line7"].x1, row.line7X1) << row.name;
    }
}

TEST(Sketch, AnUnknownFlagLeavesThePictureAndTopAsThePreviousRunLeftThem) {
    DesignFixture f;
    f.completeDesign(2, 0, 0, "Option1", "Option3", "Option5");
    f.pick("Combo1", 4);  // three blades flagged "O"
    EXPECT_EQ(f.record()["Image13"].pictureFile, "Data/Tripale.gif");
    EXPECT_EQ(f.record()["Line7"].y1, 1680);
    EXPECT_EQ(f.record()["Line7"].x1, 6120);
}

TEST(Sketch, ARearPropellerTakesTheRearMountingCode) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option4", "Option6");  // front T1, rear T2
    EXPECT_EQ(f.record()["Image11"].pictureFile, "Data/Me2.gif");
    EXPECT_EQ(f.record()["Image13"].geometry.top, 1920);
    f.select("Option3");
    EXPECT_EQ(f.record()["Image11"].pictureFile, "Data/Md2.gif");
}

TEST(Sketch, AMountingCodeLeadingOutOfDataIsRefused) {
    DesignFixture f;
    f.dir.write("Train.txt",
                "\"T\",\"/../../x\",\"d\",6,0.4,\"TrainA\"\r\n\"T\",\"/../../"
                "x\",\"d\",6,0.4,\"TrainA\"\r\n");
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    ASSERT_EQ(f.platform.warnings.size(), 1u);
    EXPECT_NE(f.platform.warnings[0].find("sort du dossier Data"), std::string::npos)
        << f.platform.warnings[0];
    EXPECT_EQ(f.text("Text74"), "0");  // the last pick was not applied
    EXPECT_FALSE(f.record()["Command1"].enabled);
}

}  // namespace
