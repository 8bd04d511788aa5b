#include "document/design_file.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/data_error.h"

namespace {

std::string withChoices(const std::string& choices) {
    return "{\"format\": \"ventakar-conception\", \"version\": 1, \"choices\": {" + choices + "}}";
}

struct BadFile {
    const char* name;
    std::string bytes;
    const char* reason;  // what the message must say
};

const char* const kNotADesign = "ce fichier n'est pas une conception VENTAKAR.";

const BadFile kBadFiles[] = {
    {"Empty", "", kNotADesign},
    {"PlainText", "Hélice bipale, 100 mm", kNotADesign},
    {"OtherJson", "{\"name\": \"x\", \"version\": 1}", kNotADesign},
    {"OtherFormat", "{\"format\": \"autre\", \"version\": 1, \"choices\": {}}", kNotADesign},
    {"Array", "[1, 2, 3]", kNotADesign},
    {"DeepNesting", std::string(200000, '['), kNotADesign},
    {"Newer", "{\"format\": \"ventakar-conception\", \"version\": 2, \"choices\": {}}",
     "version plus récente de VENTAKAR (format 2)"},
    {"CutShort", "{\"format\": \"ventakar-conception\", \"version\": 1, \"choices\": {\"prop",
     "le fichier est incomplet ou mal formé"},
    {"VersionAsText", "{\"format\": \"ventakar-conception\", \"version\": \"1\", \"choices\": {}}",
     "sa version est illisible"},
    {"VersionZero", "{\"format\": \"ventakar-conception\", \"version\": 0, \"choices\": {}}",
     "sa version est illisible"},
    {"NoChoices", "{\"format\": \"ventakar-conception\", \"version\": 1}", "les choix manquent"},
    {"ListWithoutIndex", withChoices("\"propeller\": {\"text\": \"P2\"}"),
     "le choix « propeller » n'a pas de texte et d'index"},
    {"ListAsText", withChoices("\"motor\": \"M24\""), "le choix « motor »"},
    {"NegativeIndex", withChoices("\"propeller\": {\"text\": \"P2\", \"index\": -1}"),
     "l'index du choix « propeller » est hors limites"},
    {"FractionalIndex", withChoices("\"propeller\": {\"text\": \"P2\", \"index\": 1.5}"),
     "le choix « propeller »"},
    {"UnknownOption", withChoices("\"batteryKind\": \"lithium\""),
     "« batteryKind » vaut autre chose que « pile » ou « accu »"},
    {"CheckAsNumber", withChoices("\"includeBatteryCost\": 1"),
     "« includeBatteryCost » n'est pas vrai ou faux"},
    {"ClearanceTooHigh", withChoices("\"clearance\": 51"), "la garde au sol"},
    {"ClearanceZero", withChoices("\"clearance\": 0"), "la garde au sol"},
    {"ClearanceFraction", withChoices("\"clearance\": 5.5"), "la garde au sol"},
    {"TooLarge", withChoices("") + std::string(kMaxDesignBytes, ' '),
     "le fichier est trop grand (1025 Kio) : une conception ne peut pas dépasser 1 Mio."},
};

class BadDesignFile : public testing::TestWithParam<BadFile> {};

TEST_P(BadDesignFile, IsRefusedWithItsFileAndReason) {
    try {
        readDesign(GetParam().bytes, "Classe/Léa.ventakar");
        FAIL() << "accepted";
    } catch (const DataError& error) {
        EXPECT_EQ(error.file(), "Classe/Léa.ventakar");
        EXPECT_NE(std::string(error.what()).find(GetParam().reason), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(DesignFile, BadDesignFile, testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return info.param.name; });

TEST(DesignFile, KeepsEveryChoiceThroughItsText) {
    DesignChoices choices;
    choices.lists["Combo1"] = {"Hélice « tripale », 3 pales", 7};
    choices.lists["Combo11"] = {"Contreplaqué 3 mm", 0};
    choices.options = {{"batteries", "Option8"},
                       {"front", "Option2"},
                       {"rear", "Option3"},
                       {"propeller", "Option6"}};
    choices.checks = {{"Check1", 1}, {"Check2", 0}};
    choices.clearance = 50;
    const std::string text = writeDesign(choices);
    EXPECT_EQ(readDesign(text, "x.ventakar"), choices);
    // The format's name is at the top, where a file manager's magic test looks for it.
    EXPECT_EQ(text.find("\"format\": \"ventakar-conception\""), 4u) << text;
    EXPECT_EQ(text.find("Masse"), std::string::npos) << "no catalogue value is saved";
}

TEST(DesignFile, IgnoresWhatALaterVersionOneFileAdds) {
    const auto choices = readDesign(
        withChoices("\"propeller\": {\"text\": \"P2\", \"index\": 0, \"comment\": \"x\"}, "
                    "\"colour\": \"blue\""),
        "x.ventakar");
    EXPECT_EQ(choices.lists.at("Combo1"), (ListChoice{"P2", 0}));
    EXPECT_EQ(choices.lists.size(), 1u);
}

// A design an editor re-saved in Windows-1252 is read, its accents whole, not called damaged.
TEST(DesignFile, AWindows1252DesignIsRead) {
    const std::string bytes =
        "{\"format\": \"ventakar-conception\", \"version\": 1, "
        "\"pupil\": {\"name\": \"Zo\xE9 L\xE9on\", \"class\": \"5e\"}, "
        "\"choices\": {\"propeller\": {\"text\": \"H\xE9lice\", "
        "\"index\": 0}}}";
    const DesignDocument read = readDesignDocument(bytes, "zoe.ventakar");
    EXPECT_EQ(read.pupil.name, "Zoé Léon");
    EXPECT_EQ(read.choices.lists.at("Combo1"), (ListChoice{"Hélice", 0}));
    EXPECT_EQ(readPupilOnly(bytes).name, "Zoé Léon");
}

}  // namespace
