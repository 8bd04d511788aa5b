#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <optional>

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "classroom/class_scan.h"
#include "estimation/verdict.h"
#include "support/design_fixture.h"

namespace {

// Propellers of the test catalogue: 0 two blades (100 mm), 1 three blades "o" (120 mm),
// 2 three blades "n" (150 mm, 30 to the axis), 4 three blades flagged "O".
// Wheels: 0 is 50 mm (axle 4), 4 is 45 mm (axle 4). Materials: 0 is 3 mm, 1 is 2 mm.

TEST(HeightEstimation, ChassisAboveCase) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    EXPECT_EQ(f.text("Text43"), "78");  // 50 + 5 + 20 + 3
    EXPECT_EQ(f.text("Text75"), "90");  // + 24 / 2
    EXPECT_EQ(f.text("Text90"), "90");
}

struct BetweenRow {
    const char* name;
    int propeller;
    int frontWheel;
    const char* axis;
    const char* overall;
};

TEST(HeightEstimation, ChassisBetweenCaseByPropeller) {
    const BetweenRow rows[] = {
        {"TwoBlades", 0, 0, "57", "69"},           // 25 + 2 + 5 + 3 + 2 + 20, then + 12
        {"ThreeBladesO", 1, 0, "57", "117"},       // + 120 / 2
        {"ThreeBladesN", 2, 0, "57", "87"},        // + 30
        {"FlagUpperCaseO", 4, 0, "57", "57"},      // neither flag: nothing above the axis
        {"HalfMillimetre", 0, 4, "54,5", "66,5"},  // 45 / 2 keeps its half
    };
    for (const BetweenRow& row : rows) {
        DesignFixture f;
        f.completeDesign(row.propeller, row.frontWheel, 0, "Option2", "Option3", "Option5");
        EXPECT_EQ(f.text("Text43"), row.axis) << row.name;
        EXPECT_EQ(f.text("Text75"), row.overall) << row.name;
        EXPECT_EQ(f.text("Text90"), row.overall) << row.name;
    }
}

TEST(HeightEstimation, RunningTwiceGivesTheSameTexts) {
    DesignFixture f;
    f.completeDesign(1, 0, 0, "Option2", "Option3", "Option5");
    const DesignRecord first = f.record();
    f.session.clearanceChanged(6);
    f.session.clearanceChanged(5);
    for (const char* field : {"Text43", "Text75", "Text90", "Text91", "Text92"}) {
        EXPECT_EQ(f.text(field), first.text(field)) << field;
    }
}

TEST(HeightEstimation, ClearanceMovesEveryHeightByTheSameAmount) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    f.session.clearanceChanged(6);
    EXPECT_EQ(f.text("Text79"), "6");
    EXPECT_EQ(f.text("Text43"), "79");
    EXPECT_EQ(f.text("Text75"), "91");
    EXPECT_EQ(f.text("Text90"), "91");
    f.session.clearanceChanged(51);  // beyond the bar's range: nothing new
    EXPECT_EQ(f.text("Text79"), "6");
}

TEST(HeightEstimation, BeforeTheDesignIsCompleteOnlyTheTotalsChange) {
    DesignFixture f;
    f.pick("Combo1", 0);
    f.pick("Combo2", 0);
    f.pick("Combo3", 0);
    f.session.clearanceChanged(9);
    EXPECT_EQ(f.text("Text79"), "9");
    EXPECT_EQ(f.text("Text91"), "39");
    EXPECT_EQ(f.text("Text92"), "4,1");
    EXPECT_EQ(f.text("Text43"), "Sol");
    EXPECT_EQ(f.text("Text75"), "0");
    EXPECT_EQ(f.text("Text90"), "0");
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Choix14.jpg");
    EXPECT_FALSE(f.record()["Text43"].visible);
    EXPECT_TRUE(f.record()["Picture18"].visible);
    EXPECT_FALSE(f.record()["Command1"].enabled);
}

TEST(Totals, WheelsCountTwiceMountingsOnce) {
    DesignFixture f;
    f.pick("Combo6", 0);  // 20 g
    f.pick("Combo7", 2);  // 30 g
    EXPECT_EQ(f.text("Text91"), "100");
    EXPECT_EQ(f.text("Text92"), "1,3");
    f.pick("Combo8", 0);  // 6 g
    f.pick("Combo9", 1);  // 9 g
    EXPECT_EQ(f.text("Text91"), "115");
}

