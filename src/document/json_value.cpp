#include "document/json_value.h"

#include <simdjson.h>

#include <charconv>
#include <cmath>
#include <system_error>

long long JsonValue::asInteger() const {
    return kind == Kind::Unsigned ? static_cast<long long>(natural) : integer;
}

const JsonValue* JsonValue::member(std::string_view key) const {
    for (auto it = members.rbegin(); it != members.rend(); ++it)
        if (it->key == key) return &it->value;
    return nullptr;
}

namespace {

namespace od = simdjson::ondemand;

constexpr int kMaxDepth = 512;

// A number as the library keeps it, once simdjson has found it well formed and read its double:
// an integer without a sign unsigned, with one signed (zero too), one too large for either a
// double.
void readNumber(std::string_view token, double asDouble, JsonValue& out) {
    while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                              token.back() == '\r'))
        token.remove_suffix(1);
    const char* first = token.data();
    const char* last = first + token.size();
    if (token.find_first_of(".eE") == std::string_view::npos) {
        if (token.front() == '-') {
            if (std::from_chars(first, last, out.integer).ec == std::errc()) {
                out.kind = JsonValue::Kind::Integer;
                return;
            }
        } else if (std::from_chars(first, last, out.natural).ec == std::errc()) {
            out.kind = JsonValue::Kind::Unsigned;
            return;
        }
    }
    out.kind = JsonValue::Kind::Float;
    out.number = asDouble;
}

// A number's text, as it stands in the document.
std::string_view tokenOf(od::value& value) {
    return value.raw_json_token();
}
std::string_view tokenOf(od::document& document) {
    std::string_view token;
    return document.raw_json_token().get(token) ? std::string_view() : token;
}

// A value of the document (the document itself, or a value inside it).
template <typename Value>
bool readValue(Value& in, JsonValue& out, int depth) {
    od::json_type type;
    if (in.type().get(type)) return false;
    switch (type) {
        case od::json_type::object: {
            if (depth + 1 > kMaxDepth) return false;
            od::object object;
            if (in.get_object().get(object)) return false;
            out.kind = JsonValue::Kind::Object;
            for (auto found : object) {
                od::field field;
                std::string_view key;
                if (std::move(found).get(field) || field.unescaped_key().get(key)) return false;
                JsonMember& member = out.members.emplace_back();
                member.key = key;
                od::value value = field.value();
                if (!readValue(value, member.value, depth + 1)) return false;
            }
            return true;
        }
        case od::json_type::array: {
            if (depth + 1 > kMaxDepth) return false;
            od::array array;
            if (in.get_array().get(array)) return false;
            out.kind = JsonValue::Kind::Array;
            for (auto found : array) {
                od::value value;
                if (std::move(found).get(value)) return false;
                if (!readValue(value, out.elements.emplace_back(), depth + 1)) return false;
            }
            return true;
        }
        case od::json_type::string: {
            std::string_view text;
            if (in.get_string().get(text)) return false;
            out.kind = JsonValue::Kind::String;
            out.string = text;
            return true;
        }
        case od::json_type::boolean:
            out.kind = JsonValue::Kind::Boolean;
            return !in.get_bool().get(out.boolean);
        case od::json_type::null: {
            bool null = false;
            return !in.is_null().get(null) && null;
        }
        case od::json_type::number: {
            // simdjson checks the number's form and reads it as a double (refusing one too
            // large for it); its kind and integer value come from its text, as the library's do.
            const std::string_view token = tokenOf(in);
            double asDouble = 0;
            if (token.empty() || in.get_double().get(asDouble) || !std::isfinite(asDouble))
                return false;
            readNumber(token, asDouble, out);
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<JsonValue> parseJson(std::string_view text) {
    // A byte-order mark is allowed before the value, as the library allows it.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    // One parser a thread, its buffers kept from one design to the next.
    thread_local od::parser parser;
    const simdjson::padded_string padded(text);
    od::document document;
    if (parser.iterate(padded).get(document)) return std::nullopt;
    JsonValue value;
    if (!readValue(document, value, 0) ||
        document.current_location().error() != simdjson::OUT_OF_BOUNDS)
        return std::nullopt;
    return value;
}
