#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "catalogue/catalogue.h"
#include "catalogue/my_val.h"

namespace {

// The catalogues shipped in Data/ must read cleanly and offer what a pupil needs to try designs.
TEST(SuppliedData, EveryCatalogueReadsWithEnoughChoices) {
    const struct {
        CatalogueKind kind;
        std::size_t atLeast;
    } rows[] = {
        {CatalogueKind::Helice, 6},  {CatalogueKind::Moteur, 4}, {CatalogueKind::Berceau, 3},
        {CatalogueKind::Energie, 4}, {CatalogueKind::Pile, 1},   {CatalogueKind::Interrupteur, 3},
        {CatalogueKind::Roue, 6},    {CatalogueKind::Train, 4},  {CatalogueKind::Materiau, 4}};
    for (const auto& row : rows) {
        const auto records = readCatalogue(row.kind, ",");
        EXPECT_GE(records.size(), row.atLeast) << cataloguePath(row.kind);
        const std::string bytes = readFileBytes(cataloguePath(row.kind));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r')
                    << cataloguePath(row.kind) << " at " << i;
            }
        }
    }
    EXPECT_EQ(readCatalogue(CatalogueKind::Pile, ",").size(), 1u);
    EXPECT_GE(readRecordFile(std::string(kRulesPath), kRulesFieldCount, ",").size(), 1u);
}

TEST(SuppliedData, PropellersPowerSuppliesAndWheelsCoverTheCases) {
    std::set<std::string> bladeKinds;
    for (const auto& r : readCatalogue(CatalogueKind::Helice, ",")) {
        bladeKinds.insert(std::string(r.fields[7]) + std::string(r.fields[8]));
    }
    EXPECT_TRUE(bladeKinds.count("2o") + bladeKinds.count("2n") > 0);
    EXPECT_TRUE(bladeKinds.count("3o"));
    EXPECT_TRUE(bladeKinds.count("3n"));

    std::set<double> batteryCounts;
    for (const auto& r : readCatalogue(CatalogueKind::Energie, ","))
        batteryCounts.insert(MyVal(r.fields[6]));
    EXPECT_TRUE(batteryCounts.count(0) && batteryCounts.count(2) && batteryCounts.count(4));

    std::set<double> diameters;
    for (const auto& r : readCatalogue(CatalogueKind::Roue, ","))
        diameters.insert(MyVal(r.fields[1]));
    EXPECT_GE(diameters.size(), 4u);

    const auto commas = [](const CatalogueRecord& r) {
        return r.fields[0].find(',') != std::string::npos;
    };
    const auto propellers = readCatalogue(CatalogueKind::Helice, ",");
    EXPECT_TRUE(std::any_of(propellers.begin(), propellers.end(), commas));
}

}  // namespace
