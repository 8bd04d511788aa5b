#include "window/accessible_names.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <unordered_map>

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "window/control.h"
#include "window/design_record.h"

namespace {

// Values whose box is not beside a label of its own.
const std::map<std::string, std::string>& namedValues() {
    static const std::map<std::string, std::string> names = {
        {"Text7", "Etape 1, Dim mini / Axe (mm)"},
        {"Text63", "Etape 11, description du montage"},
        {"Text66", "Etape 12, description du montage"},
        {"Text43", "Etape 14, hauteur de l'axe de l'hélice (mm)"},
        {"Text75", "Etape 14, hauteur hors tout (mm)"},
        {"Text76", "Etape 14, diamètre des roues (mm)"},
        {"Text77", "Etape 14, distance base / axe (mm)"},
        {"Text79", "Etape 14, garde au sol (mm)"},
        {"Text85", "Informations, Longueur Maxi (mm)"},
        {"Text86", "Informations, Largeur Maxi (mm)"},
        {"Text87", "Informations, Hauteur Maxi (mm)"},
        {"Text88", "Informations, Masse Maxi (g)"},
        {"Text89", "Informations, Prix Maxi HT (euro)"},
        {"Text90", "Votre sélection, hauteur (mm)"},
        {"Text91", "Votre sélection, masse (g)"},
        {"Text92", "Votre sélection, prix HT (euro)"},
        {"Combo10", "Etape 13, matériau du châssis"},
        {"Combo11", "Etape 13, matériau des supports de roues"},
        {"VScroll1", "Garde au sol (mm)"},
    };
    return names;
}

// A coloured value: its unit, the field holding its limit (none: the propeller's radius) and
// whether the limit is a maximum.
struct Limited {
    const char* unit;
    const char* limit;
    bool maximum;
};

const std::map<std::string, Limited>& limitedValues() {
    static const std::map<std::string, Limited> values = {
        {"Text90", {"mm", "Text87", true}}, {"Text91", {"g", "Text88", true}},
        {"Text92", {"€", "Text89", true}},  {"Text75", {"mm", "Text87", true}},
        {"Text43", {"mm", nullptr, false}},
    };
    return values;
}

// The caption of the frame that holds a control (« Etape 1 »), found through its parents.
template <typename Find>
std::string stepOf(const Control& control, const Find& find) {
    for (const Control* c = &control; c && !c->parent.empty();) {
        c = find(c->parent);
        if (c && c->kind == ControlKind::Frame) return c->text;
    }
    return {};
}

bool isHeading(const Control& c) {
    return c.kind == ControlKind::TextField && c.bold && c.background == Background::LightYellow;
}

std::string stem(const std::string& file) {
    const auto slash = file.find_last_of('/');
    std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string withComma(const std::string& step, const std::string& what) {
    return step.empty() ? what : step + ", " + what;
}

}  // namespace

void nameControls(std::vector<Control>& controls) {
    std::unordered_map<std::string, const Control*> byName;
    for (const Control& c : controls) byName.emplace(c.name, &c);
    const auto find = [&](const std::string& name) -> const Control* {
        const auto it = byName.find(name);
        return it == byName.end() ? nullptr : it->second;
    };
    for (Control& control : controls) {
        if (const auto it = namedValues().find(control.name); it != namedValues().end()) {
            control.accessibleName = it->second;
            continue;
        }
        const std::string step = stepOf(control, find);
        switch (control.kind) {
            case ControlKind::TextField: {
                if (isHeading(control)) {
                    control.accessibleName = withComma(step, "titre");
                    break;
                }
                // The label on the same row, left of the value.
                const Control* beside = nullptr;
                for (const Control& label : controls) {
                    if (label.kind != ControlKind::Label || label.parent != control.parent ||
                        std::abs(label.geometry.top - control.geometry.top) > 60 ||
                        label.geometry.left >= control.geometry.left)
                        continue;
                    if (!beside || label.geometry.left > beside->geometry.left) beside = &label;
                }
                if (beside) control.accessibleName = withComma(step, beside->text);
                break;
            }
            case ControlKind::List: {
                for (const Control& heading : controls) {
                    if (heading.parent == control.parent && isHeading(heading))
                        control.accessibleName = withComma(step, heading.text);
                }
                break;
            }
            case ControlKind::OptionButton: {
                // The caption of its group, left of the options (« Type de batteries »).
                const Control* caption = nullptr;
                for (const Control& label : controls) {
                    if (label.kind == ControlKind::Label && label.parent == control.parent &&
                        std::abs(label.geometry.top - control.geometry.top) <= 240 &&
                        label.geometry.left + label.geometry.width <= control.geometry.left)
                        caption = &label;
                }
                control.accessibleName =
                    withComma(caption ? withComma(step, caption->text) : step, control.text);
                break;
            }
            case ControlKind::CheckBox:
                control.accessibleName = withComma(step, control.text);
                break;
            default:
                break;
        }
    }
}

void describeState(DesignRecord& record) {
    const std::vector<Control>& controls = record.controls();
    for (const Control& control : controls) {
        if (control.kind != ControlKind::PictureBox && control.kind != ControlKind::ImageBox)
            continue;
        std::string name;
        const std::string step =
            stepOf(control, [&](const std::string& name) { return record.find(name); });
        const std::string shown = stem(control.pictureFile);
        if (control.name == "Picture9" && shown == "Oui") {
            name = "Etape 14, verdict : conforme";
        } else if (control.name == "Picture9" && shown == "Non") {
            name = "Etape 14, verdict : non conforme";
        } else if (shown.rfind("Choix", 0) == 0) {
            name = withComma(step, "image de l'étape");
        } else if (shown == "Apercu") {
            name = withComma(step, "aperçu, vide");
        } else if (!shown.empty()) {
            name = withComma(
                step, (control.kind == ControlKind::PictureBox ? "photo : " : "dessin : ") + shown);
        } else if (!control.designPicture.empty() && control.visible) {
            name = withComma(step, "dessin");
        }
        Control& c = record[control.name];
        c.accessibleName = name;
        c.accessibleDescription = control.name == "Picture9" ? control.toolTip : "";
    }

    // A list's remark is heard with it.
    for (const char* list : {"Combo2", "Combo3", "Combo4"})
        record[list].accessibleDescription = record[list].remark;

    for (const auto& [field, limited] : limitedValues()) {
        Control& c = record[field];
        const double limit =
            limited.limit ? MyVal(record.text(limited.limit)) : MyVal(record.text("Text2")) / 2;
        const std::string rule = requirementWords(!limited.maximum, limit, limited.unit, ",");
        const std::string value = c.text + " " + limited.unit + " : ";
        if (!c.foreground) {
            // A value exactly at its limit has no colour: say so in words.
            const bool atLimit = record["Image11"].visible && MyVal(c.text) == limit;
            c.accessibleDescription =
                atLimit ? value + "exactement la limite (" + rule + "), pas de verdict"
                        : std::string();
            continue;
        }
        const bool red = *c.foreground == kComplianceRed;
        const char* state = limited.maximum ? (red ? "dépasse la limite" : "respecte la limite")
                                            : (red ? "ne dépasse pas le rayon de l'hélice"
                                                   : "dépasse le rayon de l'hélice");
        c.accessibleDescription = value + state + " (" + rule + ")";
    }

    // Imprimer says why it cannot be used.
    Control& print = record["Command1"];
    const Control& verdict = record["Picture9"];
    const std::string given = stem(verdict.pictureFile);
    if (print.enabled) {
        print.toolTip.clear();
    } else if (given != "Oui" && given != "Non" && !record["Image11"].visible) {
        print.toolTip = "Terminez les quatorze étapes pour obtenir l'estimation.";
    } else {
        // The verdict's own lines of the criteria that are not met.
        std::string failing;
        std::size_t start = 0;
        const std::string& tip = verdict.toolTip;
        while (start <= tip.size()) {
            const auto end = std::min(tip.find('\n', start), tip.size());
            const std::string line = tip.substr(start, end - start);
            if (line.find("✗") != std::string::npos ||
                line.find("(à la limite)") != std::string::npos)
                failing += (failing.empty() ? "" : "\n") + line;
            start = end + 1;
        }
        print.toolTip = (given == "Non" ? "Impression impossible, critères non remplis :\n"
                                        : "Impression impossible, pas de verdict : une valeur est "
                                          "exactement à sa limite :\n") +
                        failing;
    }
}

std::string requirementWords(bool mustBeAbove, double limit, std::string_view unit,
                             std::string_view decimalSeparator) {
    const std::string figure =
        unit == "€" ? formatMoney(limit, decimalSeparator) : formatMeasure(limit, decimalSeparator);
    return std::string(mustBeAbove ? "plus de " : "moins de ") + figure + " " + std::string(unit) +
           " exigé";
}
