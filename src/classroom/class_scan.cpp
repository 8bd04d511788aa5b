#include "classroom/class_scan.h"

#include "classroom/hand_in_collection.h"

#include <cerrno>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <unordered_set>

#include "catalogue/data_error.h"
#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "catalogue/safe_name.h"
#include "catalogue/visible_text.h"
#include "classroom/scan_platform.h"
#include "document/design_file.h"
#include "document/design_steps.h"
#include "document/replay.h"
#include "estimation/remarks.h"
#include "estimation/verdict.h"
#include "files/file_system.h"
#include "steps/positions.h"
#include "window/design_record.h"
#include "window/start_up.h"

namespace fs = std::filesystem;

namespace {

bool hiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

bool hidden(const fs::path& path) {
    return hiddenName(utf8Path(path.filename()));
}

bool recoveryFile(const std::string& name) {
    return name.rfind("recuperation", 0) == 0;
}

// A file name, not hidden: its extension is what follows its last dot.
bool designFileName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return false;
    std::string extension = name.substr(dot);
    for (char& c : extension) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return extension == ".ventakar" && !recoveryFile(name);
}

bool designName(const fs::path& path) {
    return designFileName(utf8Path(path.filename()));
}

std::string readReason(const std::error_code& error) {
    switch (error.value()) {
        case EACCES:
        case EPERM:
            return "droits d'accès";
        case ELOOP:
            return "boucle de liens";
        case ENOENT:
            return "lien cassé";
        default:
            return "illisible : " + error.message();
    }
}

// « le dossier « 5A/Léa/ » a été déplacé ou supprimé pendant la lecture de la classe »
std::string movedFolder(const fs::path& root, const fs::path& folder) {
    const fs::path relative = folder.lexically_relative(root);
    const std::string name = relative.empty() || relative == "."
                                 ? visibleText(utf8Path(root))
                                 : visibleText(utf8GenericPath(relative)) + "/";
    return "le dossier « " + name +
           " » a été déplacé ou supprimé pendant la lecture de la classe : le tableau est "
           "incomplet.";
}

// The class folder's walk: real paths, so that every design is met once under its own name.
class DesignFinder {
  public:
    explicit DesignFinder(fs::path root) : root_(std::move(root)) {
        visited_.insert(root_);
        if (const auto id = fileIdentity(utf8Path(root_))) identities_.insert(*id);
    }

