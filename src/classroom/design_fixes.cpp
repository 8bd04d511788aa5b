#include "classroom/design_fixes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "catalogue/data_error.h"
#include "catalogue/number_text.h"
#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"
#include "window/design_record.h"

namespace {

constexpr std::size_t kPerThread = 64;  // fewer changes than that are not worth a thread

std::string yesNo(int value) {
    return value == 1 ? "oui" : "non";
}

DesignChoices changed(DesignChoices choices, const StepChange& change) {
    switch (change.kind) {
        case ChoiceKind::List:
            choices.lists[change.group] = change.choice;
            break;
        case ChoiceKind::OptionPair:
            choices.options[change.group] = change.control;
            break;
        case ChoiceKind::CheckBox:
            choices.checks[change.group] = change.value;
            break;
        case ChoiceKind::Clearance:
            choices.clearance = change.value;
            break;
    }
    return choices;
}

// The names of the criteria a row says are not met (« Masse », « Axe de l'hélice »).
std::set<std::string> unmet(const DesignRow& row) {
    std::set<std::string> names;
    std::size_t begin = 0;
    while (begin < row.failing.size()) {
        std::size_t end = row.failing.find(" ; ", begin);
        if (end == std::string::npos) end = row.failing.size();
        const std::string part = row.failing.substr(begin, end - begin);
        names.insert(part.substr(0, part.find(" : ")));
        begin = end + 3;
    }
    return names;
}

// work on this thread with scanner and on threads - 1 others, each with its own copy of it (the
// same reading of the catalogues); back once every one is done.
void onCores(DesignScanner& scanner, std::size_t threads,
             const std::function<void(DesignScanner&)>& work) {
    std::vector<std::unique_ptr<DesignScanner>> scanners;
    std::vector<std::thread> others;
    for (std::size_t t = 1; t < threads; ++t) {
        scanners.push_back(std::make_unique<DesignScanner>(scanner));
        others.emplace_back(work, std::ref(*scanners.back()));
    }
    work(scanner);
    for (std::thread& other : others) other.join();
}

}  // namespace

bool cheaperFix(const DesignFix& a, const DesignFix& b) {
    const double big = 1e300;
    const double pa = a.design.price.value_or(big), pb = b.design.price.value_or(big);
    if (pa != pb) return pa < pb;
    const double ma = a.design.mass.value_or(big), mb = b.design.mass.value_or(big);
    if (ma != mb) return ma < mb;
    if (a.changes.size() != b.changes.size()) return a.changes.size() < b.changes.size();
    return a.order < b.order;
}

std::vector<StepChange> stepChanges(const DesignRecord& record) {
    std::vector<StepChange> changes;
    for (const ChoiceSlot& slot : choiceSlots()) {
        StepChange base;
        base.step = slot.step;
        base.stepTitle = slot.stepTitle;
        base.kind = slot.kind;
        base.group = slot.control;
        const std::string title = visibleText(slot.stepTitle);
        switch (slot.kind) {
            case ChoiceKind::List: {
                const Control& list = record[slot.control];
                if (!list.enabled) break;
                const bool chosen = hasChoice(list);
                const std::string from =
                    chosen ? visibleText(list.items[list.chosenItem].text) : "aucun choix";
                for (std::size_t i = 0; i < list.items.size(); ++i) {
                    if (chosen && int(i) == list.chosenItem) continue;
                    StepChange change = base;
                    change.control = slot.control;
                    change.item = int(i);
                    change.choice = {list.items[i].text, list.items[i].tag};
                    change.what = title + " : " + from + " → " + visibleText(list.items[i].text);
                    changes.push_back(std::move(change));
                }
                break;
            }
            case ChoiceKind::OptionPair: {
                const Control& first = record[slot.first];
                const Control& second = record[slot.second];
                if (!first.enabled && !second.enabled) break;
                for (const Control* option : {&first, &second}) {
                    if (option->selected || !option->enabled) continue;
                    const Control* other = option == &first ? &second : &first;
                    StepChange change = base;
                    change.control = option->name;
                    change.what =
                        title + " : " +
                        (other->selected ? visibleText(other->text) : std::string("aucun choix")) +
                        " → " + visibleText(option->text);
                    changes.push_back(std::move(change));
                }
                break;
            }
            case ChoiceKind::CheckBox: {
                const Control& box = record[slot.control];
                if (!box.enabled) break;
                StepChange change = base;
                change.control = slot.control;
                change.value = box.checkValue == 1 ? 0 : 1;
                change.what = title + " : " + visibleText(box.text) + " : " +
                              yesNo(box.checkValue) + " → " + yesNo(change.value);
                changes.push_back(std::move(change));
                break;
            }
            case ChoiceKind::Clearance: {
                const Control& bar = record[slot.control];
                if (!bar.enabled) break;
                for (int v = bar.minimum; v <= bar.maximum; ++v) {
                    if (v == bar.value) continue;
                    StepChange change = base;
                    change.control = slot.control;
                    change.value = v;
                    change.what =
                        "Garde au sol : " + std::to_string(bar.value) + " → " + std::to_string(v);
                    changes.push_back(std::move(change));
                }
                break;
            }
        }
    }
    return changes;
}

