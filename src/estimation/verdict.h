#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "estimation/compliance.h"

class DesignRecord;
class FieldValues;
class Platform;

// What Picture9 shows when a complete design gets no verdict: the step's own picture.
inline constexpr const char* kNoVerdictPicture = "Data/Choix14.jpg";

// The pass or fail verdict of a complete design: Oui.jpg and printing enabled when every
// criterion passes strictly, Non.jpg and printing disabled when one fails strictly; on a tie
// (a value exactly at its limit, none failing) no verdict: the step's picture, printing disabled.
// Picture9's tooltip lists each criterion with the design's value and its limit.
void giveVerdict(DesignRecord& record, FieldValues& value, Platform& platform);

// One criterion of the rules as the verdict judges it.
struct CriterionResult {
    const char* name;  // « Hauteur », « Masse », « Prix », « Axe de l'hélice »
    double value = 0;
    double limit = 0;
    const char* unit;
    bool mustBeAbove = false;  // the axis stands above the propeller's radius
    Standing standing = Standing::Fails;
};

// The four criteria of a complete design, judged as giveVerdict judges them.
std::vector<CriterionResult> criteriaResults(DesignRecord& record, std::string_view separator);

// A criterion's value or limit as the rule states it: « 14,10 € », « 173 g ».
std::string criterionFigure(const CriterionResult& c, double value, std::string_view separator);

// The rule of a criterion in words, the same in every view: « moins de 14,00 € exigé », and for
// the axis « plus de 50 mm exigé ».
std::string requirementText(const CriterionResult& c, std::string_view separator);

// What a value's cell adds to its figure: the rule when it fails, « à la limite » on a tie,
// nothing when it complies.
std::string standingMark(const CriterionResult& c, std::string_view separator);
