#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "catalogue/number_text.h"

namespace {

// A plain decimal is shown from its digits, anything else through a double; on each side of the
// border between the two both must give what the double gives.
TEST(NumberPaths, BothPathsAgreeAtTheirBorder) {
    const char* raws[] = {
        "123456789012345",
        "1234567890123456",
        "12345678901234.5",
        "1234567890123.45",
        "0.001",
        "0.0001",
        "0.000123",
        "0.00012345678901234",
        "999999999999999",
        "9999999999999999",
        "-0.0001",
        "-123456789012345",
        "100000000000000.0",
        "1000000000000000",
        "0.10000000000000",
        "00012.3400",
        "+5.5",
        "-0",
        "0.0",
        ".5",
        "5.",
        "99999999999999.95",
        "0.000999999999999999",
    };
    for (const char* raw : raws) {
        std::string shown;
        ASSERT_TRUE(numberDisplayText(shown, raw, ",")) << raw;
        EXPECT_EQ(shown, formatNumber(std::strtod(raw, nullptr), ",")) << raw;
    }
}

}  // namespace
