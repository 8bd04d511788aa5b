#pragma once

#include <string>
#include <vector>

#include "classroom/class_scan.h"
#include "classroom/parts_list.h"

// The designs a teacher's order covers. By default every « Conforme » design of the rows given
// (those shown, after the filter and the search); with a selection of several rows, those, the
// ones that do not conform only when the teacher keeps them. A pupil's identical designs (the same
// choices saved under two names) are ordered once.
struct ClassOrder {
    std::vector<const DesignRow*> designs;        // ordered, in the rows' order
    std::vector<const DesignRow*> nonConforming;  // selected but not « Conforme »: to ask about
    std::vector<std::string> notes;  // what the order covers, and the identical designs left out
    PartsList parts;                 // the designs' parts merged, the notes with them
};

enum class OrderScope { Conforming, Selection, SelectionConformingOnly };

ClassOrder classOrder(const std::vector<const DesignRow*>& rows, OrderScope scope);

// « Léa Martin (lea.ventakar) », or the file alone when nobody is named.
std::string designWho(const DesignRow& row);
