#include <gtest/gtest.h>

#include <set>

#include "window/design_record.h"

namespace {

TEST(DesignRecord, EveryControlHasAUniqueNameAndAKnownContainer) {
    DesignRecord record;
    std::set<std::string> names;
    for (const Control& c : record.controls()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        if (!c.parent.empty()) {
            EXPECT_EQ(record[c.parent].kind, ControlKind::Frame) << c.name;
        }
    }
    // 15 frames; the fields Text1 to Text92 that the design uses; 11 lists; 8 options; 2 checks.
    std::size_t frames = 0, lists = 0, options = 0, checks = 0, lines = 0;
    for (const Control& c : record.controls()) {
        frames += c.kind == ControlKind::Frame;
        lists += c.kind == ControlKind::List;
        options += c.kind == ControlKind::OptionButton;
        checks += c.kind == ControlKind::CheckBox;
        lines += c.kind == ControlKind::Line;
    }
    EXPECT_EQ(frames, 15u);
    EXPECT_EQ(lists, 11u);
    EXPECT_EQ(options, 8u);
    EXPECT_EQ(checks, 2u);
    EXPECT_EQ(lines, 43u);
}

TEST(DesignRecord, GeometryOfControlsTheLayoutFixes) {
    DesignRecord record;
    const struct {
        const char* name;
        Geometry geometry;
    } rows[] = {
        {"Frame1", {120, 0, 3015, 4215}},        {"Frame4", {3240, 0, 3015, 5295}},
        {"Frame10", {9480, 0, 7095, 2295}},      {"Frame13", {9480, 7320, 3495, 5055}},
        {"Frame12", {13080, 2280, 8415, 8295}},  {"Frame15", {13080, 10560, 4455, 1815}},
        {"Picture1", {120, 240, 1185, 1185}},    {"Text50", {1440, 480, 1455, 285}},
        {"Combo1", {1440, 840, 1455, 315}},      {"Text2", {1680, 1560, 1215, 285}},
        {"Text72", {1680, 3720, 1215, 285}},     {"Text7", {1800, 3360, 1215, 285}},
        {"Text37", {1560, 1560, 1215, 285}},     {"Text15", {1680, 3720, 1215, 285}},
        {"Option7", {1800, 3720, 1095, 255}},    {"Check2", {360, 4800, 2535, 435}},
        {"Option2", {1440, 840, 1455, 615}},     {"Image9", {120, 1560, 2700, 2280}},
        {"Option6", {6120, 1800, 855, 255}},     {"Image17", {3120, 480, 2805, 1500}},
        {"Combo8", {1440, 840, 1815, 315}},      {"Text63", {120, 4680, 3135, 285}},
        {"Image6", {120, 2280, 3135, 2295}},     {"Text65", {2040, 1920, 1215, 285}},
        {"Combo11", {2640, 1560, 2055, 315}},    {"Image16", {1440, 1320, 900, 870}},
        {"Image13", {1680, 1920, 4740, 4740}},   {"Image11", {1440, 2400, 5250, 5745}},
        {"Text43", {7080, 6240, 735, 315}},      {"Text82", {3480, 6840, 1215, 375}},
        {"VScroll1", {360, 6360, 255, 975}},     {"Text61", {2880, 7800, 2415, 285}},
        {"Text89", {3600, 720, 735, 285}},       {"Text90", {1920, 1200, 735, 285}},
        {"Command1", {17640, 11280, 1215, 495}}, {"Image12", {18960, 10800, 2505, 1515}},
    };
    for (const auto& row : rows) EXPECT_EQ(record[row.name].geometry, row.geometry) << row.name;
    EXPECT_EQ(record["Text7"].parent, "");
    EXPECT_EQ(record["Text2"].parent, "Frame1");
}

TEST(DesignRecord, DesignTimeState) {
    DesignRecord record;
    const struct {
        const char* name;
        const char* text;
    } hidden[] = {{"Text1", "Text1"},   {"Text8", "Text1"},
                  {"Text16", "Text1"},  {"Text24", "Text1"},
                  {"Text30", "Text30"}, {"Text36", "Text36"},
                  {"Text62", ""},       {"Text68", ""},
                  {"Text73", ""},       {"Text74", "Text74"},
                  {"Text80", "Text80"}, {"Text81", "Text81"},
                  {"Text82", "Text82"}, {"queChanger", "Que changer ?"}};
    std::set<std::string> hiddenNames;
    for (const auto& h : hidden) {
        EXPECT_FALSE(record[h.name].visible) << h.name;
        EXPECT_EQ(record.text(h.name), h.text) << h.name;
        hiddenNames.insert(h.name);
    }
    for (const Control& c : record.controls()) {
        EXPECT_TRUE(c.enabled) << c.name;
        if (!hiddenNames.count(c.name)) {
            EXPECT_TRUE(c.visible) << c.name;
        }
        if (c.kind == ControlKind::List) {
            EXPECT_EQ(c.text, "Sélection") << c.name;
            EXPECT_TRUE(c.items.empty()) << c.name;
        }
        if (c.kind == ControlKind::OptionButton) {
            EXPECT_EQ(c.selected, c.name == "Option7") << c.name;
        }
        if (c.kind == ControlKind::CheckBox) {
            EXPECT_EQ(c.checkValue, 0) << c.name;
        }
    }
    const struct {
        const char* name;
        const char* text;
    } sketch[] = {{"Text43", "Sol"},
                  {"Text75", "0"},
                  {"Text76", "0"},
                  {"Text77", "XXXX"},
                  {"Text79", "Text79"}};
    for (const auto& s : sketch) EXPECT_EQ(record.text(s.name), s.text) << s.name;
    EXPECT_EQ(record.text("Text2"), "");
    EXPECT_EQ(record["VScroll1"].value, 5);
    EXPECT_EQ(record["VScroll1"].maximum, 50);
    EXPECT_EQ(record["Line3"].lineWidth, 3);
    EXPECT_EQ(record["Line8"].y1, 600);
    EXPECT_EQ(record["Line19"].x1, 2520);
}

TEST(DesignRecord, CaptionsTooltipsAndHeadings) {
    DesignRecord record;
    const struct {
        const char* name;
        const char* text;
        const char* toolTip;
    } rows[] = {
        {"Combo1", "Sélection", "Choisir une hélice dans le menu déroulant"},
        {"Combo4", "Sélection", "Choisir un type d'alimentation dans le menu déroulant"},
        {"Combo7", "Sélection", "Choisir une roue arrière dans le menu déroulant"},
        {"Combo8", "Sélection", ""},
        {"Command3", "A propos", "A propos"},
        {"Command1", "Imprimer", ""},
        {"quitter", "Quitter", "Sortir"},
        {"Option1", "Châssis au dessus des roues avant", ""},
        {"Option4", "Châssis entre les roues arrière", ""},
        {"Check1", "Prendre en compte le coût des batteries", ""},
        {"Frame13", "Etape 12", ""},
        {"Frame12", "Etape 14", ""},
        {"Label1", "Diamètre (mm)", ""},
        {"Label2", "Masse (g)", ""},
        {"Label6", "Prix HT (Euros)", ""},
        {"Label26", "Type", ""},
        {"Label50", "Hauteur Maxi (mm)", ""},
        {"Label52", "Prix Maxi HT (euro)", ""},
        {"Label53", "Votre sélection", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(record.text(row.name), row.text) << row.name;
        EXPECT_EQ(record[row.name].toolTip, row.toolTip) << row.name;
    }
    for (const char* heading : {"Text50", "Text57", "Text60", "Text61", "Text71"}) {
        EXPECT_EQ(record[heading].background, Background::LightYellow) << heading;
        EXPECT_TRUE(record[heading].bold) << heading;
    }
    EXPECT_EQ(record.text("Text60"), "Position de l'hélice");
    EXPECT_EQ(record.byMember("propellerDiameter").name, "Text2");
    EXPECT_EQ(record.byMember("chassisCase").name, "Text36");
    EXPECT_EQ(record.byMember("sketchAxleDiameter").name, "Text82");
    EXPECT_EQ(record["Text88"].background, Background::ButtonFace);
    EXPECT_TRUE(record["Text92"].bold);
}

}  // namespace

// A class scan replays design after design on one record, put back each time where the last
// design changed it: whatever was changed, and however, is back as in the record it came from.
TEST(DesignRecord, RestorePutsBackWhatWasChangedWhateverTheWay) {
    DesignRecord base;
    base.setText("Text2", "100");
    DesignRecord r;
    r.restore(base);  // from another record: copied whole
    EXPECT_EQ(r, base);
    r["Text2"].text = "250";
    r["Combo1"].chosenItem = 3;
    r.byMember("includeBatteryCost").checkValue = 1;
    r.setText("Text91", "12,5");
    EXPECT_FALSE(r == base);
    r.restore(base);
    EXPECT_EQ(r, base);
    const DesignRecord copy = r;  // a copy tracks nothing: restored whole
    DesignRecord other = copy;
    other["Text3"].text = "x";
    other.restore(base);
    EXPECT_EQ(other, base);
    DesignRecord elsewhere;
    elsewhere["Text4"].text = "autre";
    r.restore(elsewhere);
    EXPECT_EQ(r, elsewhere);
}
