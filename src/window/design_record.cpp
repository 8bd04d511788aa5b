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

DesignRecord::DesignRecord() : controls_(designTimeControls()), index_(designTimeIndexes()) {}

std::shared_ptr<const DesignRecord::Indexes> DesignRecord::designTimeIndexes() {
    static const std::shared_ptr<const Indexes> indexes = [] {
        const std::vector<Control>& controls = designTimeControls();
        auto built = std::make_shared<Indexes>();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            built->byName[controls[i].name] = i;
            if (!controls[i].member.empty()) built->byMember[controls[i].member] = i;
        }
        return built;
    }();
    return indexes;
}

const Control* DesignRecord::find(std::string_view name) const {
    if (!index_) return nullptr;
    auto it = index_->byName.find(name);
    return it == index_->byName.end() ? nullptr : &controls_[it->second];
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
    auto it = index_->byMember.find(member);
    if (it == index_->byMember.end())
        throw std::out_of_range("no member named " + std::string(member));
    return controls_[it->second];
}
