#include "classroom/design_comparison.h"

#include <filesystem>

#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "classroom/class_scan.h"
#include "document/design_steps.h"
#include "files/file_system.h"
#include "window/design_record.h"

namespace {

// The choices of a replayed design as the window shows them, slot by slot; none for a design
// that could not be read (the state's line says why).
std::vector<std::string> choiceTexts(const DesignRecord& record, const DesignRow& row) {
    std::vector<std::string> texts(choiceSlots().size());
    if (row.state == DesignState::Illisible) return texts;
    for (std::size_t i = 0; i < choiceSlots().size(); ++i) {
        const ChoiceSlot& slot = choiceSlots()[i];
        // The batteries' kind and costs of a supply that has none: not a choice, nothing to
        // tell apart.
        const char* control = slot.kind == ChoiceKind::OptionPair ? slot.first : slot.control;
        if ((slot.kind == ChoiceKind::OptionPair || slot.kind == ChoiceKind::CheckBox) &&
            !record[control].enabled) {
            texts[i] = "sans objet";
            continue;
        }
        switch (slot.kind) {
            case ChoiceKind::List:
                texts[i] = record.text(slot.control);
                break;
            case ChoiceKind::OptionPair:
                texts[i] = record[slot.first].selected    ? record.text(slot.first)
                           : record[slot.second].selected ? record.text(slot.second)
                                                          : std::string();
                break;
            case ChoiceKind::CheckBox:
                texts[i] = record[slot.control].checkValue == 1 ? "oui" : "non";
                break;
            case ChoiceKind::Clearance:
                texts[i] = std::to_string(record[slot.control].value) + " mm";
                break;
        }
    }
    return texts;
}

std::string slotLabel(const ChoiceSlot& slot) {
    std::string label = "Étape " + std::to_string(slot.step) + " (" + slot.stepTitle + ")";
    switch (slot.kind) {
        case ChoiceKind::OptionPair:
            return label + (slot.step == 4 ? ", type de batteries" : "");
        case ChoiceKind::CheckBox:
            return label + (std::string(slot.control) == "Check1"
                                ? ", coût des batteries compté"
                                : ", masse des batteries comptée");
        case ChoiceKind::Clearance:
            return label + ", garde au sol";
        case ChoiceKind::List:
            if (std::string(slot.control) == "Combo10") return label + ", châssis";
            if (std::string(slot.control) == "Combo11") return label + ", supports de roues";
            return label;
    }
    return label;
}

}  // namespace

std::vector<ComparedLine> compareDesigns(const std::string& first, const std::string& second,
                                         const std::string& separator) {
    DesignScanner scanner(separator);
    DesignRecord recordA;
    DesignRecord recordB;
    const DesignRow rowA = scanner.scan(first, utf8Path(systemPath(first).filename()), &recordA);
    const DesignRow rowB = scanner.scan(second, utf8Path(systemPath(second).filename()), &recordB);
    const std::vector<std::string> a = choiceTexts(recordA, rowA);
    const std::vector<std::string> b = choiceTexts(recordB, rowB);
    std::vector<ComparedLine> lines;
    lines.push_back({"Élève", rowA.pupil, rowB.pupil});
    lines.push_back({"Classe", rowA.className, rowB.className});
    for (std::size_t i = 0; i < choiceSlots().size(); ++i)
        lines.push_back({slotLabel(choiceSlots()[i]), visibleText(a[i]), visibleText(b[i])});
    for (int column : {6, 7, 8, 9, 4, 5, 10, 11, 12, 13}) {
        lines.push_back({classColumns()[column], classCell(rowA, column, separator),
                         classCell(rowB, column, separator)});
    }
    return lines;
}
