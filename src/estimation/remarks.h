#pragma once

#include <string>
#include <string_view>
#include <vector>

class DesignRecord;

// Parts of a design that do not fit together, from the catalogues' own fields: a motor whose
// diameter is not its cradle's, a motor not suited to solar power on a supply without batteries
// or of type « Solaire ». They never change the verdict; the pupil and the teacher are told.
std::vector<std::string> partRemarks(const DesignRecord& record, std::string_view decimalSeparator);

// The remarks shown to the pupil: on the lists where the parts are chosen (their remark, told
// with their described tooltip and on focus), and after the verdict's explanation, each as
// « À vérifier : … ».
void showPartRemarks(DesignRecord& record, std::string_view decimalSeparator);

inline constexpr const char* kRemarkPrefix = "À vérifier : ";
