#include "document/design_file.h"

#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "catalogue/catalogue.h"
#include "catalogue/cp1252.h"
#include "catalogue/data_error.h"
#include "catalogue/text_encoding.h"
#include "document/design_steps.h"
#include "document/json_value.h"
#include "window/design_record.h"

using nlohmann::ordered_json;

namespace {

[[noreturn]] void damaged(const std::string& fileName, const std::string& what) {
    throw DataError(fileName, "la conception est endommagée (" + what + ").");
}

// The design's smallest and largest clearance, from its scroll bar.
const Control& clearanceBar() {
    static const DesignRecord design;
    return design["VScroll1"];
}

ListChoice readListChoice(const JsonValue& value, const ChoiceSlot& slot,
                          const std::string& fileName) {
    const JsonValue* text = value.member("text");
    const JsonValue* index = value.member("index");
    if (!text || !text->isString() || !index || !index->isInteger())
        damaged(fileName, "le choix « " + std::string(slot.key) + " » n'a pas de texte et d'index");
    const long long number = index->asInteger();
    if (number < 0 || number > 100'000'000)
        damaged(fileName, "l'index du choix « " + std::string(slot.key) + " » est hors limites");
    return {text->string, static_cast<int>(number)};
}

RecoveryNote recoveryNoteOf(const JsonValue& document) {
    const JsonValue* note = document.member("recovery");
    if (!note || !note->isObject()) return {};
    const JsonValue* path = note->member("document");
    const JsonValue* size = note->member("size");
    const JsonValue* hash = note->member("hash");
    if (!path || !path->isString() || !size || !size->isUnsigned() || !hash || !hash->isString())
        return {};
    return {path->string, {static_cast<std::size_t>(size->natural), hash->string}};
}

PupilInfo pupilOf(const JsonValue& document) {
    const JsonValue* pupil = document.member("pupil");
    if (!pupil || !pupil->isObject()) return {};
    auto text = [&](const char* key) {
        const JsonValue* value = pupil->member(key);
        return value && value->isString() ? pupilField(value->string) : std::string();
    };
    return {text("name"), text("class")};
}

}  // namespace

DesignChoices choicesOf(const DesignRecord& record) {
    DesignChoices choices;
    for (const ChoiceSlot& slot : choiceSlots()) {
        switch (slot.kind) {
            case ChoiceKind::List: {
                const Control& list = record[slot.control];
                if (list.chosenItem < 0 || list.chosenItem >= static_cast<int>(list.items.size()))
                    break;
                const ListItem& item = list.items[list.chosenItem];
                choices.lists[slot.control] = {item.text, item.tag};
                break;
            }
            case ChoiceKind::OptionPair:
                if (record[slot.first].selected) choices.options[slot.control] = slot.first;
                if (record[slot.second].selected) choices.options[slot.control] = slot.second;
                break;
            case ChoiceKind::CheckBox:
                choices.checks[slot.control] = record[slot.control].checkValue == 1 ? 1 : 0;
                break;
            case ChoiceKind::Clearance:
                choices.clearance = record[slot.control].value;
                break;
        }
    }
    return choices;
}

DiskStamp stampOf(std::string_view bytes) {
    // FNV-1a: only to notice a change, not to resist one.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return {bytes.size(), text};
}

std::string pupilField(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::size_t chars = 0;
    std::size_t end = 0;
    while (end < text.size() && chars < kMaxPupilChars) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        ++chars;
    }
    return std::string(text.substr(0, end));
}

