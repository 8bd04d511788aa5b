#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/control.h"

// The design window's controls as data, in their design-time state; every value of the design
// is the text or state of one of them. Controls are kept in creation order (frames before what
// they hold).
class DesignRecord {
  public:
    DesignRecord();

    // A copy has the controls and their state, not the changes tracked for restore.
    DesignRecord(const DesignRecord& other);
    DesignRecord& operator=(const DesignRecord& other);
    DesignRecord(DesignRecord&&) noexcept = default;
    DesignRecord& operator=(DesignRecord&&) noexcept = default;

    Control& operator[](std::string_view name);
    const Control& operator[](std::string_view name) const;
    const Control* find(std::string_view name) const;
    Control& byMember(std::string_view member);

    const std::vector<Control>& controls() const { return controls_; }

    // Puts back the state of base, this record's source, in the controls changed since: for a
    // scan that replays thousands of designs on one record. The first time, and whenever the
    // record did not come from base, everything is copied.
    void restore(const DesignRecord& base);
    // Same controls in the same state.
    bool operator==(const DesignRecord& other) const { return controls_ == other.controls_; }

    // While saved choices are replayed: the estimation (totals, remarks, heights, sketch and
    // verdict) is worked out once after the last choice rather than after each one. It reads
    // only the choices, and no handler reads what it writes, so the end state is the same. Not
    // part of the design; see DeferredEstimation.
    bool deferEstimation = false;
    bool estimationPending = false;

    const std::string& text(std::string_view name) const { return (*this)[name].text; }
    void setText(std::string_view name, std::string text) { (*this)[name].text = std::move(text); }

    static constexpr int kClientWidth = 21600;
    static constexpr int kClientHeight = 12450;

  private:
    // Positions by name, looked up without building a string: an open-addressed table with a
    // cheap hash, since a replay asks for controls by name tens of thousands of times. Every
    // record has the design-time controls in the same order, so all of them share one index.
    class NameIndex {
      public:
        static constexpr std::size_t npos = static_cast<std::size_t>(-1);
        explicit NameIndex(const std::vector<std::string>& names);
        std::size_t find(std::string_view name) const;

      private:
        // A name's first 16 bytes, zero-padded, and its length: most names fit, and two words
        // compare faster than the strings.
        struct Key {
            std::uint64_t head = 0;
            std::uint64_t tail = 0;
            std::size_t size = 0;
            explicit Key(std::string_view name);
            bool operator==(const Key&) const = default;
            std::uint64_t hash() const;
        };
        struct Slot {
            Key key{std::string_view()};
            std::size_t position = npos;
        };
        std::vector<std::string> names_;  // by position; empty where the name is not indexed
        std::vector<Slot> slots_;         // a power of two of them, at most half used
    };
    struct Indexes {
        NameIndex byName;
        NameIndex byMember;
    };
    static std::shared_ptr<const Indexes> designTimeIndexes();

    std::vector<Control> controls_;
    std::shared_ptr<const Indexes> index_;
    // Controls handed out for a change since the last restore, and the record restored from.
    std::vector<bool> changed_;
    const DesignRecord* restoredFrom_ = nullptr;
};