    // folder is real, and lies at relative in the class folder.
    void walk(const fs::path& folder, const fs::path& relative = {}) {
        folderRelative_ = relative;
        if (!found.interrupted.empty()) return;
        std::error_code error;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            entries.push_back(*it);
        if (error) {
            // Seen a moment ago: it was moved or deleted while the class was read.
            if (error.value() == ENOENT) {
                found.interrupted = movedFolder(root_, folder);
                return;
            }
            skip(folder, true, readReason(error));
            return;
        }
        // Names of one folder: their own text orders them as the paths would, at less cost.
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.path().native() < b.path().native();
        });
        for (const fs::directory_entry& entry : entries) {
            visit(entry);
            folderRelative_ = relative;  // a walk below changed it
        }
    }

    FoundDesigns found;

  private:
    // The path inside the class folder, or nothing when real lies outside it.
    std::optional<fs::path> inside(const fs::path& real) const {
        const fs::path relative = real.lexically_relative(root_);
        if (relative.empty() || *relative.begin() == "..") return std::nullopt;
        return relative;
    }

    void skip(const fs::path& path, bool folder, const std::string& reason) {
        const fs::path relative = path.lexically_relative(root_);
        found.skipped.push_back(
            {visibleText(utf8GenericPath(relative)) + (folder ? "/" : ""), reason});
    }

    void visit(const fs::directory_entry& entry) {
        const fs::path& path = entry.path();
        const std::string name = utf8Path(path.filename());
        if (hiddenName(name)) return;
        std::error_code error;
        const fs::file_status status = entry.status(error);
        if (error || !fs::exists(status)) {
            if (designFileName(name))
                skip(path, false, error ? readReason(error) : "lien cassé");
            else
                ++found.otherFiles;
            return;
        }
        // The folders walked are real paths already: only a link needs resolving.
        const bool link = entry.is_symlink(error);
        const bool resolved = link || error;
        const fs::path real = resolved ? fs::canonical(path, error) : path;
        if (error) {
            skip(path, fs::is_directory(status), readReason(error));
            return;
        }
        // Not a link: where it stands in the folder walked, without working it out again.
        const std::optional<fs::path> relative =
            resolved ? inside(real) : std::optional(folderRelative_ / path.filename());
        if (fs::is_directory(status)) {
            if (!relative) {
                // A link to the class folder itself or above is a loop; elsewhere, another class.
                if (utf8GenericPath(real.lexically_relative(root_)).find_first_not_of("./") !=
                    std::string::npos)
                    skip(path, true, "lien hors du dossier de la classe, non suivi");
                return;
            }
            if (!visited_.insert(real).second) return;  // read already, or a loop
            // The same folder under another path (a bind mount) is read once too.
            if (const auto id = fileIdentity(utf8Path(real)); id && !identities_.insert(*id).second)
                return;
            const int realDepth =
                static_cast<int>(std::distance(relative->begin(), relative->end()));
            if (realDepth > kMaxDepth) {
                const int deeper = countDeeper(real);
                if (deeper > 0)
                    skip(real, true,
                         std::to_string(deeper) + (deeper > 1 ? " conceptions" : " conception") +
                             " à plus de " + std::to_string(kMaxDepth) + " niveaux de dossiers");
                return;
            }
            walk(real, *relative);
            return;
        }
        if (!designFileName(name)) {
            ++found.otherFiles;
            return;
        }
        if (!relative) {
            skip(path, false, "lien hors du dossier de la classe, non suivi");
            return;
        }
        if (!fs::is_regular_file(status)) {
            skip(path, false, "pas un fichier ordinaire");
            return;
        }
        if (files_.insert(real.native()).second) found.files.push_back(utf8GenericPath(*relative));
    }

    // The designs below a folder too deep to be read, counted only.
    int countDeeper(const fs::path& folder) {
        int count = 0;
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it.depth() > 32) it.disable_recursion_pending();
            std::error_code ignored;
            if (designName(it->path()) && it->is_regular_file(ignored) && !hidden(it->path()))
                ++count;
        }
        return count;
    }

    fs::path root_;
    fs::path folderRelative_;  // of the folder being walked
    std::set<fs::path> visited_;
    std::set<FileIdentity> identities_;
    std::unordered_set<fs::path::string_type> files_;  // real paths, normalised already
};

// The choices as one text, the same for the same choices and different for different ones:
// every part with its length before it. Cheaper than the file's own writing of them.
std::string choicesKeyOf(const DesignChoices& choices) {
    std::string key;
    const auto add = [&key](std::string_view part) {
        key += std::to_string(part.size());
        key += ':';
        key += part;
    };
    for (const auto& [list, choice] : choices.lists) {
        add(list);
        add(choice.text);
        add(std::to_string(choice.index));
    }
    key += '|';
    for (const auto& [group, option] : choices.options) {
        add(group);
        add(option);
    }
    key += '|';
    for (const auto& [box, value] : choices.checks) {
        add(box);
        add(std::to_string(value));
    }
    key += '|';
    if (choices.clearance) add(std::to_string(*choices.clearance));
    return key;
}

std::string localTime(const std::string& path, long long* seconds) {
    const FileStatus status = fileStatus(path);
    if (status.kind == FileKind::Missing) return {};
    *seconds = status.modified;
    return localTimeText(status.modified);
}

