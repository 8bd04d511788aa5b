#include "estimation/field_values.h"

#include <limits>

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"

double FieldValues::operator()(std::string_view field) const {
    return MyVal(record_.text(field), separator_);
}

double FieldValues::result(std::string_view field) const {
    const std::string& text = record_.text(field);
    if (text == "inf") return std::numeric_limits<double>::infinity();
    if (text == "-inf") return -std::numeric_limits<double>::infinity();
    if (text == "nan" || text == "-nan") return std::numeric_limits<double>::quiet_NaN();
    return MyVal(text, separator_);
}

void FieldValues::write(std::string_view field, double value) {
    record_.setText(field, formatNumber(value, separator_));
}