FixSearch whatToChange(const DesignRecord& record, DesignScanner& scanner,
                       const std::string& separator, double pairSeconds,
                       const std::function<void(const DesignFix&)>& found, bool oneThread) {
    FixSearch search;
    const DesignChoices base = choicesOf(record);
    const DesignRow now = scanner.scanChoices(base);
    if (now.state == DesignState::Conforme) {
        search.conformsAlready = true;
        return search;
    }
    const std::set<std::string> failing = unmet(now);
    std::set<std::string> mendedSomewhere;
    std::mutex mutex;  // the search's results, filled from every thread
    const auto tryChanges = [&](DesignScanner& by, std::vector<StepChange> changes,
                                std::size_t order) {
        DesignChoices choices = base;
        for (const StepChange& change : changes) choices = changed(choices, change);
        DesignRow row = by.scanChoices(choices);
        const std::set<std::string> still = unmet(row);
        const std::lock_guard<std::mutex> lock(mutex);
        for (const std::string& name : failing)
            if (!still.count(name) && row.state != DesignState::RepriseEnPartie)
                mendedSomewhere.insert(name);
        if (row.state != DesignState::Conforme) return;
        DesignFix fix;
        fix.changes = std::move(changes);
        fix.choices = std::move(choices);
        fix.priceDifference = row.price.value_or(0) - now.price.value_or(0);
        fix.massDifference = row.mass.value_or(0) - now.mass.value_or(0);
        fix.mends = frenchList(std::vector<std::string>(failing.begin(), failing.end()));
        fix.design = std::move(row);
        fix.order = order;
        if (found) found(fix);
        search.fixes.push_back(std::move(fix));
    };
    const std::vector<StepChange> singles = stepChanges(record);
    // The single changes on every core, each thread its own copy of the scanner (the same
    // reading of the catalogues).
    const std::size_t threads = oneThread
                                    ? 1
                                    : std::clamp<std::size_t>(std::thread::hardware_concurrency(),
                                                              1, singles.size() / kPerThread + 1);
    std::atomic<std::size_t> next{0};
    const auto work = [&](DesignScanner& by) {
        for (std::size_t i = next++; i < singles.size(); i = next++)
            tryChanges(by, {singles[i]}, i);
    };
    onCores(scanner, threads, work);
    if (search.fixes.empty() && pairSeconds > 0) {
        search.pairs = true;
        const auto end = std::chrono::steady_clock::now() +
                         std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(pairSeconds));
        for (std::size_t i = 0; i < singles.size() && !search.stoppedEarly; ++i) {
            for (std::size_t j = i + 1; j < singles.size(); ++j) {
                if (singles[i].group == singles[j].group) continue;
                if (std::chrono::steady_clock::now() > end) {
                    search.stoppedEarly = true;
                    break;
                }
                tryChanges(scanner, {singles[i], singles[j]},
                           singles.size() + i * singles.size() + j);
            }
        }
    }
    std::stable_sort(search.fixes.begin(), search.fixes.end(), cheaperFix);
    if (search.fixes.empty()) {
        std::vector<std::string> never;
        for (const std::string& name : failing)
            if (!mendedSomewhere.count(name)) never.push_back(name);
        search.beyondReach =
            std::string("aucun changement ") +
            (!search.pairs         ? "d'une seule étape"
             : search.stoppedEarly ? "essayé d'une ou de deux étapes"
                                   : "d'une ou de deux étapes") +
            " ne rend la conception conforme (" + now.failing + ")" +
            (never.empty() ? std::string() : " ; aucun choix ne corrige : " + frenchList(never)) +
            ".";
    }
    (void)separator;
    return search;
}

namespace {

// « Roues avant : R60 → R45 (prix 12,30 €, masse 98 g) »
std::string cheapestChange(const FixSearch& search, const std::string& separator) {
    const DesignFix& fix = search.fixes.front();
    std::vector<std::string> whats;
    for (const StepChange& change : fix.changes) whats.push_back(change.what);
    std::string text = frenchList(whats);
    if (fix.design.price)
        text += " (prix " + formatMoney(*fix.design.price, separator) + " €, masse " +
                formatNumber(fix.design.mass.value_or(0), separator) + " g)";
    return text;
}

bool searchedForAFix(const DesignRow& row) {
    return (row.state == DesignState::NonConforme || row.state == DesignState::SansVerdict) &&
           !row.path.empty();
}

}  // namespace

std::string cheapestFixText(const FixSearch& search, const std::string& separator) {
    if (search.fixes.empty()) return {};
    return "Il suffirait de : " + cheapestChange(search, separator);
}