std::string joined(const std::vector<std::string>& parts, const char* separator = " ; ") {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

bool estimated(const DesignRecord& record) {
    return record["Image11"].visible;  // shown by the estimation only
}

// Steps 1 to 13, each with whether its choices are made (the battery kind and boxes of step 4
// are not required).
std::map<int, bool> stepsMade(const DesignRecord& record) {
    std::map<int, bool> steps;
    for (const ChoiceSlot& slot : choiceSlots()) {
        if (slot.step == 14) continue;
        bool& made = steps.try_emplace(slot.step, true).first->second;
        if (slot.kind == ChoiceKind::List) made = made && hasChoice(record[slot.control]);
        if (slot.kind == ChoiceKind::OptionPair && slot.step != 4)
            made = made && (record[slot.first].selected || record[slot.second].selected);
    }
    return steps;
}

// Steps 1 to 13 whose choices are not all made.
std::vector<int> stepsToChoose(const DesignRecord& record) {
    std::vector<int> missing;
    for (const auto& [step, made] : stepsMade(record))
        if (!made) missing.push_back(step);
    return missing;
}

// « Étapes 11, 12 et 13 à choisir », « Étape 5 à choisir », or the estimation still to make.
std::string stepsToChooseText(const DesignRecord& record) {
    const std::vector<int> missing = stepsToChoose(record);
    if (missing.empty()) return "Étape 14 : l'estimation de l'encombrement reste à faire";
    std::string text = missing.size() > 1 ? "Étapes " : "Étape ";
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0) text += i + 1 == missing.size() ? " et " : ", ";
        text += std::to_string(missing[i]);
    }
    return text + " à choisir";
}

// Steps 1 to 13 each with their choices made, and step 14 once the estimation is made.
int stepsChosen(const DesignRecord& record) {
    int count = 0;
    for (const auto& [step, made] : stepsMade(record)) count += made ? 1 : 0;
    return count + (count == 13 && estimated(record) ? 1 : 0);
}

// A criterion in words: how far from its limit, or that it stands exactly at it.
std::string criterionText(const CriterionResult& c, std::string_view sep) {
    const bool money = std::string_view(c.unit) == "€";
    const std::string value = criterionFigure(c, c.value, sep);
    if (c.standing == Standing::Tie)
        return std::string(c.name) + " : " + value + ", exactement la limite (" +
               requirementText(c, sep) + ") : le règlement ne donne pas de verdict";
    const double gap = c.mustBeAbove ? c.limit - c.value : c.value - c.limit;
    const std::string gapText = money ? formatCents(toCents(c.mustBeAbove ? c.limit : c.value) -
                                                        toCents(c.mustBeAbove ? c.value : c.limit),
                                                    sep) +
                                            " " + c.unit
                                      : criterionFigure(c, gap, sep);
    return std::string(c.name) + " : " + value + " (" + requirementText(c, sep) + ", " + gapText +
           (c.mustBeAbove ? " de moins)" : " de trop)");
}

struct Judgement {
    DesignState state = DesignState::Incomplete;
    std::vector<CriterionResult> unmet;  // failing or at their limit

    std::string failing(std::string_view sep) const {
        std::vector<std::string> texts;
        for (const CriterionResult& c : unmet) texts.push_back(criterionText(c, sep));
        return joined(texts);
    }
    std::string withFailing(std::string_view sep) const {
        const std::string words = failing(sep);
        return stateWords(state) + (words.empty() ? std::string() : " : " + words);
    }
};

