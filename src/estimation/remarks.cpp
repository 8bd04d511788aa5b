#include "estimation/remarks.h"

#include "catalogue/catalogue.h"
#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "window/design_record.h"

namespace {

// Where each remark is shown beside the part it concerns.
struct RemarkPlace {
    const char* list;
    bool motorCradle;  // the diameter remark, else the solar one
};

constexpr RemarkPlace kPlaces[] = {
    {"Combo2", true}, {"Combo3", true}, {"Combo2", false}, {"Combo4", false}};

std::string diameterRemark(const DesignRecord& record, std::string_view separator) {
    if (!hasChoice(record["Combo2"]) || !hasChoice(record["Combo3"])) return {};
    const double motor = MyVal(record.text("Text9"), separator);
    const double cradle = MyVal(record.text("Text17"), separator);
    if (motor == cradle) return {};
    return "moteur de " + formatNumber(motor, separator) + " mm dans un berceau de " +
           formatNumber(cradle, separator) + " mm";
}

std::string solarRemark(const DesignRecord& record, std::string_view separator) {
    if (!hasChoice(record["Combo2"]) || !hasChoice(record["Combo4"])) return {};
    const bool solar = trimSpaces(record.text("Text25")) == "Solaire" ||
                       MyVal(record.text("Text78"), separator) == 0;
    if (!solar || trimSpaces(record.text("Text12")) == "Oui") return {};
    return "moteur « " + record.text("Combo2") + " » non adapté au solaire sur l'alimentation « " +
           record.text("Combo4") + " »";
}

}  // namespace

std::vector<std::string> partRemarks(const DesignRecord& record,
                                     std::string_view decimalSeparator) {
    std::vector<std::string> remarks;
    for (const std::string& r :
         {diameterRemark(record, decimalSeparator), solarRemark(record, decimalSeparator)}) {
        if (!r.empty()) remarks.push_back(r);
    }
    return remarks;
}

void showPartRemarks(DesignRecord& record, std::string_view decimalSeparator) {
    const std::string diameter = diameterRemark(record, decimalSeparator);
    const std::string solar = solarRemark(record, decimalSeparator);
    for (const char* list : {"Combo2", "Combo3", "Combo4"}) record[list].remark.clear();
    for (const RemarkPlace& place : kPlaces) {
        const std::string& remark = place.motorCradle ? diameter : solar;
        if (remark.empty()) continue;
        std::string& tip = record[place.list].remark;
        tip += (tip.empty() ? "" : "\n") + std::string(kRemarkPrefix) + remark;
    }
}
