#pragma once

#include <string>

// One item of a step list: its text and the index of the catalogue record it stands for.
struct ListItem {
    std::string text;
    int tag = 0;

    bool operator==(const ListItem&) const = default;
};
