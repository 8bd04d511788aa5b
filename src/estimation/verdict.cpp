#include "estimation/verdict.h"

#include <string>

#include "catalogue/number_text.h"
#include "estimation/compliance.h"
#include "estimation/field_values.h"
#include "estimation/remarks.h"
#include "window/accessible_names.h"
#include "window/design_record.h"
#include "window/pictures.h"

namespace {

// Below its limit passes for the height, mass and price; above its limit for the axis height.
struct Criterion {
    const char* caption;
    const char* field;
    const char* limitField;  // nullptr: the propeller's radius
    const char* unit;
    bool mustBeAbove = false;
};

constexpr Criterion kCriteria[] = {
    {.caption = "Hauteur", .field = "Text90", .limitField = "Text87", .unit = "mm"},
    {.caption = "Masse", .field = "Text91", .limitField = "Text88", .unit = "g"},
    {.caption = "Prix", .field = "Text92", .limitField = "Text89", .unit = "€"},
    {.caption = "Hauteur de l'axe",
     .field = "Text43",
     .limitField = nullptr,
     .unit = "mm",
     .mustBeAbove = true},
};

double limitOf(const Criterion& c, FieldValues& v) {
    return c.limitField ? v(c.limitField) : v("Text2") / 2;
}

Standing standingOf(const Criterion& c, FieldValues& v) {
    return standing(v.result(c.field), limitOf(c, v),
                    c.mustBeAbove ? Bound::Minimum : Bound::Maximum);
}

bool passes(const Criterion& c, FieldValues& v) {
    return standingOf(c, v) == Standing::Complies;
}

bool fails(const Criterion& c, FieldValues& v) {
    return standingOf(c, v) == Standing::Fails;
}

std::string explain(const DesignRecord& record, FieldValues& v) {
    std::string tip = "Critères du règlement :";
    for (const Criterion& c : kCriteria) {
        const double value = v(c.field);
        const double limit = limitOf(c, v);
        const std::string limitText =
            c.limitField ? record.text(c.limitField) : formatNumber(limit, v.separator());
        const char* relation = value < limit ? "<" : value > limit ? ">" : "=";
        const char* mark = passes(c, v) ? "✓" : fails(c, v) ? "✗" : "(à la limite)";
        tip += std::string("\n") + c.caption + " : " + record.text(c.field) + " " + c.unit + " " +
               relation + " " + limitText + " " + c.unit +
               (c.limitField ? "" : " (rayon de l'hélice)") + " " + mark;
    }
    return tip;
}

}  // namespace

void giveVerdict(DesignRecord& record, FieldValues& v, Platform& platform) {
    bool allPass = true;
    bool anyFails = false;
    std::string atLimit;
    for (const Criterion& c : kCriteria) {
        allPass = allPass && passes(c, v);
        anyFails = anyFails || fails(c, v);
        if (standingOf(c, v) == Standing::Tie)
            atLimit += std::string(atLimit.empty() ? "" : ", ") + c.caption;
    }
    // A value exactly at its limit passes neither test: no verdict, whatever was shown before.
    const char* picture = allPass ? "Data/Oui.jpg" : anyFails ? "Data/Non.jpg" : kNoVerdictPicture;
    showPicture(record, platform, "Picture9", picture);
    record["Command1"].enabled = allPass;
    record["queChanger"].visible = !allPass;
    std::string tip;
    if (!allPass && !anyFails)
        tip = "Pas de verdict : " + atLimit +
              " exactement à la limite ; le règlement ne dit alors ni oui ni non.\n";
    tip += explain(record, v);
    for (const std::string& remark : partRemarks(record, v.separator()))
        tip += "\n" + std::string(kRemarkPrefix) + remark;
    record["Picture9"].toolTip = tip;
}

std::vector<CriterionResult> criteriaResults(DesignRecord& record, std::string_view separator) {
    FieldValues v(record, std::string(separator));
    std::vector<CriterionResult> results;
    for (const Criterion& c : kCriteria) {
        results.push_back({.name = c.mustBeAbove ? "Axe de l'hélice" : c.caption,
                           .value = v.result(c.field),
                           .limit = limitOf(c, v),
                           .unit = c.unit,
                           .mustBeAbove = c.mustBeAbove,
                           .standing = standingOf(c, v)});
    }
    return results;
}

std::string criterionFigure(const CriterionResult& c, double value, std::string_view separator) {
    const bool money = std::string_view(c.unit) == "€";
    return (money ? formatMoney(value, separator) : formatMeasure(value, separator)) + " " + c.unit;
}

std::string requirementText(const CriterionResult& c, std::string_view separator) {
    return requirementWords(c.mustBeAbove, c.limit, c.unit, separator);
}

std::string standingMark(const CriterionResult& c, std::string_view separator) {
    switch (c.standing) {
        case Standing::Complies:
            return {};
        case Standing::Tie:
            return "à la limite";
        case Standing::Fails:
            break;
    }
    return requirementText(c, separator);
}
