#include "classroom/class_order.h"

#include <map>
#include <utility>

#include "document/design_steps.h"

std::string designWho(const DesignRow& row) {
    return row.pupil.empty() ? row.file : row.pupil + " (" + row.file + ")";
}

ClassOrder classOrder(const std::vector<const DesignRow*>& rows, OrderScope scope) {
    ClassOrder order;
    // The first of a pupil's identical designs stands for the others.
    std::map<std::pair<std::string, std::string>, std::vector<const DesignRow*>> same;
    std::vector<std::vector<const DesignRow*>*> groups;
    for (const DesignRow* row : rows) {
        const bool conforming = row->state == DesignState::Conforme;
        if (scope == OrderScope::Conforming && !conforming) continue;
        if (scope != OrderScope::Conforming && !conforming) {
            order.nonConforming.push_back(row);
            // Nothing to order from a design nobody could read.
            if (scope == OrderScope::SelectionConformingOnly || row->choicesKey.empty()) continue;
        }
        // Unnamed designs are nobody's in particular: never taken for one pupil's copies.
        if (!row->pupil.empty() && !row->choicesKey.empty()) {
            auto& group = same[{row->pupil + "\n" + row->className, row->choicesKey}];
            group.push_back(row);
            if (group.size() > 1) continue;
            groups.push_back(&group);
        }
        order.designs.push_back(row);
    }
    std::vector<std::vector<PartLine>> parts;
    std::vector<std::string> who;
    for (const DesignRow* row : order.designs) {
        parts.push_back(row->parts);
        who.push_back(designWho(*row));
    }
    order.parts = mergeParts(parts);
    if (order.designs.empty()) return order;
    order.notes.push_back("Conceptions commandées (" + std::to_string(order.designs.size()) +
                          ") : " + frenchList(who));
    for (const auto* group : groups) {
        if (group->size() < 2) continue;
        std::vector<std::string> files;
        for (const DesignRow* row : *group) files.push_back(row->file);
        order.notes.push_back("Conceptions identiques de " + group->front()->pupil +
                              ", commandées une fois : " + frenchList(files));
    }
    std::vector<std::string> kept;
    for (const DesignRow* row : order.nonConforming)
        if (scope == OrderScope::Selection && !row->choicesKey.empty())
            kept.push_back(designWho(*row) + " : " + stateWords(row->state));
    if (!kept.empty())
        order.notes.push_back("Commandées bien que non conformes : " + frenchList(kept));
    order.parts.notes = order.notes;
    return order;
}
