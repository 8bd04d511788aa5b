#include "classroom/class_scan.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>

#include "catalogue/data_error.h"
#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "catalogue/safe_name.h"
#include "classroom/scan_platform.h"
#include "document/design_file.h"
#include "document/design_steps.h"
#include "document/replay.h"
#include "estimation/remarks.h"
#include "estimation/verdict.h"
#include "steps/positions.h"
#include "window/design_record.h"
#include "window/start_up.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxDepth = 4;

bool hidden(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name[0] == '.';
}

bool recoveryFile(const std::string& name) {
    return name.rfind("recuperation", 0) == 0;
}

void findIn(const fs::path& root, const fs::path& folder, int depth, std::set<fs::path>& visited,
            std::vector<std::string>& found) {
    std::error_code error;
    const fs::path real = fs::canonical(folder, error);
    if (error || !visited.insert(real).second) return;  // unreadable, or a link loop
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (hidden(path)) continue;
        std::error_code kind;
        if (it->is_directory(kind)) {
            if (depth < kMaxDepth) findIn(root, path, depth + 1, visited, found);
            continue;
        }
        const std::string name = path.filename().string();
        if (path.extension() != ".ventakar" || recoveryFile(name) || !it->is_regular_file(kind))
            continue;
        found.push_back(path.lexically_relative(root).generic_string());
    }
}

std::string localTime(const fs::path& path, long long* seconds) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    *seconds = info.st_mtime;
    std::tm local{};
    const std::time_t when = info.st_mtime;
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string joined(const std::vector<std::string>& parts, const char* separator = " ; ") {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

bool estimated(const DesignRecord& record) {
    return record["Image11"].visible;  // shown by the estimation only
}

// Steps 1 to 13 each with their choices made (the battery kind and boxes of step 4 are not
// required), and step 14 once the estimation is made.
int stepsChosen(const DesignRecord& record) {
    std::map<int, bool> steps;
    for (const ChoiceSlot& slot : choiceSlots()) {
        bool& made = steps.try_emplace(slot.step, true).first->second;
        if (slot.kind == ChoiceKind::List) made = made && hasChoice(record[slot.control]);
        if (slot.kind == ChoiceKind::OptionPair && slot.step != 4)
            made = made && (record[slot.first].selected || record[slot.second].selected);
    }
    int count = 0;
    for (const auto& [step, made] : steps) {
        if (step == 14) continue;
        count += made ? 1 : 0;
    }
    return count + (count == 13 && estimated(record) ? 1 : 0);
}

std::string criterionText(const CriterionResult& c, std::string_view sep) {
    const std::string unit = std::string(" ") + c.unit;
    const std::string value = formatNumber(c.value, sep) + unit;
    const std::string limit = formatNumber(c.limit, sep) + unit;
    std::string text = std::string(c.name) + " : " + value +
                       (c.mustBeAbove ? " pour plus de " + limit : " pour " + limit + " au plus");
    if (c.standing == Standing::Tie) return text + " (à la limite)";
    const double gap = c.mustBeAbove ? c.limit - c.value : c.value - c.limit;
    return text + " (" + formatNumber(gap, sep) + unit +
           (c.mustBeAbove ? " de moins)" : " de trop)");
}

struct Judgement {
    DesignState state = DesignState::Incomplete;
    std::string failing;
};

Judgement judge(DesignRecord& record, std::string_view sep, bool partly) {
    if (partly) return {DesignState::RepriseEnPartie, {}};
    if (stepsChosen(record) < 14) return {DesignState::Incomplete, {}};
    std::vector<std::string> failing;
    for (const CriterionResult& c : criteriaResults(record, sep))
        if (c.standing != Standing::Complies) failing.push_back(criterionText(c, sep));
    const std::string& verdict = record["Picture9"].pictureFile;
    const DesignState state = verdict == "Data/Oui.jpg"   ? DesignState::Conforme
                              : verdict == "Data/Non.jpg" ? DesignState::NonConforme
                                                          : DesignState::SansVerdict;
    return {state, joined(failing)};
}

std::string withFailing(const Judgement& j) {
    return stateWords(j.state) + (j.failing.empty() ? std::string() : " : " + j.failing);
}

std::string batteriesOf(const DesignRecord& record, std::string_view sep, int* count) {
    *count = hasChoice(record["Combo4"]) ? int(MyVal(record.text("Text78"), sep)) : 0;
    if (*count <= 0) return "aucune";
    const bool several = *count > 1;
    const std::string kind = record["Option7"].selected   ? (several ? "piles" : "pile")
                             : record["Option8"].selected ? (several ? "accus" : "accu")
                                                          : "batteries de type non choisi";
    return std::to_string(*count) + " " + kind + ", masse " +
           (record["Check2"].checkValue == 1 ? "comptée" : "non comptée") + ", coût " +
           (record["Check1"].checkValue == 1 ? "compté" : "non compté");
}

std::optional<double> shown(const DesignRecord& record, const char* field, std::string_view sep,
                            bool computed) {
    if (!computed) return std::nullopt;
    return MyVal(record.text(field), sep);
}

// The row of one design, its record replayed from a copy of the start-up record.
void replayRow(DesignRow& row, const std::string& path, DesignRecord& record,
               ScanPlatform& platform, const std::string& sep) {
    DesignDocument document;
    try {
        document = readDesignDocument(readDesignBytes(path), path);
    } catch (const DataError& error) {
        row.remarks = error.reason();
        return;
    }
    const DesignChoices& choices = document.choices;
    row.pupil = document.pupil.name;
    row.className = document.pupil.className;
    ReplayOutcome outcome;
    try {
        outcome = replayChoices(record, platform, choices);
    } catch (const DataError& error) {
        row.remarks = std::string(error.what());
        return;
    }
    row.choicesKey = writeDesign(choices);
    const Judgement j = judge(record, sep, !outcome.complete());
    row.state = j.state;
    row.failing = j.failing;
    row.stepsChosen = stepsChosen(record);
    row.mass = shown(record, "Text91", sep, true);
    row.price = shown(record, "Text92", sep, true);
    row.height = shown(record, "Text90", sep, estimated(record));
    row.axis = shown(record, "Text43", sep, estimated(record));
    int count = 0;
    row.batteries = batteriesOf(record, sep, &count);
    row.withAllBatteries = withFailing(j);
    row.parts = partsOfDesign(record, sep);
    row.priceWithBatteries = row.price;
    if (count > 0 && j.state != DesignState::RepriseEnPartie) {
        DesignRecord all = record;
        try {
            for (const char* box : {"Check1", "Check2"})
                if (all[box].checkValue != 1) clickCheckBox(all, platform, box, 1);
            row.withAllBatteries = withFailing(judge(all, sep, false));
            row.priceWithBatteries = MyVal(all.text("Text92"), sep);
        } catch (const DataError&) {
        }
    }
    std::vector<std::string> remarks;
    for (const MissingChoice& m : outcome.missing) {
        remarks.push_back("l'élément « " + safeName(m.item) + " » de l'étape " +
                          std::to_string(m.step) + " (" + m.stepTitle +
                          ") ne figure plus dans son catalogue");
    }
    for (const std::string& r : partRemarks(record, sep)) remarks.push_back(r);
    row.remarks = joined(remarks);
}

}  // namespace

