#include "estimation/field_values.h"

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"

double FieldValues::operator()(std::string_view field) const { return MyVal(record_.text(field), separator_); }

void FieldValues::write(std::string_view field, double value) {
    record_.setText(field, formatNumber(value, separator_));
}
