#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JsonMember;

// A value of a JSON document as read (RFC 8259, as strict as the writer's library: no comments,
// no trailing commas, UTF-8 only). A design file is read thousands of times over in a class, so
// it is read with simdjson rather than the general library that writes it.
struct JsonValue {
    // Integers as the library keeps them: without a sign Unsigned, with one Integer; one that
    // fits neither is a Float.
    enum class Kind { Null, Boolean, Integer, Unsigned, Float, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::int64_t integer = 0;         // Integer
    std::uint64_t natural = 0;        // Unsigned
    double number = 0;                // Float
    std::string string;               // String
    std::vector<JsonValue> elements;  // Array
    std::vector<JsonMember> members;  // Object, in the file's order

    bool isString() const { return kind == Kind::String; }
    bool isObject() const { return kind == Kind::Object; }
    bool isBoolean() const { return kind == Kind::Boolean; }
    bool isInteger() const { return kind == Kind::Integer || kind == Kind::Unsigned; }
    bool isUnsigned() const { return kind == Kind::Unsigned; }
    bool isString(std::string_view text) const { return isString() && string == text; }
    // An integer as a signed 64-bit number (an Unsigned beyond its range wraps, as the library's
    // conversion does, and so reads as negative).
    long long asInteger() const;

    // The member named key (the last one when a file repeats it), or nothing.
    const JsonValue* member(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// The document, or nothing when the text is not one JSON value (or nests more than 512 deep).
std::optional<JsonValue> parseJson(std::string_view text);