TEST(Totals, BatteriesOnlyWhenTickedAndByTheSelectedKind) {
    DesignFixture f;
    f.pick("Combo4", 1);  // 20 g, 1,1 euro, 4 batteries
    f.session.checkClicked("Check2", 1);
    EXPECT_EQ(f.text("Text91"), "112");  // + 4 x 23
    EXPECT_EQ(f.text("Text92"), "1,1");
    f.session.checkClicked("Check1", 1);
    EXPECT_EQ(f.text("Text92"), "3,1");  // + 4 x 0,5
    f.select("Option8");
    EXPECT_EQ(f.text("Text91"), "124");   // + 4 x 26
    EXPECT_EQ(f.text("Text92"), "12,3");  // + 4 x 2,8
    f.session.checkClicked("Check2", 0);
    EXPECT_EQ(f.text("Text91"), "20");
}

TEST(Totals, ResultsUseTheUsersDecimalSeparator) {
    DesignFixture f;
    f.platform.separator = ".";
    f.pick("Combo1", 0);
    EXPECT_EQ(f.text("Text92"), "1.2");
}

TEST(Compliance, APassingDesignShowsOuiAndEnablesPrinting) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
    EXPECT_TRUE(f.record()["Command1"].enabled);
    for (const char* field : {"Text90", "Text75", "Text43", "Text91", "Text92"}) {
        EXPECT_EQ(f.record()[field].foreground, kComplianceGreen) << field;
    }
    const std::string tip = f.record()["Picture9"].toolTip;
    EXPECT_NE(tip.find("Masse : 173 g < 250 g ✓"), std::string::npos) << tip;
    EXPECT_NE(tip.find("Hauteur : 90 mm < 150 mm ✓"), std::string::npos) << tip;
    EXPECT_NE(tip.find("Hauteur de l'axe : 78 mm > 50 mm (rayon de l'hélice) ✓"), std::string::npos)
        << tip;
}

TEST(Compliance, RaisingTheClearanceUntilTheHeightFailsTurnsTheVerdict) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    f.session.clearanceChanged(50);  // 78 + 45 = 123 axis, 135 overall: still under 150
    EXPECT_EQ(f.text("Text90"), "135");
    EXPECT_TRUE(f.record()["Command1"].enabled);
    f.dir.write("Reglement.txt", "350,200,130,250,25\r\n");
    f.record().setText("Text87", "130");
    f.session.clearanceChanged(40);
    f.session.clearanceChanged(50);
    EXPECT_EQ(f.record()["Text90"].foreground, kComplianceRed);
    EXPECT_EQ(f.record()["Text75"].foreground, kComplianceRed);
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Non.jpg");
    EXPECT_FALSE(f.record()["Command1"].enabled);
    EXPECT_NE(f.record()["Picture9"].toolTip.find("Hauteur : 135 mm > 130 mm ✗"),
              std::string::npos);
    f.session.clearanceChanged(30);  // 115: passes again
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
    EXPECT_TRUE(f.record()["Command1"].enabled);
}