Judgement judge(DesignRecord& record, std::string_view sep, bool partly) {
    if (partly) return {DesignState::RepriseEnPartie, {}};
    if (stepsChosen(record) < 14) return {DesignState::Incomplete, {}};
    Judgement j;
    for (const CriterionResult& c : criteriaResults(record, sep))
        if (c.standing != Standing::Complies) j.unmet.push_back(c);
    const std::string& verdict = record["Picture9"].pictureFile;
    j.state = verdict == "Data/Oui.jpg"   ? DesignState::Conforme
              : verdict == "Data/Non.jpg" ? DesignState::NonConforme
                                          : DesignState::SansVerdict;
    if (j.state == DesignState::Conforme) j.unmet.clear();
    return j;
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

// The design file of a row, read; its pupil named in the row. Nothing, and the row saying why,
// when it cannot be read.
std::optional<DesignDocument> readRowDocument(DesignRow& row, const std::string& path) {
    std::string bytes;
    try {
        bytes = readDesignBytes(path);
        DesignDocument document = readDesignDocument(bytes, path);
        row.pupil = visibleText(document.pupil.name);
        row.className = visibleText(document.pupil.className);
        row.handedIn = document.handedIn;
        return document;
    } catch (const DataError& error) {
        row.failing = row.commaTexts.failing = visibleText(error.reason());
        // Unread, but still someone's: the name when the file gives it.
        const PupilInfo pupil = readPupilOnly(bytes);
        row.pupil = visibleText(pupil.name);
        row.className = visibleText(pupil.className);
        return std::nullopt;
    }
}

// A replayed record's values in its row: state, criteria, steps, totals, heights, batteries. The
// judgement and the battery count for what the caller adds.
Judgement describeValues(DesignRow& row, DesignRecord& record, const std::string& sep, bool partly,
                         int* count) {
    const Judgement j = judge(record, sep, partly);
    row.state = j.state;
    row.failing = j.failing(sep);
    row.commaTexts.failing = j.failing(",");
    if (j.state == DesignState::Incomplete && row.failing.empty())
        row.failing = row.commaTexts.failing = stepsToChooseText(record);
    row.stepsChosen = stepsChosen(record);
    row.mass = shown(record, "Text91", sep, true);
    row.price = shown(record, "Text92", sep, true);
    row.height = shown(record, "Text90", sep, estimated(record));
    row.axis = shown(record, "Text43", sep, estimated(record));
    row.batteries = batteriesOf(record, sep, count);
    row.withAllBatteries = j.withFailing(sep);
    row.commaTexts.withAllBatteries = j.withFailing(",");
    return j;
}

// The row of one design, its choices replayed on a copy of the start-up record.
void replayRow(DesignRow& row, const DesignChoices& choices, const std::string& key,
               DesignRecord& record, ScanPlatform& platform, const std::string& sep,
               bool keepRecord) {
    ReplayOutcome outcome;
    try {
        outcome = replayChoices(record, platform, choices);
    } catch (const DataError& error) {
        row.failing = row.commaTexts.failing = visibleText(error.what());
        return;
    }
    row.choicesKey = key;
    int count = 0;
    const Judgement j = describeValues(row, record, sep, !outcome.complete(), &count);
    row.parts = partsOfDesign(record, sep);
    for (PartLine& part : row.parts) {
        for (std::string* text : {&part.supplier, &part.reference, &part.designation})
            *text = visibleText(*text);
    }
    // Before the boxes below are ticked on the record itself.
    const auto remarksWith = [&](std::string_view separator) {
        return visibleText(joined(partRemarks(record, separator)));
    };
    row.remarks = remarksWith(sep);
    row.commaTexts.remarks = sep == "," ? row.remarks : remarksWith(",");
    row.priceWithBatteries = row.price;
    if (count > 0 && j.state != DesignState::RepriseEnPartie) {
        // The design with both boxes ticked, on a copy only when the record is wanted after.
        std::optional<DesignRecord> copy;
        if (keepRecord) copy = record;
        DesignRecord& all = keepRecord ? *copy : record;
        try {
            DeferredEstimation deferred(all, platform);
            for (const char* box : {"Check1", "Check2"})
                if (all[box].checkValue != 1) clickCheckBox(all, platform, box, 1);
            deferred.finish();
            const Judgement withAll = judge(all, sep, false);
            row.withAllBatteries = withAll.withFailing(sep);
            row.commaTexts.withAllBatteries = withAll.withFailing(",");
            row.priceWithBatteries = MyVal(all.text("Text92"), sep);
        } catch (const DataError&) {
        }
    }
    // A choice the catalogues no longer hold is why the design was taken back in part: said
    // where the criteria are, before them.
    std::vector<std::string> gone;
    for (const MissingChoice& m : outcome.missing) {
        gone.push_back("l'élément « " + safeName(m.item) + " » de l'étape " +
                       std::to_string(m.step) + " (" + m.stepTitle +
                       ") ne figure plus dans son catalogue");
    }
    if (!gone.empty()) {
        for (std::string* text : {&row.failing, &row.commaTexts.failing}) {
            std::vector<std::string> reasons = gone;
            if (!text->empty()) reasons.push_back(*text);
            *text = visibleText(joined(reasons));
        }
    }
}

}  // namespace

