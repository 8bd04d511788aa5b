#include "classroom/hand_in.h"

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"
#include "classroom/class_scan.h"
#include "document/atomic_file.h"
#include "files/file_names.h"
#include "files/file_system.h"
#include "report/print_report.h"

namespace {

constexpr int kMostNumbered = 1000;
constexpr unsigned kHandInPermissions =
    0640;  // « (2) » to « (1000) »: then something else is wrong

bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string cutToBytes(std::string text, std::size_t most) {
    if (text.size() <= most) return text;
    std::size_t end = most;
    while (end > 0 && continuation(text[end])) --end;
    text.resize(end);
    return text;
}

std::string trimmedDotsAndSpaces(std::string text) {
    std::size_t begin = 0;
    while (begin < text.size() && (text[begin] == '.' || text[begin] == ' ')) ++begin;
    text.erase(0, begin);
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

[[noreturn]] void fail(const std::string& folder, int error) {
    throw DataError(folder, fileErrorReason(error));
}

// The class's own folder, made open to the class as the hand-in folder is (a drop box stays one),
// so that the next pupil of the class can hand in too.
std::string classFolder(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    const int error = makeFolder(path);
    if (error == 0) {
        const FileStatus parent = fileStatus(folder);
        if (parent.kind == FileKind::Directory) setFilePermissions(path, parent.permissions);
    } else if (error != EEXIST) {
        fail(folder, error);
    }
    return path;
}

// The bytes written whole to a file just made, for its pupil and the teachers' group of the
// folder (a drop box's), nobody else; false, with error, when they could not be.
bool writeWhole(SystemFile& file, const std::string& bytes, int* error) {
    bool done = file.setPermissions(kHandInPermissions, error) && file.writeAll(bytes, error) &&
                file.flushToDisk(error);
    if (!file.close(error)) done = false;
    return done;
}

// The bytes under a name of their own; false when another file has that name.
bool writeUnder(const std::string& target, const std::string& bytes, const std::string& folder) {
    int error = 0;
    const std::string temporary = temporaryBeside(target);
    SystemFile file = createNewFile(temporary, &error);
    if (file.isOpen()) {
        if (writeWhole(file, bytes, &error)) {
            error = moveToNewName(temporary, target);
            if (error == 0) return true;
        }
        removeFileNamed(temporary);
        if (error == EEXIST) return false;
        if (error != ENOTSUP) fail(folder, error);
    } else {
        fail(folder, error);
    }
    // Neither a second name nor a rename that keeps one here (a network share, say): the file
    // written under its own name, taken only when free, and removed if it cannot be finished.
    file = createNewFile(target, &error);
    if (!file.isOpen()) {
        if (error == EEXIST) return false;
        fail(folder, error);
    }
    if (!writeWhole(file, bytes, &error)) {
        removeFileNamed(target);
        fail(folder, error);
    }
    return true;
}

}  // namespace

std::string handInNamePart(std::string_view text, const char* fallback) {
    std::string typed = pupilField(text);
    for (char& c : typed)
        if (c == '\x7f') c = '-';  // a control character too, which Windows alone allows
    std::string fit = portableFileName(typed);
    if (fit == portableFileName("")) fit.clear();  // its own stand-in for nothing
    fit = trimmedDotsAndSpaces(cutToBytes(trimmedDotsAndSpaces(fit), kMaxHandInNameBytes));
    if (fit.empty()) return fallback;
    // Cut or trimmed, a device's name may stand again.
    return cutToBytes(portableFileName(fit), kMaxHandInNameBytes + 1);
}

std::string handInStamp(long long seconds) {
    const std::tm local = localCalendar(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string handInRelativePath(const PupilInfo& pupil, long long seconds) {
    const std::tm local = localCalendar(seconds);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H-%M-%S", &local);
    return handInNamePart(pupil.className, "Sans classe") + "/" +
           handInNamePart(pupil.name, "Sans nom") + " — " + when + ".ventakar";
}

HandIn handInDesign(const std::string& folder, const DesignChoices& choices, const PupilInfo& pupil,
                    long long seconds) {
    const std::string problem = handInFolderProblem(folder);
    if (!problem.empty()) throw DataError(folder, problem);
    const std::string relative = handInRelativePath(pupil, seconds);
    const std::size_t slash = relative.find('/');
    const std::string inside = classFolder(folder, relative.substr(0, slash));
    const std::string bytes = writeDesign(choices, nullptr, pupil, handInStamp(seconds));
    const std::string stem = relative.substr(slash + 1, relative.size() - slash - 1 - 9);
    for (int n = 1; n <= kMostNumbered; ++n) {
        const std::string name =
            stem + (n == 1 ? "" : " (" + std::to_string(n) + ")") + ".ventakar";
        if (writeUnder(inside + "/" + name, bytes, folder))
            return {inside + "/" + name, relative.substr(0, slash + 1) + name, seconds};
    }
    fail(folder, EEXIST);
}

std::string handInFailure(const std::string& folder, std::string reason) {
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    return "La conception n'a pas été rendue : " + reason + " (dossier de remise « " +
           safeName(folder) + " »).";
}

std::string handInReceipt(const HandIn& handIn) {
    const std::tm local = localCalendar(handIn.seconds);
    return "Rendu le " + frenchDate(local) + " à " + std::to_string(local.tm_hour) + " h " +
           twoDigits(local.tm_min) + " : " + handIn.relative;
}

std::string handInQuestion(const DesignRecord& record) {
    DesignRecord read = record;  // described on a copy: the window's record stays untouched
    const DesignRow row = describeRecord(read, ",");
    const std::string why = row.failing.empty() ? std::string() : " (" + row.failing + ")";
    switch (row.state) {
        case DesignState::Conforme:
            return {};
        case DesignState::Incomplete:
            return "Cette conception n'est pas complète" + why +
                   ". La rendre au professeur quand même ?";
        default:
            return "Cette conception n'est pas conforme" + why +
                   ". La rendre au professeur quand même ?";
    }
}

std::string handInFolderProblem(const std::string& folder) {
    if (folder.empty()) return "aucun dossier de remise n'est choisi";
    const FileStatus status = fileStatus(folder);
    if (status.kind == FileKind::Missing)
        return status.error == ENOENT
                   ? "le dossier de remise est introuvable"
                   : "le dossier de remise n'est pas joignable : " + fileErrorReason(status.error);
    if (status.kind != FileKind::Directory) return "ce n'est pas un dossier";
    return {};
}