// One design, one verdict: at each of the four limits and just either side, every order of the
// last three changes (a pick, the clearance, a battery box) gives the same picture, colours,
// Imprimer state and class-view state. A value exactly at its limit gives no verdict.
TEST(Compliance, TheVerdictDependsOnlyOnTheDesignNeverOnTheOrderOfTheClicks) {
    using Change = std::function<void(DesignFixture&)>;
    const Change pick = [](DesignFixture& f) { f.pick("Combo8", 0); };
    const Change clearance = [](DesignFixture& f) { f.session.clearanceChanged(5); };
    const Change box = [](DesignFixture& f) { f.session.checkClicked("Check1", 1); };
    // Before the last three changes: another mounting, clearance and box, so that the verdict
    // shown before them differs from one order to the next.
    const auto design = [](DesignFixture& f) {
        f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
        f.pick("Combo4", 2);  // two batteries
        f.pick("Combo8", 1);
        f.session.clearanceChanged(30);
    };
    DesignFixture reference;
    design(reference);
    for (const Change& c : {pick, clearance, box}) c(reference);
    const double height = MyVal(reference.text("Text90"));
    const double mass = MyVal(reference.text("Text91"));
    const double price = MyVal(reference.text("Text92"));
    const double axis = MyVal(reference.text("Text43"));

    const struct {
        const char* name;
        const char* field;
        double value;
    } criteria[] = {{"Hauteur", "Text90", height},
                    {"Masse", "Text91", mass},
                    {"Prix", "Text92", price},
                    {"Axe", "Text43", axis}};
    const struct {
        double step;  // the limit moved from the value: above it, at it, below it
        const char* picture;
        bool printable;
        std::optional<Rgb> colour;
        DesignState state;
    } sides[] = {{1, "Data/Oui.jpg", true, kComplianceGreen, DesignState::Conforme},
                 {0, kNoVerdictPicture, false, std::nullopt, DesignState::SansVerdict},
                 {-1, "Data/Non.jpg", false, kComplianceRed, DesignState::NonConforme}};
    for (const auto& criterion : criteria) {
        for (const auto& side : sides) {
            SCOPED_TRACE(std::string(criterion.name) + " " + std::to_string(side.step));
            const bool isAxis = std::string(criterion.field) == "Text43";
            // The rules' maxima generous but the one tried; the axis against the propeller's
            // radius (for the axis, a larger radius is a stricter limit).
            const double limit = criterion.value + (isAxis ? -side.step : side.step);
            auto maxOr = [&](const char* field, double generous) {
                return formatNumber(std::string(criterion.field) == field ? limit : generous, ".");
            };
            std::array<int, 3> order = {0, 1, 2};
            do {
                DesignFixture f;
                f.dir.write("Reglement.txt", "350,200," + maxOr("Text90", 900) + "," +
                                                 maxOr("Text91", 9000) + "," +
                                                 maxOr("Text92", 900) + "\r\n");
                f.dir.write("Helice.txt", "\"P2\"," + formatNumber(isAxis ? 2 * limit : 100, ".") +
                                              ",4,\"S\",\"R1\",1.2,12,2,\"o\"\r\n");
                ASSERT_TRUE(f.session.newDesign());
                design(f);
                const Change changes[] = {pick, clearance, box};
                for (int i : order) changes[i](f);
                EXPECT_EQ(f.text(criterion.field), reference.text(criterion.field));
                EXPECT_EQ(f.record()["Picture9"].pictureFile, side.picture);
                EXPECT_EQ(f.record()["Command1"].enabled, side.printable);
                EXPECT_EQ(f.record()[criterion.field].foreground, side.colour);
                if (side.step == 0) {
                    EXPECT_NE(f.record()["Picture9"].toolTip.find("Pas de verdict"),
                              std::string::npos);
                    EXPECT_NE(f.record()["Command1"].toolTip.find("exactement à sa limite"),
                              std::string::npos)
                        << f.record()["Command1"].toolTip;
                }
                const std::string file = (f.dir.root() / "d.ventakar").string();
                ASSERT_TRUE(f.session.saveDesign(file));
                for (const std::string& picture : f.platform.picturesLoaded())
                    std::ofstream(f.dir.root() / picture);
                EXPECT_EQ(scanDesignFile(file, ",").state, side.state);
            } while (std::next_permutation(order.begin(), order.end()));
        }
    }
}

TEST(Compliance, APropellerTooLargeForItsAxisFails) {
    DesignFixture f;
    f.dir.write("Helice.txt", "\"Grande\",200,4,\"S\",\"R\",1,12,2,\"o\"\r\n");
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    EXPECT_EQ(f.text("Text43"), "78");  // under the 100 mm radius
    EXPECT_EQ(f.record()["Text43"].foreground, kComplianceRed);
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Non.jpg");
    EXPECT_FALSE(f.record()["Command1"].enabled);
}

TEST(Compliance, MaximumLengthAndWidthNeverCount) {
    DesignFixture f;
    f.record().setText("Text85", "1");
    f.record().setText("Text86", "1");
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
}

}  // namespace