void findCheapestFix(DesignRow& row, DesignScanner& scanner, const std::string& separator,
                     bool oneThread) {
    row.fixSearched = true;
    row.fix = row.commaTexts.fix = {};
    if (!searchedForAFix(row)) return;
    try {
        const DesignDocument document = readDesignDocument(readDesignBytes(row.path), row.path);
        DesignRecord record;
        scanner.scanChoices(document.choices, &record);
        // One step at a time, as the teacher's column says.
        const FixSearch search = whatToChange(record, scanner, separator, 0, {}, oneThread);
        if (search.conformsAlready) return;  // the file changed since the scan
        if (!search.fixes.empty()) {
            row.fix = cheapestChange(search, separator);
            row.commaTexts.fix = cheapestChange(search, ",");
        } else {
            // « aucun changement d'une seule étape ne rend la conception conforme (…) »: the
            // criteria's numbers in the row's own words.
            const auto never = search.beyondReach.find(" ; aucun choix ne corrige : ");
            const std::string cannot =
                never == std::string::npos ? std::string() : search.beyondReach.substr(never);
            row.fix = "aucun changement d'une seule étape ne suffit" +
                      (cannot.empty() ? std::string(".") : cannot);
            row.commaTexts.fix = row.fix;
        }
    } catch (const DataError&) {
        // The file went or changed since the scan: nothing said rather than a wrong change.
    }
}

void findCheapestFixes(std::vector<DesignRow>& rows, const std::string& separator,
                       const std::function<bool()>& goOn) {
    // The designs to search, one row for each set of choices; the others take its cells.
    std::vector<std::size_t> first;
    std::map<std::string, std::size_t> byChoices;
    std::vector<std::pair<std::size_t, std::size_t>> same;  // (row, the row searched for it)
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].fixSearched || !searchedForAFix(rows[i])) continue;
        const auto [at, added] = byChoices.emplace(rows[i].choicesKey, i);
        if (added || rows[i].choicesKey.empty())
            first.push_back(i);
        else
            same.emplace_back(i, at->second);
    }
    if (first.empty()) return;
    DesignScanner scanner(separator);
    const std::size_t threads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, first.size());
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stopped{false};
    std::mutex asking;  // goOn from one thread at a time
    const auto work = [&](DesignScanner& by) {
        for (std::size_t i = next++; i < first.size() && !stopped; i = next++) {
            if (goOn) {
                const std::lock_guard<std::mutex> lock(asking);
                if (!goOn()) {
                    stopped = true;
                    break;
                }
            }
            findCheapestFix(rows[first[i]], by, separator);
        }
    };
    onCores(scanner, threads, work);
    for (const auto& [row, searched] : same) {
        if (!rows[searched].fixSearched) continue;
        rows[row].fix = rows[searched].fix;
        rows[row].commaTexts.fix = rows[searched].commaTexts.fix;
        rows[row].fixSearched = true;
    }
}

std::vector<std::string> fixNotes(const FixSearch& search) {
    std::vector<std::string> notes;
    if (search.pairs && !search.fixes.empty())
        notes.push_back("Aucun changement d'une seule étape ne suffit : voici les paires.");
    if (search.stoppedEarly)
        notes.push_back(
            "La recherche des paires s'est arrêtée avant la fin (temps écoulé) : d'autres "
            "existent peut-être.");
    if (!search.beyondReach.empty()) {
        std::string text = search.beyondReach;
        text[0] = 'A';
        notes.push_back(text);
    }
    return notes;
}

TeacherTable fixesTable(const FixSearch& search) {
    TeacherTable table{.headings = {"Étape", "Changement", "Masse (g)", "Prix HT (€)",
                                    "Hauteur (mm)", "Axe de l'hélice (mm)", "Écart de prix (€)",
                                    "Écart de masse (g)", "Critères corrigés"},
                       .rows = {},
                       .notes = fixNotes(search)};
    const auto number = [](const std::optional<double>& value, bool money = false) {
        if (!value) return CsvCell(std::string());
        return CsvCell::number(money ? formatMoney(*value, ",") : formatNumber(*value, ","),
                               money ? formatMoney(*value, ".") : formatNumber(*value, "."),
                               money ? CsvCell::Kind::Money : CsvCell::Kind::Number);
    };
    for (const DesignFix& fix : search.fixes) {
        std::vector<std::string> steps, whats;
        for (const StepChange& change : fix.changes) {
            steps.push_back(std::to_string(change.step));
            whats.push_back(change.what);
        }
        table.rows.push_back(
            {CsvCell(frenchList(steps)), CsvCell(frenchList(whats)), number(fix.design.mass),
             number(fix.design.price, true), number(fix.design.height), number(fix.design.axis),
             number(fix.priceDifference, true), number(fix.massDifference), CsvCell(fix.mends)});
    }
    return table;
}
