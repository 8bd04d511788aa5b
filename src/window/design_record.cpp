#include "window/design_record.h"

#include <algorithm>
#include <cstring>
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

namespace {

template <typename Word>
Word load(const char* at) {
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

}  // namespace

// Two loads that overlap cover every byte of a name up to 16 long, and with the length tell two
// names apart: no byte loop, no call.
DesignRecord::NameIndex::Key::Key(std::string_view name) : size(name.size()) {
    const char* p = name.data();
    const std::size_t n = std::min<std::size_t>(size, 16);
    if (n >= 8) {
        head = load<std::uint64_t>(p);
        tail = load<std::uint64_t>(p + n - 8);
    } else if (n >= 4) {
        head = load<std::uint32_t>(p) | std::uint64_t{load<std::uint32_t>(p + n - 4)} << 32;
    } else if (n > 0) {
        const auto byte = [&](std::size_t i) { return std::uint64_t{std::uint8_t(p[i])}; };
        head = byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
    }
}

std::uint64_t DesignRecord::NameIndex::Key::hash() const {
    // The names differ in their last characters, the high bytes of the words: mixed down.
    std::uint64_t h = head ^ (tail * 0x9E3779B97F4A7C15ull) ^ size;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

DesignRecord::NameIndex::NameIndex(const std::vector<std::string>& names) : names_(names) {
    std::size_t size = 16;
    while (size < 2 * names.size()) size *= 2;
    slots_.resize(size);
    for (std::size_t position = 0; position < names.size(); ++position) {
        if (names[position].empty()) continue;
        const Key key(names[position]);
        std::size_t at = key.hash() & (size - 1);
        // Of two controls with one name, the later one is found.
        while (slots_[at].position != npos && names_[slots_[at].position] != names[position])
            at = (at + 1) & (size - 1);
        slots_[at] = {key, position};
    }
}

std::size_t DesignRecord::NameIndex::find(std::string_view name) const {
    const Key key(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = key.hash() & mask;; at = (at + 1) & mask) {
        const Slot& s = slots_[at];
        if (s.position == npos) return npos;
        if (s.key == key && (key.size <= 16 || names_[s.position] == name)) return s.position;
    }
}

DesignRecord::DesignRecord(const DesignRecord& other)
    : deferEstimation(other.deferEstimation),
      estimationPending(other.estimationPending),
      controls_(other.controls_),
      index_(other.index_) {}

DesignRecord& DesignRecord::operator=(const DesignRecord& other) {
    if (this == &other) return *this;
    deferEstimation = other.deferEstimation;
    estimationPending = other.estimationPending;
    controls_ = other.controls_;
    index_ = other.index_;
    changed_.clear();
    restoredFrom_ = nullptr;
    return *this;
}

std::shared_ptr<const DesignRecord::Indexes> DesignRecord::designTimeIndexes() {
    static const std::shared_ptr<const Indexes> indexes = [] {
        const std::vector<Control>& controls = designTimeControls();
        std::vector<std::string> names, members;
        for (const Control& control : controls) {
            names.push_back(control.name);
            members.push_back(control.member);
        }
        return std::make_shared<const Indexes>(Indexes{NameIndex(names), NameIndex(members)});
    }();
    return indexes;
}

const Control* DesignRecord::find(std::string_view name) const {
    if (!index_) return nullptr;
    const std::size_t at = index_->byName.find(name);
    return at == NameIndex::npos ? nullptr : &controls_[at];
}

const Control& DesignRecord::operator[](std::string_view name) const {
    const Control* control = find(name);
    if (!control) throw std::out_of_range("no control named " + std::string(name));
    return *control;
}

Control& DesignRecord::operator[](std::string_view name) {
    Control& control = const_cast<Control&>(std::as_const(*this)[name]);
    if (restoredFrom_) changed_[&control - controls_.data()] = true;
    return control;
}

void DesignRecord::restore(const DesignRecord& base) {
    if (restoredFrom_ != &base || controls_.size() != base.controls_.size()) {
        *this = base;
        changed_.assign(controls_.size(), false);
        restoredFrom_ = &base;
        return;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (!changed_[i]) continue;
        controls_[i] = base.controls_[i];
        changed_[i] = false;
    }
    deferEstimation = base.deferEstimation;
    estimationPending = base.estimationPending;
}

Control& DesignRecord::byMember(std::string_view member) {
    const std::size_t at = index_->byMember.find(member);
    if (at == NameIndex::npos) throw std::out_of_range("no member named " + std::string(member));
    if (restoredFrom_) changed_[at] = true;
    return controls_[at];
}
