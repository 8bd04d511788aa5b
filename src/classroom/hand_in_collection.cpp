#include "classroom/hand_in_collection.h"

#include <algorithm>
#include <map>
#include <set>

#include "catalogue/catalogue.h"
#include "catalogue/cp1252.h"
#include "catalogue/data_error.h"
#include "catalogue/search_key.h"
#include "catalogue/text_encoding.h"
#include "catalogue/visible_text.h"
#include "document/design_file.h"

namespace {

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '"'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string pupilKey(const std::string& className, const std::string& name) {
    return searchKey(trimmed(className)) + "\n" + searchKey(trimmed(name));
}

bool digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<ListedPupil> readClassList(std::string_view bytes, const std::string& fileName) {
    std::string text;
    const TextEncoding encoding = detectEncoding(bytes);
    appendAsUtf8(text, bytes.substr(encodingMarkSize(encoding)), encoding);
    std::vector<ListedPupil> pupils;
    std::string lastClass;
    int lineNumber = 0;
    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimmed(std::string_view(text).substr(begin, end - begin));
        begin = end + 1;
        ++lineNumber;
        if (line.empty()) continue;
        // The separator the line uses: « ; » and the tab before « , », which a name may hold.
        std::size_t cut = line.find_first_of(";\t");
        if (cut == std::string::npos) cut = line.find(',');
        std::string name = visibleText(pupilField(trimmed(line.substr(0, cut))));
        std::string className = cut == std::string::npos
                                    ? std::string()
                                    : visibleText(pupilField(trimmed(line.substr(cut + 1))));
        if (pupils.empty() && searchKey(name).rfind("eleve", 0) == 0) continue;  // the heading
        if (name.empty())
            throw DataError(fileName,
                            "la ligne " + std::to_string(lineNumber) + " ne donne pas de nom.");
        if (className.empty()) className = lastClass;
        lastClass = className;
        pupils.push_back({std::move(name), std::move(className)});
    }
    return pupils;
}

std::vector<ListedPupil> readClassListFile(const std::string& path) {
    static const FileRules kClassList{.maxBytes = kMaxDesignBytes,
                                      .onlyRegular = "seul un fichier texte peut être une liste.",
                                      .limit = "une liste d'élèves ne peut pas dépasser"};
    return readClassList(readFileBytes(path, kClassList), path);
}

std::string dueStamp(std::string_view typed) {
    std::string text = trimmed(typed);
    std::string day, time;
    const std::size_t cut = text.find_first_of(" T");
    day = text.substr(0, cut);
    if (cut != std::string::npos) time = trimmed(text.substr(cut + 1));
    std::string year, month, date;
    if (day.size() == 10 && day[4] == '-' && day[7] == '-') {
        year = day.substr(0, 4), month = day.substr(5, 2), date = day.substr(8, 2);
    } else if (day.size() == 10 && day[2] == '/' && day[5] == '/') {
        date = day.substr(0, 2), month = day.substr(3, 2), year = day.substr(6, 4);
    } else {
        return {};
    }
    if (!digits(year) || !digits(month) || !digits(date)) return {};
    if (time.empty()) time = "23:59:59";  // a day alone: until its end
    for (char& c : time)
        if (c == 'h') c = ':';
    std::string hours = time.substr(0, time.find(':'));
    std::string rest = time.find(':') == std::string::npos ? "" : time.substr(time.find(':') + 1);
    std::string minutes = rest.substr(0, rest.find(':'));
    std::string seconds =
        rest.find(':') == std::string::npos ? "00" : rest.substr(rest.find(':') + 1);
    if (minutes.empty()) minutes = "00";
    if (hours.size() == 1) hours = "0" + hours;
    if (!digits(hours) || !digits(minutes) || !digits(seconds) || hours.size() != 2 ||
        minutes.size() != 2 || seconds.size() != 2)
        return {};
    const int m = std::stoi(month), d = std::stoi(date), h = std::stoi(hours);
    if (m < 1 || m > 12 || d < 1 || d > 31 || h > 23 || std::stoi(minutes) > 59 ||
        std::stoi(seconds) > 59)
        return {};
    return year + "-" + month + "-" + date + "T" + hours + ":" + minutes + ":" + seconds;
}

std::string shownStamp(const std::string& stamp) {
    if (stamp.size() < 16) return stamp;
    return stamp.substr(0, 10) + " " + stamp.substr(11, 5);
}

void collectHandIns(std::vector<DesignRow>& rows, const Collection& collection) {
    // The latest hand-in of each pupil, by time, then by the name « (2) » gives a second one.
    std::map<std::string, std::vector<std::size_t>> byPupil;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].handedIn.empty())
            byPupil[pupilKey(rows[i].className, rows[i].pupil)].push_back(i);
    std::vector<bool> dropped(rows.size(), false);
    for (auto& [key, found] : byPupil) {
        std::sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
            if (rows[a].handedIn != rows[b].handedIn) return rows[a].handedIn > rows[b].handedIn;
            if (rows[a].file.size() != rows[b].file.size())
                return rows[a].file.size() > rows[b].file.size();
            return rows[a].file > rows[b].file;
        });
        DesignRow& latest = rows[found.front()];
        for (std::size_t k = 1; k < found.size(); ++k) {
            latest.earlier.push_back(rows[found[k]].file);
            dropped[found[k]] = true;
        }
    }
    std::vector<DesignRow> kept;
    kept.reserve(rows.size());
    std::set<std::string> present;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (dropped[i]) continue;
        DesignRow& row = rows[i];
        row.late =
            !collection.due.empty() && !row.handedIn.empty() && row.handedIn > collection.due;
        present.insert(pupilKey(row.className, row.pupil));
        kept.push_back(std::move(row));
    }
    for (const ListedPupil& pupil : collection.list) {
        if (!present.insert(pupilKey(pupil.className, pupil.name)).second) continue;
        DesignRow missing;
        missing.pupil = pupil.name;
        missing.className = pupil.className;
        missing.state = DesignState::NonRendu;
        kept.push_back(std::move(missing));
    }
    rows = std::move(kept);
    // A pupil's earlier hand-in, no longer a row, is no design identical to another.
    nameIdenticalDesigns(rows);
}

std::string handInWords(const DesignRow& row) {
    if (row.state == DesignState::NonRendu) return "Non rendu";
    if (row.handedIn.empty()) return {};
    return row.late ? "En retard" : "À l'heure";
}

std::string handInSummary(const std::vector<const DesignRow*>& rows) {
    int onTime = 0, late = 0, missing = 0;
    for (const DesignRow* row : rows) {
        if (row->state == DesignState::NonRendu)
            ++missing;
        else if (!row->handedIn.empty())
            ++(row->late ? late : onTime);
    }
    if (onTime + late + missing == 0) return {};
    std::string text = "remise : " + std::to_string(onTime) + " à l'heure";
    if (late > 0) text += ", " + std::to_string(late) + " en retard";
    if (missing > 0)
        text += ", " + std::to_string(missing) + (missing > 1 ? " non rendues" : " non rendue");
    return text;
}
