#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "estimation/compliance.h"
#include "support/design_fixture.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Compliance, OneStrictRuleForMaximaAndMinima) {
    const struct {
        double value, limit;
        Bound bound;
        Standing expected;
    } rows[] = {
        {249, 250, Bound::Maximum, Standing::Complies},
        {250, 250, Bound::Maximum, Standing::Tie},
        {251, 250, Bound::Maximum, Standing::Fails},
        {51, 50, Bound::Minimum, Standing::Complies},
        {50, 50, Bound::Minimum, Standing::Tie},
        {49, 50, Bound::Minimum, Standing::Fails},
        {kInf, 250, Bound::Maximum, Standing::Fails},
        {-kInf, 250, Bound::Maximum, Standing::Fails},
        {kNaN, 250, Bound::Maximum, Standing::Fails},
        {kInf, 50, Bound::Minimum, Standing::Fails},
        {10, kNaN, Bound::Maximum, Standing::Fails},
        {10, kInf, Bound::Maximum, Standing::Fails},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(standing(r.value, r.limit, r.bound), r.expected)
            << r.value << " against " << r.limit;
    }
}

TEST(Compliance, AMassTooLargeForANumberFailsInsteadOfPassing) {
    DesignFixture f;
    f.completeDesign(0, 0, 0, "Option1", "Option3", "Option5");
    ASSERT_EQ(f.record()["Picture9"].pictureFile, "Data/Oui.jpg");
    const std::string huge(400, '9');
    // Front wheels of +10^400 g and rear wheels of -10^400 g: the total is no number at all.
    f.dir.write("Roue.txt", "\"R50\",50," + huge + ",4,\"S\",\"R\",0.35\r\n\"R60\",50,-" + huge +
                                ",4,\"S\",\"R\",0.45\r\n");
    f.pick("Combo6", 0);
    f.pick("Combo7", 1);
    EXPECT_EQ(f.record()["Text91"].foreground, kComplianceRed) << f.text("Text91");
    EXPECT_EQ(f.record()["Picture9"].pictureFile, "Data/Non.jpg");
    EXPECT_FALSE(f.record()["Command1"].enabled);
}

}  // namespace
