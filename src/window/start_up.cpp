#include "window/start_up.h"

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "files/file_system.h"
#include "window/design_record.h"
#include "window/pictures.h"
#include "window/platform.h"

namespace {

std::string numbered(const char* prefix, int n) {
    return prefix + std::to_string(n);
}

// Fields in the order the load handler makes them read-only.
const std::vector<std::string>& readOnlyFields() {
    static const std::vector<std::string> fields = [] {
        std::vector<std::string> f = {"Text50"};
        for (int i = 2; i <= 7; ++i) f.push_back(numbered("Text", i));
        f.insert(f.end(), {"Text72", "Text73", "Text51"});
        for (int i = 9; i <= 15; ++i) f.push_back(numbered("Text", i));
        f.push_back("Text52");
        for (int i = 17; i <= 23; ++i) f.push_back(numbered("Text", i));
        f.push_back("Text53");
        for (int i = 25; i <= 29; ++i) f.push_back(numbered("Text", i));
        f.insert(f.end(), {"Text78", "Text1", "Text8", "Text16", "Text24", "Text54"});
        for (int i = 31; i <= 35; ++i) f.push_back(numbered("Text", i));
        f.push_back("Text55");
        for (int i = 37; i <= 42; ++i) f.push_back(numbered("Text", i));
        f.push_back("Text56");
        for (int i = 44; i <= 49; ++i) f.push_back(numbered("Text", i));
        f.push_back("Text57");
        for (int i = 62; i <= 70; ++i) f.push_back(numbered("Text", i));
        f.insert(f.end(), {"Text58", "Text59", "Text60", "Text71", "Text61", "Text75", "Text76",
                           "Text77", "Text79", "Text80", "Text81", "Text82"});
        return f;
    }();
    return fields;
}

struct ListSource {
    CatalogueKind kind;
    const char* list;  // nullptr: the battery units
};

constexpr ListSource kListSources[] = {
    {CatalogueKind::Helice, "Combo1"},    {CatalogueKind::Moteur, "Combo2"},
    {CatalogueKind::Berceau, "Combo3"},   {CatalogueKind::Energie, "Combo4"},
    {CatalogueKind::Pile, nullptr},       {CatalogueKind::Interrupteur, "Combo5"},
    {CatalogueKind::Roue, "Combo6"},      {CatalogueKind::Roue, "Combo7"},
    {CatalogueKind::Train, "Combo8"},     {CatalogueKind::Train, "Combo9"},
    {CatalogueKind::Materiau, "Combo10"}, {CatalogueKind::Materiau, "Combo11"},
};

constexpr const char* kStepPictureBoxes[] = {
    "Picture1", "Picture2",  "Picture3",  "Picture4",  "Picture5",  "Picture6",  "Picture7",
    "Picture8", "Picture12", "Picture15", "Picture14", "Picture10", "Picture11", "Picture9"};

constexpr const char* kPreviewBoxes[] = {"Picture19", "Picture20", "Picture13",
                                         "Picture16", "Picture17", "Picture18"};

}  // namespace

void loadDesignWindow(DesignRecord& record, Platform& platform, StartWindow startWindow) {
    if (startWindow == StartWindow::Show) platform.showStartWindow();
    // Started from the wrong folder, every file would be missing: say so once, plainly.
    std::error_code ignored;
    if (!std::filesystem::is_directory(systemPath(std::string(kDataDir)), ignored)) {
        throw DataError("Data",
                        "le dossier des données est introuvable dans le dossier de travail « " +
                            utf8Path(std::filesystem::current_path(ignored)) + " ».");
    }
    record.setText("Text74", "0");
    record["Combo1"].selectionStart = 0;
    record["Combo1"].selectionLength = 100;

    for (int step = 1; step <= 14; ++step) {
        showPicture(record, platform, kStepPictureBoxes[step - 1],
                    "Data/Choix" + std::to_string(step) + ".jpg");
    }
    for (const char* box : kPreviewBoxes) showPicture(record, platform, box, "Data/Apercu.jpg");

    for (int i = 2; i <= 11; ++i) record[numbered("Combo", i)].enabled = false;
    for (int i = 1; i <= 8; ++i) record[numbered("Option", i)].enabled = false;
    record["Check1"].enabled = false;
    record["Check2"].enabled = false;

    for (const std::string& field : readOnlyFields()) record[field].readOnly = true;
    for (const char* field : {"Text75", "Text76", "Text77", "Text80", "Text81", "Text82"}) {
        record.setText(field, "0");
    }
    record.setText("Text79", "5");
    for (int i = 85; i <= 92; ++i) record[numbered("Text", i)].readOnly = true;
    for (const char* field : {"Text90", "Text91", "Text92"}) record.setText(field, "0");

    for (const char* image : {"Image7", "Image8", "Image9", "Image10", "Image4", "Image5",
                              "Image17", "Image11", "Image13"}) {
        record[image].visible = false;
    }
    for (int i = 7; i <= 39; ++i) record[numbered("Line", i)].visible = false;
    for (const char* line : {"Line1", "Line2", "Line40", "Line41", "Line42", "Line43"}) {
        record[line].visible = false;
    }
    for (const char* sketch : {"Text43", "Text75", "Text76", "Text77", "Text79", "VScroll1"}) {
        record[sketch].visible = false;
    }
    record["Command1"].enabled = false;

    const std::string separator = platform.decimalSeparator();
    for (const ListSource& source : kListSources) {
        platform.records().forEachRecord(
            cataloguePath(source.kind), fieldCount(source.kind), separator,
            [&](const CatalogueRecord& r) {
                if (!source.list) {
                    const char* units[] = {"Text1", "Text8", "Text16", "Text24"};
                    for (std::size_t i = 0; i < 4; ++i)
                        record.setText(units[i], std::string(r.fields[i]));
                    return;
                }
                record[source.list].items.push_back({trimSpaces(r.fields[0]), r.index});
            });
    }
    platform.records().forEachRecord(
        std::string(kRulesPath), kRulesFieldCount, separator, [&](const CatalogueRecord& r) {
            for (int i = 0; i < kRulesFieldCount; ++i)
                record.setText(numbered("Text", 85 + i), std::string(r.fields[i]));
        });
}
