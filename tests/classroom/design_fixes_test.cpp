#include "classroom/design_fixes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classroom/class_csv.h"
#include "support/supplied_designs.h"
#include "support/temp_data_dir.h"
#include "window/design_record.h"

namespace {

// The supplied catalogues' design at the price limit: a big solar panel, a fast motor, 50 mm

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

FixSearch searchOn(const std::string& design, double pairSeconds = 2.0) {
    DesignScanner scanner(",");
    DesignRecord record;
    scanner.scanChoices(readDesign(design, "d.ventakar"), &record);
    return whatToChange(record, scanner, ",", pairSeconds);
}

// Every change that makes a design conform, cheapest then lightest first, each a design that
// conforms once replayed; the search's last words when one change is not enough, or nothing is.
TEST(WhatToChange, EveryFixConformsCheapestFirst) {
    TempDataDir dir;
    dir.copySuppliedData();
    const struct {
        const char* name;
        std::function<void(const TempDataDir&)> data;  // the catalogues changed, if at all
        std::string design;
        bool conforms, pairs;
        const char* first;        // the first fix's change, or "" when none
        const char* beyondReach;  // in the search's words when nothing conforms
    } rows[] = {
        {"OneCriterionAtItsLimit",
         {},
         kAtThePriceLimit,
         false,
         false,
         "Alimentation : Panneau solaire 6 V, grand format → Coupleur 2 piles AA",
         ""},
        {"TwoCriteriaTheMassAndThePrice",
         [](const TempDataDir& d) { d.write("Reglement.txt", "350,200,150,200,24\r\n"); },
         kAtThePriceLimit, false, false,
         "Alimentation : Panneau solaire 6 V, grand format → Coupleur 2 piles AA", ""},
        {"AGoneItemIsChosenAgain",
         {},
         replaced(kAtThePriceLimit, R"("text": "Roue 50 mm", "index": 3}, "rearWheel")",
                  R"("text": "Roue 99 mm", "index": 9}, "rearWheel")"),
         false,
         true,
         "",
         ""},  // a wheel picked again asks for its positions again
        {"NoChangeOfOneStepButAPair",
         [](const TempDataDir& d) { d.write("Reglement.txt", "350,200,150,130,25\r\n"); },
         kAtThePriceLimit, false, true, "", ""},
        {"NothingInReach",
         [](const TempDataDir& d) { d.write("Reglement.txt", "350,200,150,20,25\r\n"); },
         kAtThePriceLimit, false, true, "", "aucun changement"},
        {"ConformsAlready",
         {},
         replaced(kAtThePriceLimit, "Panneau solaire 6 V, grand format\", \"index\": 3",
                  "Coupleur 2 piles AA\", \"index\": 0"),
         true,
         false,
         "",
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        dir.copySuppliedData();
        if (row.data) row.data(dir);
        // Time enough for every pair, even under a sanitizer: the rows do not depend on speed.
        const FixSearch search = searchOn(row.design, 120.0);
        EXPECT_EQ(search.conformsAlready, row.conforms);
        if (row.conforms) {
            EXPECT_TRUE(search.fixes.empty());
            continue;
        }
        EXPECT_EQ(search.pairs, row.pairs);
        if (std::string(row.beyondReach).empty()) {
            ASSERT_FALSE(search.fixes.empty());
        } else {
            EXPECT_TRUE(search.fixes.empty());
            EXPECT_NE(search.beyondReach.find(row.beyondReach), std::string::npos)
                << search.beyondReach;
            EXPECT_NE(search.beyondReach.find("Masse"), std::string::npos) << search.beyondReach;
        }
        if (*row.first) {
            EXPECT_EQ(search.fixes.front().changes.front().what, row.first);
        }
        DesignScanner again(",");
        for (std::size_t i = 0; i < search.fixes.size(); ++i) {
            const DesignFix& fix = search.fixes[i];
            EXPECT_EQ(fix.changes.size(), row.pairs ? 2u : 1u);
            EXPECT_EQ(again.scanChoices(fix.choices).state, DesignState::Conforme)
                << fix.changes.front().what;
            if (i == 0) continue;
            const DesignFix& before = search.fixes[i - 1];
            EXPECT_LE(before.design.price.value_or(0), fix.design.price.value_or(0));
            if (before.design.price == fix.design.price) {
                EXPECT_LE(before.design.mass.value_or(0), fix.design.mass.value_or(0)) << "a tie";
            }
        }
        // The CSV's rows are the search's, one a fix.
        const TeacherTable table = fixesTable(search);
        EXPECT_EQ(table.rows.size(), search.fixes.size());
        if (!search.fixes.empty()) {
            std::vector<std::string> whats;
            for (const StepChange& change : search.fixes[0].changes) whats.push_back(change.what);
            EXPECT_EQ(table.rows[0][1].text, frenchList(whats));
            EXPECT_NE(cheapestFixText(search, ",").rfind("Il suffirait de : ", 0),
                      std::string::npos);
        }
    }
}

}  // namespace