// Identical designs (the same choices, whoever made them) by group: its number, its size and at
// most five of the others, so that a row does not grow with the class.
void nameIdenticalDesigns(std::vector<DesignRow>& rows) {
    for (DesignRow& row : rows) row.identicalTo.clear();
    constexpr std::size_t kNamed = 5;
    std::map<std::string, std::vector<std::size_t>> same;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].choicesKey.empty()) same[rows[i].choicesKey].push_back(i);
    std::vector<const std::vector<std::size_t>*> groups;
    for (const auto& [key, group] : same)
        if (group.size() > 1) groups.push_back(&group);
    // Numbered in the order of their first file.
    std::sort(groups.begin(), groups.end(),
              [&](const auto* a, const auto* b) { return a->front() < b->front(); });
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::size_t>& group = *groups[g];
        const std::string head = "groupe " + std::to_string(g + 1) + ", " +
                                 std::to_string(group.size()) + " conceptions : ";
        for (std::size_t i : group) {
            std::vector<std::string> others;
            for (std::size_t j : group) {
                if (j == i) continue;
                if (others.size() == kNamed) break;
                others.push_back(rows[j].file);
            }
            const std::size_t more = group.size() - 1 - others.size();
            rows[i].identicalTo = head + joined(others, ", ") +
                                  (more ? " et " + std::to_string(more) + " autres" : "");
        }
    }
}

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
        case DesignState::NonRendu:
            return "Non rendu";
        case DesignState::Illisible:
            break;
    }
    return "Illisible";
}

FoundDesigns findDesigns(const std::string& folder) {
    std::error_code error;
    fs::path root = fs::canonical(systemPath(folder), error);
    if (error) return {};
    DesignFinder finder(root);
    finder.walk(root);
    // Mostly in order already: a name and a folder of the same name with a dot after are not.
    if (!std::is_sorted(finder.found.files.begin(), finder.found.files.end()))
        std::sort(finder.found.files.begin(), finder.found.files.end());
    return std::move(finder.found);
}

std::vector<std::string> findDesignFiles(const std::string& folder) {
    return findDesigns(folder).files;
}

std::string classFolderProblem(const std::string& folder) {
    const std::string shown = "« " + visibleText(folder) + " »";
    std::error_code error;
    const fs::file_status status = fs::status(systemPath(folder), error);
    if (!fs::exists(status)) return "le dossier " + shown + " n'existe pas.";
    if (!fs::is_directory(status))
        return shown + " est un fichier, pas un dossier : donnez le dossier de la classe.";
    fs::directory_iterator it(systemPath(folder), error);
    if (error) return "le dossier " + shown + " ne peut pas être lu (" + readReason(error) + ").";
    return {};
}

std::vector<std::string> skippedLines(const std::vector<SkippedEntry>& skipped, int otherFiles) {
    std::vector<std::string> lines;
    if (!skipped.empty()) {
        constexpr std::size_t kNamed = 5;
        std::vector<std::string> named;
        for (std::size_t i = 0; i < skipped.size() && i < kNamed; ++i)
            named.push_back(skipped[i].path + " (" + skipped[i].reason + ")");
        std::string line = std::to_string(skipped.size()) +
                           (skipped.size() > 1 ? " fichiers non lus : " : " fichier non lu : ") +
                           joined(named, ", ");
        if (skipped.size() > kNamed)
            line += " et " + std::to_string(skipped.size() - kNamed) + " autres";
        lines.push_back(line);
    }
    if (otherFiles > 0)
        lines.push_back(std::to_string(otherFiles) +
                        (otherFiles > 1 ? " autres fichiers laissés de côté (pas des conceptions)"
                                        : " autre fichier laissé de côté (pas une conception)"));
    return lines;
}

