#pragma once

#include <cstdint>

#include "catalogue/field_list.h"

// One record of a catalogue file: its 0-based position and its fields as a window shows them.
struct CatalogueRecord {
    std::int32_t index = 0;
    FieldList fields;

    bool operator==(const CatalogueRecord&) const = default;
};