namespace {

// A value exactly at its limit neither passes nor fails: no verdict, and once another criterion
// fails, Imprimer's reason lists the tie with the failure.
TEST(Compliance, AValueAtItsLimitIsToldInTheVerdictAndInImprimersReason) {
    const struct {
        const char* value;
        const char* limit;
        const char* tieLine;
        const char* failLimit;  // another limit, set below its value
        const char* failLine;
    } rows[] = {
        {"Text91", "Text88", "Masse : 173 g = 173 g (à la limite)", "Text89", "Prix : "},
        {"Text90", "Text87", "Hauteur : 90 mm = 90 mm (à la limite)", "Text88",
         "Masse : 173 g > 100 g ✗"},
        {"Text92", "Text89", "Prix : ", "Text87", "Hauteur : 90 mm > 50 mm ✗"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        DesignFixture f;
        f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
        ASSERT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
        f.record().setText(row.limit, f.text(row.value));
        f.pick("Combo11", 0);  // the estimation made again, every value as it was
        const std::string tip = f.record()["Picture9"].toolTip;
        EXPECT_NE(tip.find(row.tieLine), std::string::npos) << tip;
        EXPECT_NE(tip.find("(à la limite)"), std::string::npos) << tip;
        EXPECT_EQ(f.record()["Picture9"].pictureFile, kNoVerdictPicture);

        f.record().setText(row.failLimit, std::string(row.failLimit) == "Text89"   ? "1"
                                          : std::string(row.failLimit) == "Text88" ? "100"
                                                                                   : "50");
        f.pick("Combo11", 0);
        EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Non.jpg");
        EXPECT_FALSE(f.record()["Command1"].enabled);
        const std::string reason = f.record()["Command1"].toolTip;
        EXPECT_EQ(reason.rfind("Impression impossible, critères non remplis :\n", 0), 0u) << reason;
        EXPECT_NE(reason.find("(à la limite)"), std::string::npos) << reason;
        EXPECT_NE(reason.find(row.failLine), std::string::npos) << reason;
        EXPECT_NE(reason.find("✗"), std::string::npos) << reason;
        EXPECT_EQ(reason.find("✓"), std::string::npos)
            << "a met criterion is no reason: " << reason;
    }
}

}  // namespace

namespace {

// Parts that do not fit together are told where they are chosen and after the verdict's
// explanation, and never change the verdict.
TEST(Compliance, PartsThatDoNotFitAreToldButNeverChangeTheVerdict) {
    const struct {
        const char* name;
        const char* motor;     // Moteur.txt
        const char* supply;    // the Energie.txt item picked
        const char* expected;  // in the remarks, or nothing
    } rows[] = {
        {"Fits", "\"M20\",20,32,2,\"Oui\",\"S\",\"R\",2.5\r\n", nullptr, nullptr},
        {"WiderMotor", "\"M32\",32,32,2,\"Oui\",\"S\",\"R\",2.5\r\n", nullptr,
         "moteur de 32 mm dans un berceau de 20 mm"},
        {"NotSolarOnSolar", "\"M20n\",20,32,2,\"Non\",\"S\",\"R\",2.5\r\n", nullptr,
         "moteur « M20n » non adapté au solaire sur l'alimentation « E0 »"},
        {"NotSolarOnBatteries", "\"M20n\",20,32,2,\"Non\",\"S\",\"R\",2.5\r\n", "E2", nullptr},
        {"NotSolarOnNoBatteriesOfAnotherType", "\"M20n\",20,32,2,\"Non\",\"S\",\"R\",2.5\r\n",
         "Eempty", "moteur « M20n » non adapté au solaire sur l'alimentation « Eempty »"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DesignFixture f;
        f.dir.write("Moteur.txt", row.motor);
        ASSERT_TRUE(f.session.newDesign());
        f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
        if (row.supply) f.pick("Combo4", std::string(row.supply) == "E2" ? 2 : 4);
        const std::string verdict = f.record()["Picture9"].toolTip;
        const std::string motorRemark = f.record()["Combo2"].remark;
        EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
        EXPECT_EQ(f.record()["Picture9"].accessibleDescription, verdict);
        // The described tooltips stay, whatever is told beside them.
        EXPECT_EQ(f.record()["Combo2"].toolTip, "Choisir un moteur dans le menu déroulant");
        EXPECT_EQ(f.record()["Combo3"].toolTip, "Choisir un berceau dans le menu déroulant");
        EXPECT_EQ(f.record()["Combo4"].toolTip,
                  "Choisir un type d'alimentation dans le menu déroulant");
        if (!row.expected) {
            EXPECT_EQ(verdict.find("À vérifier"), std::string::npos) << verdict;
            EXPECT_EQ(motorRemark, "");
            continue;
        }
        const std::string told = std::string("À vérifier : ") + row.expected;
        EXPECT_NE(verdict.find("\n" + told), std::string::npos) << verdict;
        EXPECT_NE(motorRemark.find(told), std::string::npos) << motorRemark;
        EXPECT_EQ(f.record()["Combo2"].accessibleDescription, motorRemark);
    }
}

}  // namespace
