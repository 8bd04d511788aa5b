#pragma once

#include <string_view>
#include <vector>

class DesignRecord;
class Platform;

// The selection handler of a step list (Combo1 to Combo11) for the item carrying this tag:
// clear the step's fields, find the record again, fill the fields and pictures, unlock the next
// step, then run the estimation.
void chooseListItem(DesignRecord& record, Platform& platform, std::string_view list, int tag);

// The pupil's pick of the item at this position of a step list: the list shows the item's text,
// remembers the pick, and the item's selection handler runs.
void pickListItem(DesignRecord& record, Platform& platform, std::string_view list, int itemIndex);
// True for the eleven step lists.
bool isStepList(std::string_view list);

// The fields a pick of this list fills from its record, in the record's order.
std::vector<const char*> fieldsOfList(std::string_view list);
