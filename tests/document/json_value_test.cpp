#include "document/json_value.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>

namespace {

using nlohmann::json;

// The design reader must take and refuse exactly what the writer's library takes and refuses, and
// read the same values.
bool same(const JsonValue& ours, const json& theirs) {
    switch (ours.kind) {
        case JsonValue::Kind::Null:
            return theirs.is_null();
        case JsonValue::Kind::Boolean:
            return theirs.is_boolean() && theirs.get<bool>() == ours.boolean;
        case JsonValue::Kind::Integer:
            return theirs.is_number_integer() && !theirs.is_number_unsigned() &&
                   theirs.get<std::int64_t>() == ours.integer;
        case JsonValue::Kind::Unsigned:
            return theirs.is_number_unsigned() && theirs.get<std::uint64_t>() == ours.natural;
        case JsonValue::Kind::Float:
            return theirs.is_number_float();
        case JsonValue::Kind::String:
            return theirs.is_string() && theirs.get<std::string>() == ours.string;
        case JsonValue::Kind::Array:
            if (!theirs.is_array() || theirs.size() != ours.elements.size()) return false;
            for (std::size_t i = 0; i < ours.elements.size(); ++i)
                if (!same(ours.elements[i], theirs[i])) return false;
            return true;
        case JsonValue::Kind::Object:
            if (!theirs.is_object()) return false;
            for (const auto& [key, value] : theirs.items()) {
                const JsonValue* mine = ours.member(key);
                if (!mine || !same(*mine, value)) return false;
            }
            for (const JsonMember& m : ours.members)
                if (!theirs.contains(m.key)) return false;
            return true;
    }
    return false;
}

void expectAsLibrary(const std::string& text) {
    const json theirs = json::parse(text.begin(), text.end(), nullptr, false);
    const std::optional<JsonValue> ours = parseJson(text);
    ASSERT_EQ(ours.has_value(), !theirs.is_discarded()) << text;
    if (ours) {
        EXPECT_TRUE(same(*ours, theirs)) << text;
    }
}

const char* const kDesign = R"({"format": "ventakar-conception", "version": 1,
 "pupil": {"name": "Zoé \u00c9l\u00e8ve", "class": "5e B"},
 "choices": {"propeller": {"text": "Hélice bipale 100 mm", "index": 0}, "clearance": 5,
  "includeBatteryCost": true, "frontWheelPosition": "above", "x": [null, -0, 1.5e3, []]}})";

TEST(JsonValue, TakesAndRefusesWhatTheLibraryDoes) {
    const char* const texts[] = {
        kDesign,
        "",
        " ",
        "{}",
        "[]",
        "null",
        "true",
        "false",
        "tru",
        "nul",
        "0",
        "-0",
        "01",
        "-",
        "1.",
        ".5",
        "+1",
        "1e5",
        "1E+5",
        "1e-5",
        "1e",
        "2.5e-400",
        "1e400",
        "-1e400",
        "0.0000000000000000000000000000000000000000000000000000000000000000000000000000000001e-300",
        "9223372036854775807",
        "9223372036854775808",
        "-9223372036854775808",
        "-9223372036854775809",
        "18446744073709551615",
        "18446744073709551616",
        "\"a\\u00e9b\"",
        "\"\\ud83d\\ude00\"",
        "\"\\ud83d\"",
        "\"\\ude00\"",
        "\"\\ud83dx\"",
        "\"\\u12\"",
        "\"\\x\"",
        "\"\\/\\b\\f\\n\\r\\t\\\"\\\\\"",
        "\"\t\"",
        "\"\x01\"",
        "\"\\u0000\"",
        "\"\xC3\xA9\"",
        "\"\xC3\"",
        "\"\xC0\xAF\"",
        "\"\xED\xA0\x80\"",
        "\"\xF4\x90\x80\x80\"",
        "\"\xE0\x9F\xBF\"",
        "\"\xF0\x8F\xBF\xBF\"",
        "\"\xFF\"",
        "\xEF\xBB\xBF{}",
        "\xEF\xBB{}",
        "{\"a\":1,}",
        "[1,]",
        "[1 2]",
        "{\"a\" 1}",
        "{a:1}",
        "{\"a\":1}x",
        "{\"a\":1} ",
        "// c\n{}",
        "{\"a\":1,\"a\":2}",
        "[[[[]]]]",
        "\"abc",
        "{\"a\":",
        "\r\n\t{ }\r\n",
        "\v{}",
        "[\"\\u00E9\\u00c9\"]",
    };
    for (const char* text : texts) expectAsLibrary(text);
    expectAsLibrary("\xEF\xBB\xBF\xEF\xBB\xBF{}");
    expectAsLibrary("[" + std::string(200, ' ') + "-0 ]");
    expectAsLibrary(std::string("{\"a\":\"") + std::string(100000, 'x') + "\"}");
    // The one conscious difference: nesting is refused beyond 512 (a design is 3 deep), where
    // the library recurses without a limit.
    const auto nested = [](int depth, const char* open, const char* close) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += open;
        text += "1";
        for (int i = 0; i < depth; ++i) text += close;
        return text;
    };
    for (const auto& [open, close] : {std::pair{"[", "]"}, std::pair{"{\"k\":", "}"}}) {
        EXPECT_TRUE(parseJson(nested(512, open, close))) << open;
        EXPECT_FALSE(parseJson(nested(513, open, close))) << open;
        EXPECT_FALSE(parseJson(nested(100000, open, close))) << open;
    }
}

TEST(JsonValue, MangledDesignsReadAsTheLibraryReadsThem) {
    // Bytes a damaged or hand-edited file holds, at random places of a real design.
    const std::string alphabet = "{}[]\":,.-+eE0159\\u \tnull true\xC3\xA9\xED\xA0\x80";
    std::mt19937 random(20261209);
    const std::string design = kDesign;
    for (int round = 0; round < 20000; ++round) {
        std::string text = design;
        const int edits = 1 + round % 3;
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
                case 0:
                    text.insert(at, 1, c);
                    break;
                case 1:
                    if (at < text.size()) text.erase(at, 1);
                    break;
                default:
                    if (at < text.size()) text[at] = c;
            }
        }
        expectAsLibrary(text);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
