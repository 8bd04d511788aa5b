#include "catalogue/field_list.h"

FieldList::FieldList(std::initializer_list<std::string_view> fields) {
    for (std::string_view field : fields) {
        text_ += field;
        closeField();
    }
}

std::vector<std::string> FieldList::toVector() const {
    std::vector<std::string> fields;
    fields.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i) fields.emplace_back((*this)[i]);
    return fields;
}

bool FieldList::operator==(const FieldList& other) const {
    if (count_ != other.count_) return false;
    for (std::size_t i = 0; i < count_; ++i) {
        if ((*this)[i] != other[i]) return false;
    }
    return true;
}

bool FieldList::operator==(const std::vector<std::string>& other) const {
    if (count_ != other.size()) return false;
    for (std::size_t i = 0; i < count_; ++i) {
        if ((*this)[i] != other[i]) return false;
    }
    return true;
}

void FieldList::clear() {
    text_.clear();
    count_ = 0;
}

void FieldList::closeField() {
    if (count_ == kMaxFields) throw std::length_error("too many fields in one record");
    ends_[count_++] = static_cast<std::uint32_t>(text_.size());
}
