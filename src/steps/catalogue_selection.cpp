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
enum class AfterReading { Nothing, BatteryRule, FrontWheelCopies, RearWheelCopies, MaterialPicture };

// One row of the handler table; every list runs the same steps with these differences.
struct ListHandler {
    const char* list;
    CatalogueKind kind;
    bool setsMaterialsComplete;
    std::vector<const char*> cleared;
    const char* previewToHide;
    std::vector<const char*> fieldsFrom2;  // destination of record fields 2..N; nullptr: unused
    const char* baseToAxisCopy;            // also receives the last field, right after it
    const char* photoBox;                  // the .jpg picture
    const char* drawingImage;              // the .gif drawing of a mounting
    AfterReading after;
    std::vector<const char*> enable;
};

const std::vector<ListHandler>& handlers() {
    static const std::vector<ListHandler> table = {
        {"Combo1", CatalogueKind::Helice, false,
         {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"}, nullptr,
         {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text72", "Text73"}, nullptr,
         "Picture1", nullptr, AfterReading::Nothing, {"Combo2"}},
        {"Combo2", CatalogueKind::Moteur, false,
         {"Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15"}, nullptr,
         {"Text9", "Text10", "Text11", "Text12", "Text13", "Text14", "Text15"}, nullptr, "Picture2",
         nullptr, AfterReading::Nothing, {"Combo3"}},
        {"Combo3", CatalogueKind::Berceau, false,
         {"Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23"}, nullptr,
         {"Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23"}, "Text77", "Picture3",
         nullptr, AfterReading::Nothing, {"Combo4"}},
        {"Combo4", CatalogueKind::Energie, false,
         {"Text25", "Text26", "Text27", "Text28", "Text29", "Text78"}, nullptr,
         {"Text25", "Text26", "Text27", "Text28", "Text29", "Text78"}, nullptr, "Picture4", nullptr,
         AfterReading::BatteryRule, {"Combo5"}},
        {"Combo5", CatalogueKind::Interrupteur, false, {"Text31", "Text32", "Text33", "Text34", "Text35"},
         nullptr, {"Text31", "Text32", "Text33", "Text34", "Text35"}, nullptr, "Picture5", nullptr,
         AfterReading::Nothing, {"Combo6"}},
        {"Combo6", CatalogueKind::Roue, false, {"Text37", "Text38", "Text39", "Text40", "Text41", "Text42"},
         nullptr, {"Text37", "Text38", "Text39", "Text40", "Text41", "Text42"}, nullptr, "Picture6",
         nullptr, AfterReading::FrontWheelCopies, {"Combo7"}},
        {"Combo7", CatalogueKind::Roue, false, {"Text44", "Text45", "Text46", "Text47", "Text48", "Text49"},
         nullptr, {"Text44", "Text45", "Text46", "Text47", "Text48", "Text49"}, nullptr, "Picture7",
         nullptr, AfterReading::RearWheelCopies, {"Option1", "Option2"}},
        {"Combo8", CatalogueKind::Train, false, {"Text62", "Text63", "Text64", "Text65"}, "Picture16",
         {"Text62", "Text63", "Text64", "Text65", nullptr}, nullptr, "Picture14", "Image6",
         AfterReading::Nothing, {"Combo9"}},
        {"Combo9", CatalogueKind::Train, false, {"Text66", "Text68", "Text69", "Text70"}, "Picture17",
         {"Text68", "Text66", "Text69", "Text70", nullptr}, nullptr, "Picture10", "Image14",
         AfterReading::Nothing, {"Combo10"}},
        {"Combo10", CatalogueKind::Materiau, false, {"Text80"}, nullptr, {"Text80", nullptr, nullptr},
         nullptr, nullptr, nullptr, AfterReading::Nothing, {"Combo11"}},
        {"Combo11", CatalogueKind::Materiau, true, {"Text81"}, nullptr, {"Text81", nullptr, nullptr},
         nullptr, nullptr, nullptr, AfterReading::MaterialPicture, {}},
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

bool isStepList(std::string_view list) { return handlerFor(list) != nullptr; }

void chooseListItem(DesignRecord& record, Platform& platform, std::string_view list, int tag) {
    const ListHandler* handler = handlerFor(list);
    if (!handler) return;
    if (handler->setsMaterialsComplete) record.setText("Text74", "1");
    for (const char* field : handler->cleared) record.setText(field, "");
    if (handler->previewToHide) record[handler->previewToHide].visible = false;

    const std::string separator = platform.decimalSeparator();
    const std::optional<CatalogueRecord> found = readRecordAt(handler->kind, tag, separator);
    // A shorter file than at start-up would give an empty component of 0 g and 0 €.
    if (!found) {
        throw DataError(cataloguePath(handler->kind),
                        "le catalogue a changé depuis le démarrage de VENTAKAR : l'élément « " +
                            safeName(record.text(list)) + " » (enregistrement n° " + std::to_string(tag + 1) +
                            ") n'y figure plus. Relancez VENTAKAR pour relire les catalogues.");
    }
    for (std::size_t i = 0; i < handler->fieldsFrom2.size(); ++i) {
        if (handler->fieldsFrom2[i]) record.setText(handler->fieldsFrom2[i], std::string(found->fields[i + 1]));
    }
    if (handler->baseToAxisCopy) record.setText(handler->baseToAxisCopy, std::string(found->fields.back()));
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
