#include "classroom/choice_alternatives.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/data_error.h"
#include "catalogue/visible_text.h"
#include "classroom/scan_platform.h"
#include "document/design_steps.h"
#include "estimation/verdict.h"
#include "steps/catalogue_selection.h"
#include "window/design_record.h"

namespace {

constexpr const char* kLists[] = {"Combo1", "Combo2", "Combo3", "Combo4",  "Combo5", "Combo6",
                                  "Combo7", "Combo8", "Combo9", "Combo10", "Combo11"};

// The caption the window shows beside a field: the label of its frame on the same line.
const Control* captionOf(const DesignRecord& record, const Control& field) {
    const int middle = field.geometry.top + field.geometry.height / 2;
    for (const Control& c : record.controls()) {
        if (c.kind != ControlKind::Label || c.parent != field.parent || !c.visible) continue;
        if (std::abs(c.geometry.top + c.geometry.height / 2 - middle) <= field.geometry.height / 2)
            return &c;
    }
    return nullptr;
}

bool red(const DesignRecord& record, const char* field) {
    return record[field].foreground && *record[field].foreground == kComplianceRed;
}

}  // namespace

bool offersAlternatives(std::string_view list) {
    for (const char* l : kLists)
        if (list == l) return true;
    return false;
}

ChoiceAlternatives alternativesOf(const DesignRecord& record, std::string_view list,
                                  const std::string& separator, int first, int count,
                                  std::shared_ptr<const CatalogueSnapshot> snapshot) {
    ChoiceAlternatives alternatives;
    if (!offersAlternatives(list)) return alternatives;
    for (const ChoiceSlot& slot : choiceSlots()) {
        if (slot.kind == ChoiceKind::List && list == slot.control)
            alternatives.step = "Etape " + std::to_string(slot.step) + " (" + slot.stepTitle + ")";
    }
    std::vector<const char*> fields;
    for (const char* name : fieldsOfList(list)) {
        const Control& field = record[name];
        if (!field.visible) continue;
        if (const Control* caption = captionOf(record, field)) {
            fields.push_back(name);
            alternatives.fieldCaptions.push_back(caption->text);
        }
    }
    ScanPlatform platform(separator, std::move(snapshot));
    const Control& shown = record[list];
    DesignRecord copy;  // assigned anew for each item, its strings' room reused
    const int items = static_cast<int>(shown.items.size());
    const int end = count < 0 ? items : std::min(items, first + count);
    for (int i = std::max(0, first); i < end; ++i) {
        ChoiceAlternative row;
        row.item = i;
        row.designation = visibleText(shown.items[i].text);
        row.current = hasChoice(shown) && shown.chosenItem == i;
        copy = record;
        try {
            pickListItem(copy, platform, list, i);
        } catch (const DataError& error) {
            row.failure = visibleText(error.what());
            alternatives.rows.push_back(std::move(row));
            continue;
        }
        for (const char* field : fields) row.fields.push_back(visibleText(copy.text(field)));
        row.design = describeRecord(copy, separator);
        row.massOver = red(copy, "Text91");
        row.priceOver = red(copy, "Text92");
        row.heightOver = red(copy, "Text90");
        row.axisUnder = red(copy, "Text43");
        const bool complete = row.design.height.has_value();
        for (const CriterionResult& c : criteriaResults(copy, separator)) {
            const std::string_view name = c.name;
            std::string* mark = name == "Masse"     ? &row.massMark
                                : name == "Prix"    ? &row.priceMark
                                : !complete         ? nullptr
                                : name == "Hauteur" ? &row.heightMark
                                                    : &row.axisMark;
            if (mark) *mark = standingMark(c, separator);
        }
        alternatives.rows.push_back(std::move(row));
    }
    return alternatives;
}
