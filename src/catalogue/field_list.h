#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The fields of one record, end to end in a single text: one allocation a record however many
// fields it has. Fields are read as string views into it.
class FieldList {
  public:
    static constexpr std::size_t kMaxFields = 16;

    FieldList() = default;
    FieldList(std::initializer_list<std::string_view> fields);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](std::size_t i) const {
        const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    std::string_view at(std::size_t i) const {
        if (i >= count_) throw std::out_of_range("no field " + std::to_string(i + 1));
        return (*this)[i];
    }
    std::string_view front() const { return at(0); }
    std::string_view back() const { return at(count_ - 1); }
    std::vector<std::string> toVector() const;

    bool operator==(const FieldList& other) const;
    bool operator==(const std::vector<std::string>& other) const;

    // Building: append a field's text to text(), then close it.
    void clear();
    void reserve(std::size_t bytes) { text_.reserve(bytes); }
    std::string& text() { return text_; }
    void closeField();

  private:
    std::string text_;
    std::array<std::uint32_t, kMaxFields> ends_{};
    std::size_t count_ = 0;
};
