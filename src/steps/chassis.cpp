#include "steps/chassis.h"

#include <string>

#include "catalogue/my_val.h"
#include "window/design_record.h"
#include "window/pictures.h"
#include "window/platform.h"

namespace {

struct CaseRow {
    const char* front;
    const char* rear;
    const char* equal;
    const char* rearLarger;
    const char* frontLarger;
};

// The front-larger column runs "Cas34" then "Cas33", the other way round from the rest.
constexpr CaseRow kCases[] = {
    {"Option1", "Option3", "Cas11", "Cas21", "Cas31"},
    {"Option2", "Option4", "Cas12", "Cas22", "Cas32"},
    {"Option2", "Option3", "Cas13", "Cas23", "Cas34"},
    {"Option1", "Option4", "Cas14", "Cas24", "Cas33"},
};

}  // namespace

void chassis(DesignRecord& record, Platform& platform) {
    const std::string separator = platform.decimalSeparator();
    if (MyVal(record.text("Text30"), separator) == 0) return;
    record["Picture13"].visible = false;
    const double front = MyVal(record.text("Text37"), separator);
    const double rear = MyVal(record.text("Text44"), separator);
    for (const CaseRow& row : kCases) {
        if (!record[row.front].selected || !record[row.rear].selected) continue;
        record.setText("Text36", front == rear  ? row.equal
                                 : front < rear ? row.rearLarger
                                                : row.frontLarger);
        showPicture(record, platform, "Image17", "Data/" + record.text("Text36") + ".gif");
        record["Image17"].visible = true;
        return;
    }
}
