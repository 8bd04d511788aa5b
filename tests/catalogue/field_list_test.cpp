#include <gtest/gtest.h>

#include "catalogue/field_list.h"

namespace {

TEST(FieldList, FieldsKeepTheirBoundsIncludingEmptyOnes) {
    FieldList fields{"Balsa", "", "3", ""};
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "Balsa");
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "3");
    EXPECT_EQ(fields.back(), "");
    EXPECT_THROW(fields.at(4), std::out_of_range);
    EXPECT_EQ(fields, (std::vector<std::string>{"Balsa", "", "3", ""}));
    EXPECT_FALSE(fields == (std::vector<std::string>{"Balsa", "", "3"}));
    EXPECT_FALSE(fields == (FieldList{"Bals", "a", "3", ""}));  // same text, other bounds
    fields.clear();
    EXPECT_TRUE(fields.empty());
    EXPECT_THROW(fields.front(), std::out_of_range);
}

}  // namespace