std::string writeDesign(const DesignChoices& choices, const RecoveryNote* note,
                        const PupilInfo& pupil, const std::string& handedIn) {
    ordered_json steps = ordered_json::object();
    for (const ChoiceSlot& slot : choiceSlots()) {
        switch (slot.kind) {
            case ChoiceKind::List:
                if (auto it = choices.lists.find(slot.control); it != choices.lists.end())
                    steps[slot.key] = {{"text", it->second.text}, {"index", it->second.index}};
                break;
            case ChoiceKind::OptionPair:
                if (auto it = choices.options.find(slot.control); it != choices.options.end())
                    steps[slot.key] = it->second == slot.first ? slot.firstValue : slot.secondValue;
                break;
            case ChoiceKind::CheckBox:
                if (auto it = choices.checks.find(slot.control); it != choices.checks.end())
                    steps[slot.key] = it->second == 1;
                break;
            case ChoiceKind::Clearance:
                if (choices.clearance) steps[slot.key] = *choices.clearance;
                break;
        }
    }
    ordered_json document = {{"format", kDesignFormat}, {"version", kDesignVersion}};
    if (!pupil.empty()) document["pupil"] = {{"name", pupil.name}, {"class", pupil.className}};
    document["choices"] = steps;
    if (!handedIn.empty()) document["handedIn"] = handedIn;
    if (note && !note->document.empty()) {
        document["recovery"] = {
            {"document", note->document}, {"size", note->stamp.size}, {"hash", note->stamp.hash}};
    }
    // Names are written as they are; invalid UTF-8 (never in our decoded texts) is replaced.
    return document.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

namespace {

// « 2026-12-09T14:05:07 », or nothing when the file says something else.
std::string handedInOf(const JsonValue& document) {
    const JsonValue* value = document.member("handedIn");
    if (!value || !value->isString()) return {};
    const std::string& text = value->string;
    static constexpr std::string_view kShape = "0000-00-00T00:00:00";
    if (text.size() != kShape.size()) return {};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (kShape[i] == '0' ? text[i] < '0' || text[i] > '9' : text[i] != kShape[i]) return {};
    return text;
}

// A design re-saved by an editor in Windows-1252 (« Zoé » as one byte) is read as that text;
// UTF-8, the program's own, as it is.
std::string designText(std::string_view bytes) {
    return detectEncoding(bytes) == TextEncoding::Windows1252 ? decodeCp1252(bytes)
                                                              : std::string(bytes);
}

}  // namespace

PupilInfo readPupilOnly(std::string_view bytes) {
    if (bytes.size() > kMaxDesignBytes) return {};
    const std::string text = designText(bytes);
    const std::optional<JsonValue> document = parseJson(text);
    if (!document || !document->isObject()) return {};
    return pupilOf(*document);
}

DesignChoices readDesign(std::string_view bytes, const std::string& fileName) {
    return readDesignDocument(bytes, fileName).choices;
}

DesignDocument readDesignDocument(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() > kMaxDesignBytes) {
        throw DataError(fileName, "le fichier est trop grand (" +
                                      std::to_string((bytes.size() + 1023) / 1024) +
                                      " Kio) : une conception ne peut pas dépasser 1 Mio.");
    }
    const std::string text = designText(bytes);
    const std::optional<JsonValue> parsed = parseJson(text);
    const bool namesItself = bytes.find(kDesignFormat) != std::string_view::npos;
    if (!parsed) {
        if (namesItself) damaged(fileName, "le fichier est incomplet ou mal formé");
        throw DataError(fileName, "ce fichier n'est pas une conception VENTAKAR.");
    }
    const JsonValue& document = *parsed;
    const JsonValue* format = document.member("format");
    if (!format || !format->isString(kDesignFormat))
        throw DataError(fileName, "ce fichier n'est pas une conception VENTAKAR.");
    const JsonValue* version = document.member("version");
    if (!version || !version->isInteger() || version->asInteger() < 1)
        damaged(fileName, "sa version est illisible");
    if (version->asInteger() > kDesignVersion) {
        throw DataError(fileName,
                        "cette conception a été enregistrée par une version plus récente "
                        "de VENTAKAR (format " +
                            std::to_string(version->asInteger()) +
                            ") ; mettez VENTAKAR à jour pour l'ouvrir.");
    }
    const JsonValue* steps = document.member("choices");
    if (!steps || !steps->isObject()) damaged(fileName, "les choix manquent");

    DesignDocument read{.choices = {},
                        .pupil = pupilOf(document),
                        .recovery = recoveryNoteOf(document),
                        .handedIn = handedInOf(document)};
    DesignChoices& choices = read.choices;
    for (const ChoiceSlot& slot : choiceSlots()) {
        const JsonValue* value = steps->member(slot.key);
        if (!value) continue;
        const std::string key = slot.key;
        switch (slot.kind) {
            case ChoiceKind::List:
                choices.lists[slot.control] = readListChoice(*value, slot, fileName);
                break;
            case ChoiceKind::OptionPair:
                if (value->isString(slot.firstValue)) {
                    choices.options[slot.control] = slot.first;
                } else if (value->isString(slot.secondValue)) {
                    choices.options[slot.control] = slot.second;
                } else {
                    damaged(fileName, "le choix « " + key + " » vaut autre chose que « " +
                                          slot.firstValue + " » ou « " + slot.secondValue + " »");
                }
                break;
            case ChoiceKind::CheckBox:
                if (!value->isBoolean())
                    damaged(fileName, "le choix « " + key + " » n'est pas vrai ou faux");
                choices.checks[slot.control] = value->boolean ? 1 : 0;
                break;
            case ChoiceKind::Clearance: {
                const Control& bar = clearanceBar();
                if (!value->isInteger() || value->asInteger() < bar.minimum ||
                    value->asInteger() > bar.maximum) {
                    damaged(fileName, "la garde au sol n'est pas un nombre entier de " +
                                          std::to_string(bar.minimum) + " à " +
                                          std::to_string(bar.maximum));
                }
                choices.clearance = static_cast<int>(value->asInteger());
                break;
            }
        }
    }
    return read;
}

std::string readDesignBytes(const std::string& path) {
    static const FileRules kDesignFile{
        .maxBytes = kMaxDesignBytes,
        .onlyRegular = "seul un fichier peut être ouvert comme conception.",
        .limit = "une conception ne peut pas dépasser"};
    return readFileBytes(path, kDesignFile);
}

DesignChoices readDesignFile(const std::string& path) {
    return readDesign(readDesignBytes(path), path);
}
