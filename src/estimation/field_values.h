#pragma once

#include <string>
#include <string_view>

#include "window/design_record.h"

// Reads fields as numbers and writes numbers back as plain text, in the user's number format.
class FieldValues {
  public:
    FieldValues(DesignRecord& record, std::string decimalSeparator)
        : record_(record), separator_(std::move(decimalSeparator)) {}

    double operator()(std::string_view field) const;
    // A computed result as the rules judge it: the text written for a sum that is no finite
    // number ("inf", "nan") stays that, where MyVal would read 0 and let it pass.
    double result(std::string_view field) const;
    void write(std::string_view field, double value);
    const std::string& separator() const { return separator_; }

  private:
    DesignRecord& record_;
    std::string separator_;
};