const char* stateWords(DesignState state) {
    switch (state) {
        case DesignState::Conforme:
            return "Conforme";
        case DesignState::NonConforme:
            return "Non conforme";
        case DesignState::SansVerdict:
            return "Sans verdict";
        case DesignState::Incomplete:
            return "Incomplète";
        case DesignState::RepriseEnPartie:
            return "Reprise en partie";
        case DesignState::Illisible:
            break;
    }
    return "Illisible";
}

std::vector<std::string> findDesignFiles(const std::string& folder) {
    std::vector<std::string> found;
    std::set<fs::path> visited;
    findIn(fs::path(folder), fs::path(folder), 0, visited, found);
    std::sort(found.begin(), found.end());
    return found;
}

ClassScan scanClass(const std::string& folder, const std::string& decimalSeparator,
                    const ScanProgress& progress) {
    ClassScan scan;
    scan.folder = folder;
    const std::vector<std::string> files = findDesignFiles(folder);
    DesignScanner scanner(decimalSeparator);
    const int total = static_cast<int>(files.size());
    for (int i = 0; i < total; ++i) {
        scan.rows.push_back(scanner.scan((fs::path(folder) / files[i]).string(), files[i]));
        if (progress && !progress(i + 1, total)) {
            scan.cancelled = true;
            break;
        }
    }
    // Identical designs: the same choices, whoever made them.
    std::map<std::string, std::vector<std::size_t>> same;
    for (std::size_t i = 0; i < scan.rows.size(); ++i)
        if (!scan.rows[i].choicesKey.empty()) same[scan.rows[i].choicesKey].push_back(i);
    for (const auto& [key, group] : same) {
        if (group.size() < 2) continue;
        for (std::size_t i : group) {
            std::vector<std::string> others;
            for (std::size_t j : group)
                if (j != i) others.push_back(scan.rows[j].file);
            scan.rows[i].identicalTo = joined(others);
        }
    }
    return scan;
}

DesignScanner::DesignScanner(std::string decimalSeparator)
    : separator_(std::move(decimalSeparator)),
      platform_(std::make_unique<ScanPlatform>(separator_)) {
    try {
        loadDesignWindow(startUp_, *platform_, StartWindow::Skip);
    } catch (const DataError& error) {
        startUpFailure_ = error.what();
    }
}

DesignScanner::~DesignScanner() = default;

DesignRow DesignScanner::scan(const std::string& path, const std::string& file,
                              DesignRecord* replayed) {
    DesignRow row;
    row.file = file;
    row.savedAt = localTime(path, &row.savedTime);
    if (!startUpFailure_.empty()) {
        row.remarks = startUpFailure_;
        return row;
    }
    DesignRecord record = startUp_;
    replayRow(row, path, record, *platform_, separator_);
    if (replayed) *replayed = std::move(record);
    return row;
}

DesignRow scanDesignFile(const std::string& path, const std::string& decimalSeparator) {
    return DesignScanner(decimalSeparator).scan(path, fs::path(path).filename().string());
}

std::string classSummary(const std::vector<DesignRow>& rows) {
    struct Count {
        DesignState state;
        const char* one;
        const char* many;
    };
    static const Count kCounts[] = {
        {DesignState::Conforme, "conforme", "conformes"},
        {DesignState::NonConforme, "non conforme", "non conformes"},
        {DesignState::SansVerdict, "sans verdict", "sans verdict"},
        {DesignState::Incomplete, "incomplète", "incomplètes"},
        {DesignState::RepriseEnPartie, "reprise en partie", "reprises en partie"},
        {DesignState::Illisible, "illisible", "illisibles"},
    };
    std::vector<std::string> parts;
    for (const Count& c : kCounts) {
        const auto n = std::count_if(rows.begin(), rows.end(),
                                     [&](const DesignRow& r) { return r.state == c.state; });
        if (n > 0) parts.push_back(std::to_string(n) + " " + (n > 1 ? c.many : c.one));
    }
    const std::size_t n = rows.size();
    std::string text = std::to_string(n) + (n > 1 ? " conceptions" : " conception");
    return parts.empty() ? text : text + " : " + joined(parts, ", ");
}
