#include "window/design_record.h"

#include <stdexcept>
#include <utility>

#include "window/design_layout.h"

namespace {

// The layout, with its names for screen readers, is built once; every new record copies it.
const std::vector<Control>& designTimeControls() {
    static const std::vector<Control> controls = designLayout();
    return controls;
}

}  // namespace

DesignRecord::DesignRecord() : controls_(designTimeControls()) {
    reindex();
}

DesignRecord::DesignRecord(const DesignRecord& other) : controls_(other.controls_) {
    reindex();
}

DesignRecord& DesignRecord::operator=(const DesignRecord& other) {
    controls_ = other.controls_;
    reindex();
    return *this;
}

void DesignRecord::reindex() {
    byName_.clear();
    byMember_.clear();
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        byName_[controls_[i].name] = i;
        if (!controls_[i].member.empty()) byMember_[controls_[i].member] = i;
    }
}

const Control* DesignRecord::find(std::string_view name) const {
    auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : &controls_[it->second];
}

const Control& DesignRecord::operator[](std::string_view name) const {
    const Control* control = find(name);
    if (!control) throw std::out_of_range("no control named " + std::string(name));
    return *control;
}

Control& DesignRecord::operator[](std::string_view name) {
    return const_cast<Control&>(std::as_const(*this)[name]);
}

Control& DesignRecord::byMember(std::string_view member) {
    auto it = byMember_.find(std::string(member));
    if (it == byMember_.end()) throw std::out_of_range("no member named " + std::string(member));
    return controls_[it->second];
}
