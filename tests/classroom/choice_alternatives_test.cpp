#include "classroom/choice_alternatives.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "catalogue/my_val.h"
#include "support/design_fixture.h"

namespace {

// Every row equals what the window shows once its item is picked, for every item of every list
// that offers a comparison, on the test catalogues and on the supplied Data; the design compared
// is never changed.
TEST(ChoiceAlternatives, EachRowIsTheDesignTheWindowGivesOnceItsItemIsPicked) {
    const struct {
        const char* name;
        std::function<void(DesignFixture&)> data;
        std::function<void(DesignFixture&)> design;
    } sets[] = {
        {"TestCatalogues", [](DesignFixture&) {},
         [](DesignFixture& f) { f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5"); }},
        {"SuppliedData",
         [](DesignFixture& f) {
             f.dir.copySuppliedData();
             ASSERT_TRUE(f.session.newDesign());
         },
         [](DesignFixture& f) {
             f.completeDesign(0, 1, 1, "Option1", "Option3", "Option5");
             f.pick("Combo4", 1);
         }},
    };
    for (const auto& set : sets) {
        SCOPED_TRACE(set.name);
        DesignFixture f;
        set.data(f);
        set.design(f);
        // The comparison looks for the pictures the window would load: every item picked once.
        const char* const lists[] = {"Combo1", "Combo2", "Combo3", "Combo4",  "Combo5", "Combo6",
                                     "Combo7", "Combo8", "Combo9", "Combo10", "Combo11"};
        for (const char* list : lists) {
            for (int i = 0; i < static_cast<int>(f.record()[list].items.size()); ++i) {
                const DesignRecord before = f.record();
                f.pick(list, i);
                if (f.record() != before) f.session.undo();
            }
        }
        for (const std::string& picture : f.platform.picturesLoaded())
            if (!std::filesystem::exists(f.dir.root() / picture))
                std::ofstream(f.dir.root() / picture);
        int compared = 0;
        for (const char* list : lists) {
            SCOPED_TRACE(list);
            const DesignRecord before = f.record();
            const ChoiceAlternatives alternatives = alternativesOf(f.record(), list, ",");
            EXPECT_EQ(recordDifference(before, f.record()), "") << "nothing changes";
            ASSERT_EQ(alternatives.rows.size(), before[list].items.size());
            EXPECT_FALSE(alternatives.step.empty());
            int current = 0;
            for (const ChoiceAlternative& row : alternatives.rows) {
                SCOPED_TRACE(row.designation);
                current += row.current ? 1 : 0;
                f.pick(list, row.item);
                const DesignRecord& r = f.record();
                if (!row.failure.empty()) {
                    EXPECT_EQ(recordDifference(before, r), "") << "the window refuses it too";
                    continue;
                }
                EXPECT_EQ(row.designation, r.text(list));
                EXPECT_EQ(*row.design.mass, MyVal(r.text("Text91"), ","));
                EXPECT_EQ(*row.design.price, MyVal(r.text("Text92"), ","));
                EXPECT_EQ(row.design.height.has_value(), r["Image11"].visible);
                if (row.design.height) {
                    EXPECT_EQ(*row.design.height, MyVal(r.text("Text90"), ","));
                    EXPECT_EQ(*row.design.axis, MyVal(r.text("Text43"), ","));
                }
                const std::string& verdict = r["Picture9"].pictureFile;
                EXPECT_EQ(row.design.state == DesignState::Conforme, verdict == "Data/Oui.jpg");
                EXPECT_EQ(row.design.state == DesignState::NonConforme, verdict == "Data/Non.jpg");
                EXPECT_EQ(row.massOver, r["Text91"].foreground == kComplianceRed);
                EXPECT_EQ(row.priceOver, r["Text92"].foreground == kComplianceRed);
                // Each value's words say what the window's colour says, of that value only.
                const struct {
                    const std::string& mark;
                    bool over;
                    const char* field;
                } marks[] = {{row.massMark, row.massOver, "Text91"},
                             {row.priceMark, row.priceOver, "Text92"},
                             {row.heightMark, row.heightOver, "Text90"},
                             {row.axisMark, row.axisUnder, "Text43"}};
                for (const auto& m : marks) {
                    const bool red = r[m.field].foreground == kComplianceRed;
                    EXPECT_EQ(m.over, red) << m.field;
                    EXPECT_EQ(!m.mark.empty() && m.mark != "à la limite", red)
                        << m.field << " « " << m.mark << " »";
                }
                ASSERT_EQ(row.fields.size(), alternatives.fieldCaptions.size());
                ++compared;
                if (r != before) f.session.undo();
                EXPECT_EQ(recordDifference(before, f.record()), "");
            }
            EXPECT_EQ(current, 1) << "today's choice marked once";
        }
        EXPECT_GT(compared, 25);
    }
}

}  // namespace