ClassScan scanClass(const std::string& folder, const std::string& decimalSeparator,
                    const ScanProgress& progress) {
    ClassScan scan;
    scan.folder = folder;
    FoundDesigns found = findDesigns(folder);
    scan.skipped = std::move(found.skipped);
    scan.otherFiles = found.otherFiles;
    const std::vector<std::string>& files = found.files;
    scan.interrupted = std::move(found.interrupted);
    const std::optional<FileIdentity> root = fileIdentity(folder);
    // Gone, or another folder now under its name.
    auto moved = [&](const fs::path& at) {
        std::error_code error;
        if (fileIdentity(folder) != root) return systemPath(folder);
        if (fs::is_directory(at, error)) return fs::path();
        fs::path gone = at;  // the outermost folder that went away
        while (gone.parent_path() != systemPath(folder) &&
               !fs::is_directory(gone.parent_path(), error))
            gone = gone.parent_path();
        return gone;
    };
    if (scan.interrupted.empty() && moved(systemPath(folder)) != fs::path())
        scan.interrupted = movedFolder(systemPath(folder), systemPath(folder));
    const int total = scan.interrupted.empty() ? static_cast<int>(files.size()) : 0;
    // Each core replays its share, a few designs at a time, each on its own scanner over the same
    // reading of the catalogues; the rows stand in the files' order whoever read them. The scan
    // keeps the designs read before the first that stops it (a folder gone, the user's stop).
    DesignScanner first(decimalSeparator);
    const int cores = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    const int workers = total >= 64 ? cores : 1;
    constexpr int kShare = 16;
    std::vector<std::optional<DesignRow>> read(static_cast<std::size_t>(total));
    std::atomic<int> next{0}, done{0}, stopAt{total};
    std::mutex stopMutex, progressMutex;
    std::string movedReason;
    bool cancelled = false;  // under progressMutex
    // The scan ends before design i: nothing from it on is read.
    const auto stopHere = [&](int i, std::string reason) {
        const std::lock_guard<std::mutex> lock(stopMutex);
        if (i >= stopAt) return;
        stopAt = i;
        if (!reason.empty()) movedReason = std::move(reason);
    };
    const auto work = [&](DesignScanner& scanner) {
        for (int start = next.fetch_add(kShare); start < stopAt; start = next.fetch_add(kShare)) {
            for (int i = start; i < std::min(start + kShare, total) && i < stopAt; ++i) {
                const fs::path path = systemPath(folder) / systemPath(files[i]);
                DesignRow row = scanner.scan(utf8GenericPath(path), files[i]);
                if (row.state == DesignState::Illisible) {
                    // Unread because its folder went away, not because of what the pupil wrote.
                    if (const fs::path gone = moved(path.parent_path()); !gone.empty()) {
                        stopHere(i, movedFolder(systemPath(folder), gone));
                        return;
                    }
                }
                read[i] = std::move(row);
                const int count = ++done;
                if (progress) {
                    // One call at a time, whichever thread read the design.
                    const std::lock_guard<std::mutex> lock(progressMutex);
                    if (!cancelled && !progress(count, total)) {
                        cancelled = true;
                        stopHere(i + 1, {});
                    }
                }
            }
        }
    };
    std::vector<std::unique_ptr<DesignScanner>> others;
    for (int w = 1; w < workers; ++w) others.push_back(std::make_unique<DesignScanner>(first));
    std::vector<std::thread> threads;
    for (auto& scanner : others) threads.emplace_back([&work, &scanner] { work(*scanner); });
    work(first);  // this thread replays its share too
    for (std::thread& t : threads) t.join();
    if (!movedReason.empty()) scan.interrupted = std::move(movedReason);
    scan.cancelled = cancelled;
    // The rows read before the first design left unread.
    for (int i = 0; i < stopAt && read[i]; ++i) scan.rows.push_back(std::move(*read[i]));
    nameIdenticalDesigns(scan.rows);
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

DesignScanner::DesignScanner(const DesignScanner& other)
    : separator_(other.separator_),
      platform_(std::make_unique<ScanPlatform>(separator_, other.platform_->snapshot())),
      startUp_(other.startUp_),
      startUpFailure_(other.startUpFailure_) {}

DesignScanner::~DesignScanner() = default;

DesignRow DesignScanner::scan(const std::string& path, const std::string& file,
                              DesignRecord* replayed) {
    DesignRow row;
    row.file = visibleText(file);
    row.path = path;
    row.savedAt = localTime(path, &row.savedTime);
    if (!startUpFailure_.empty()) {
        row.failing = row.commaTexts.failing = startUpFailure_;
        return row;
    }
    std::optional<DesignDocument> document = readRowDocument(row, path);
    if (!document) return row;
    DesignRow same = scanChoices(document->choices, replayed);
    for (std::string DesignRow::*own :
         {&DesignRow::pupil, &DesignRow::className, &DesignRow::file, &DesignRow::path,
          &DesignRow::savedAt, &DesignRow::handedIn})
        same.*own = std::move(row.*own);
    same.savedTime = row.savedTime;
    return same;
}

DesignRow DesignScanner::scanChoices(const DesignChoices& choices, DesignRecord* replayed) {
    DesignRow row;
    if (!startUpFailure_.empty()) {
        row.failing = row.commaTexts.failing = startUpFailure_;
        return row;
    }
    std::string key = choicesKeyOf(choices);
    // The same choices give the same row, whoever made them: a starter file handed in unchanged
    // by half the class is replayed once.
    if (!replayed) {
        if (const auto it = replays_.find(key); it != replays_.end()) return it->second;
    }
    // The one record of this scanner, put back in its start-up state where the last design
    // changed it.
    work_.restore(startUp_);
    replayRow(row, choices, key, work_, *platform_, separator_, replayed != nullptr);
    if (replayed) {
        *replayed = work_;
    } else if (replays_.size() < kReplaysKept) {
        replays_.emplace(std::move(key), row);
    }
    return row;
}

DesignRow describeRecord(DesignRecord& record, const std::string& decimalSeparator) {
    DesignRow row;
    int count = 0;
    describeValues(row, record, decimalSeparator, false, &count);
    row.remarks = visibleText(joined(partRemarks(record, decimalSeparator)));
    return row;
}

DesignRow scanDesignFile(const std::string& path, const std::string& decimalSeparator) {
    return DesignScanner(decimalSeparator).scan(path, utf8Path(systemPath(path).filename()));
}

std::string classSummary(const std::vector<DesignRow>& rows) {
    std::vector<const DesignRow*> all;
    for (const DesignRow& row : rows) all.push_back(&row);
    return classSummary(all);
}

std::string classSummary(const std::vector<const DesignRow*>& rows) {
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
                                     [&](const DesignRow* r) { return r->state == c.state; });
        if (n > 0) parts.push_back(std::to_string(n) + " " + (n > 1 ? c.many : c.one));
    }
    // A pupil with nothing handed in is no design: counted with the hand-ins.
    const auto n = std::count_if(rows.begin(), rows.end(), [](const DesignRow* r) {
        return r->state != DesignState::NonRendu;
    });
    std::string text = std::to_string(n) + (n > 1 ? " conceptions" : " conception");
    if (!parts.empty()) text += " : " + joined(parts, ", ");
    const std::string handedIn = handInSummary(rows);
    return handedIn.empty() ? text : text + " ; " + handedIn;
}
