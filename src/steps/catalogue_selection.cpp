#include "steps/catalogue_selection.h"

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"
#include "estimation/encombrement.h"
#include "steps/battery_rule.h"
#include "steps/chassis.h"
#include "window/design_record.h"
#include "window/pictures.h"
#include "window/platform.h"

namespace {

// What happens once the file has been read, before the next step is unlocked.
enum class AfterReading {
    Nothing,
    BatteryRule,
    FrontWheelCopies,
    RearWheelCopies,
    MaterialPicture
};

// One row of the handler table; every list runs the same steps with these differences.
struct ListHandler {
    const char* list = nullptr;
    CatalogueKind kind = CatalogueKind::Helice;
    bool setsMaterialsComplete = false;
    std::vector<const char*> cleared = {};
    const char* previewToHide = nullptr;
    std::vector<const char*> fieldsFrom2 =
        {};                                // destination of record fields 2..N; nullptr: unused
    const char* baseToAxisCopy = nullptr;  // also receives the last field, right after it
    const char* photoBox = nullptr;        // the .jpg picture
    const char* drawingImage = nullptr;    // the .gif drawing of a mounting
    AfterReading after = AfterReading::Nothing;
    std::vector<const char*> enable = {};
};

const std::vector<ListHandler>& handlers() {
    static const std::vector<ListHandler> table = {
        {.list = "Combo1",
         .kind = CatalogueKind::Helice,
         .cleared = {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"},
         .fieldsFrom2 = {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"},
         .photoBox = "Picture1",
         .enable = {"Combo2"}},
        {.list = "Combo2",
         .kind = CatalogueKind::Moteur,
         .cleared = {"Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15"},
         .fieldsFrom2 = {"Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15"},
         .photoBox = "Picture2",
         .enable = {"Combo3"}},
        {.list = "Combo3",
         .kind = CatalogueKind::Berceau,
         .cleared = {"Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23"},
         .fieldsFrom2 = {"Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23"},
         .baseToAxisCopy = "Text77",
         .photoBox = "Picture3",
         .enable = {"Combo4"}},
        {.list = "Combo4",
         .kind = CatalogueKind::Energie,
         .cleared = {"Text25", "Text26", "Text27", "Text28", "Text29", "Text78"},
         .fieldsFrom2 = {"Text25", "Text26", "Text27", "Text28", "Text29", "Text78"},
         .photoBox = "Picture4",
         .after = AfterReading::BatteryRule,
         .enable = {"Combo5"}},
        {.list = "Combo5",
         .kind = CatalogueKind::Interrupteur,
         .cleared = {"Text31", "Text32", "Text33", "Text34", "Text35"},
         .fieldsFrom2 = {"Text31", "Text32", "Text33", "Text34", "Text35"},
         .photoBox = "Picture5",
         .enable = {"Combo6"}},
        {.list = "Combo6",
         .kind = CatalogueKind::Roue,
         .cleared = {"Text37", "Text38", "Text39", "Text40", "Text41", "Text42"},
         .fieldsFrom2 = {"Text37", "Text38", "Text39", "Text40", "Text41", "Text42"},
         .photoBox = "Picture6",
         .after = AfterReading::FrontWheelCopies,
         .enable = {"Combo7"}},
        {.list = "Combo7",
         .kind = CatalogueKind::Roue,
         .cleared = {"Text44", "Text45", "Text46", "Text47", "Text48", "Text49"},
         .fieldsFrom2 = {"Text44", "Text45", "Text46", "Text47", "Text48", "Text49"},
         .photoBox = "Picture7",
         .after = AfterReading::RearWheelCopies,
         .enable = {"Option1", "Option2"}},
        {.list = "Combo8",
         .kind = CatalogueKind::Train,
         .cleared = {"Text62", "Text63", "Text64", "Text65"},
         .previewToHide = "Picture16",
         .fieldsFrom2 = {"Text62", "Text63", "Text64", "Text65", nullptr},
         .photoBox = "Picture14",
         .drawingImage = "Image6",
         .enable = {"Combo9"}},
        {.list = "Combo9",
         .kind = CatalogueKind::Train,
         .cleared = {"Text66", "Text68", "Text69", "Text70"},
         .previewToHide = "Picture17",
         .fieldsFrom2 = {"Text68", "Text66", "Text69", "Text70", nullptr},
         .photoBox = "Picture10",
         .drawingImage = "Image14",
         .enable = {"Combo10"}},
        {.list = "Combo10",
         .kind = CatalogueKind::Materiau,
         .cleared = {"Text80"},
         .fieldsFrom2 = {"Text80", nullptr, nullptr},
         .enable = {"Combo11"}},
        {.list = "Combo11",
         .kind = CatalogueKind::Materiau,
         .setsMaterialsComplete = true,
         .cleared = {"Text81"},
         .fieldsFrom2 = {"Text81", nullptr, nullptr},
         .after = AfterReading::MaterialPicture},
    };
    return table;
}

const ListHandler* handlerFor(std::string_view list) {
    for (const ListHandler& h : handlers()) {
        if (list == h.list) return &h;
    }
    return nullptr;
}

void copyPropellerSideWheel(DesignRecord& record, const char* diameter, const char* axle) {
    record.setText("Text76", record.text(diameter));
    record.setText("Text82", record.text(axle));
}

}  // namespace

bool isStepList(std::string_view list) {
    return handlerFor(list) != nullptr;
}

void chooseListItem(DesignRecord& record, Platform& platform, std::string_view list, int tag) {
    const ListHandler* handler = handlerFor(list);
    if (!handler) return;
    if (handler->setsMaterialsComplete) record.setText("Text74", "1");
    for (const char* field : handler->cleared) record.setText(field, "");
    if (handler->previewToHide) record[handler->previewToHide].visible = false;

    const std::string separator = platform.decimalSeparator();
    const std::optional<CatalogueRecord> found =
        platform.records().recordAt(handler->kind, tag, separator);
    // A shorter file than at start-up would give an empty component of 0 g and 0 €.
    if (!found) {
        throw DataError(cataloguePath(handler->kind),
                        "le catalogue a changé depuis le démarrage de VENTAKAR : l'élément « " +
                            safeName(record.text(list)) + " » (enregistrement n° " +
                            std::to_string(tag + 1) +
                            ") n'y figure plus. Relancez VENTAKAR pour relire les catalogues.");
    }
    for (std::size_t i = 0; i < handler->fieldsFrom2.size(); ++i) {
        if (handler->fieldsFrom2[i])
            record.setText(handler->fieldsFrom2[i], std::string(found->fields[i + 1]));
    }
    if (handler->baseToAxisCopy)
        record.setText(handler->baseToAxisCopy, std::string(found->fields.back()));
    const std::vector<std::string> pictures = componentPicturePath(handler->kind, *found);
    if (handler->drawingImage) {
        showPicture(record, platform, handler->drawingImage, pictures.at(0));
        showPicture(record, platform, handler->photoBox, pictures.at(1));
    } else if (handler->photoBox) {
        showPicture(record, platform, handler->photoBox, pictures.at(0));
    }
    if (handler->after == AfterReading::BatteryRule) applyBatteryRuleForRecord(record, separator);

    switch (handler->after) {
        case AfterReading::BatteryRule:
            applyBatteryRuleAfterReading(record, separator);
            break;
        case AfterReading::FrontWheelCopies:
            if (record["Option5"].selected) copyPropellerSideWheel(record, "Text37", "Text39");
            chassis(record, platform);
            break;
        case AfterReading::RearWheelCopies:
            if (record["Option6"].selected) copyPropellerSideWheel(record, "Text44", "Text46");
            chassis(record, platform);
            break;
        case AfterReading::MaterialPicture:
            showPicture(record, platform, "Picture11", "Data/Materiau.jpg");
            break;
        case AfterReading::Nothing:
            break;
    }
    for (const char* next : handler->enable) record[next].enabled = true;
    encombrement(record, platform);
}

void pickListItem(DesignRecord& record, Platform& platform, std::string_view list, int itemIndex) {
    Control& chosen = record[list];
    chosen.text = chosen.items[itemIndex].text;
    chosen.selectionLength = 0;  // the chosen text replaces the selected start text
    chosen.chosenItem = itemIndex;
    chosen.choiceMissing = false;
    chooseListItem(record, platform, list, chosen.items[itemIndex].tag);
}

std::vector<const char*> fieldsOfList(std::string_view list) {
    std::vector<const char*> fields;
    for (const ListHandler& handler : handlers()) {
        if (handler.list != list) continue;
        for (const char* field : handler.fieldsFrom2)
            if (field) fields.push_back(field);
    }
    return fields;
}
