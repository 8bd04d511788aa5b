#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/control.h"

// The design window's controls as data, in their design-time state; every value of the design
// is the text or state of one of them. Controls are kept in creation order (frames before what
// they hold).
class DesignRecord {
  public:
    DesignRecord();

    DesignRecord(const DesignRecord& other) = default;
    DesignRecord& operator=(const DesignRecord& other) = default;
    DesignRecord(DesignRecord&&) noexcept = default;
    DesignRecord& operator=(DesignRecord&&) noexcept = default;

    Control& operator[](std::string_view name);
    const Control& operator[](std::string_view name) const;
    const Control* find(std::string_view name) const;
    Control& byMember(std::string_view member);

    const std::vector<Control>& controls() const { return controls_; }
    // Same controls in the same state.
    bool operator==(const DesignRecord& other) const { return controls_ == other.controls_; }

    // While saved choices are replayed: the totals and remarks of a design not yet complete,
    // only ever written until then, are worked out once after the last choice rather than after
    // each one. Not part of the design.
    bool deferTotals = false;
    bool totalsPending = false;

    const std::string& text(std::string_view name) const { return (*this)[name].text; }
    void setText(std::string_view name, std::string text) { (*this)[name].text = std::move(text); }

    static constexpr int kClientWidth = 21600;
    static constexpr int kClientHeight = 12450;

  private:
    // Positions by name, looked up without building a string; every record has the design-time
    // controls in the same order, so all of them share one index.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    using Index = std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>>;
    struct Indexes {
        Index byName;
        Index byMember;
    };
    static std::shared_ptr<const Indexes> designTimeIndexes();

    std::vector<Control> controls_;
    std::shared_ptr<const Indexes> index_;
};
