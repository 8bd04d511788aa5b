#include "document/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "catalogue/data_error.h"
#include "document/design_file.h"
#include "files/file_names.h"
#include "files/file_system.h"

namespace fs = std::filesystem;

std::string fileErrorReason(int error) {
    switch (error) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "le disque est plein";
        case EFBIG:
            return "le fichier dépasse la taille permise sur ce disque";
        case EACCES:
        case EPERM:
            return "accès refusé : l'écriture dans ce dossier n'est pas permise (droits d'accès)";
        case EROFS:
            return "le disque est en lecture seule";
        case ENOENT:
            return "le dossier n'existe pas";
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier";
        case EISDIR:
            return "c'est un dossier, pas un fichier";
        case ELOOP:
            return "une boucle de liens symboliques dans le chemin (un lien qui mène à lui-même)";
        case ENAMETOOLONG:
            return "le nom du fichier est trop long pour le système de fichiers";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers sont ouverts en même temps";
        case EIO:
            return "erreur matérielle de lecture ou d'écriture sur le disque";
        case EBUSY:
#ifdef ETXTBSY
        case ETXTBSY:
#endif
            return "le fichier est occupé par un autre programme";
        case kFileHeldOpen:
            return "le fichier est ouvert dans un autre programme, par exemple un tableur : "
                   "fermez-le, puis recommencez";
        case EXDEV:
            return "le fichier ne peut pas être déplacé d'un disque à un autre";
        case EINVAL:
            return "le nom du fichier n'est pas permis sur ce disque";
        default:
            return "l'écriture a échoué pour une raison inattendue du système";
    }
}

namespace {

std::string reasonOf(int error) {
    return fileErrorReason(error) + ".";
}

[[noreturn]] void fail(const std::string& path, int error) {
    throw DataError(path, reasonOf(error));
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    fs::path target = systemPath(path);
    std::error_code ignored;
    // A link is followed, so that the file it points to is the one replaced.
    if (fs::is_symlink(target, ignored)) target = fs::canonical(target, ignored);
    if (target.empty()) target = systemPath(path);
    const std::string real = utf8Path(target);
    if (windowsFileNames()) {
        const std::string problem = windowsNameProblem(utf8Path(target.filename()));
        if (!problem.empty()) throw DataError(path, problem);
    }
    const FileStatus existing = fileStatus(real);
    if (existing.kind == FileKind::Directory) fail(path, EISDIR);
    const bool replacing = existing.kind != FileKind::Missing;

    const std::string temporary = temporaryBeside(real);
    int error = 0;
    SystemFile file = createNewFile(temporary, &error);
    if (!file.isOpen()) fail(path, error);
    bool done = file.writeAll(bytes, &error);
    if (done && replacing) done = file.setPermissions(existing.permissions, &error);
    if (done) done = file.flushToDisk(&error);
    if (!file.close(&error)) done = false;
    if (done) {
        error = replaceFile(temporary, real);
        done = error == 0;
    }
    if (!done) {
        removeFileNamed(temporary);
        // A shared folder (sticky, as /tmp or a class's exchange folder) takes new files from
        // anyone but lets only its owner replace a file.
        if ((error == EPERM || error == EACCES) && replacing && existing.ownedByAnother)
            throw DataError(path,
                            "ce fichier appartient à un autre compte : il ne peut pas être "
                            "remplacé ; enregistrez sous un autre nom.");
        fail(path, error);
    }
    // The rename itself reaches the disk with the folder.
    flushFolder(target.has_parent_path() ? utf8Path(target.parent_path()) : ".");
}

std::string temporaryBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const fs::path target = systemPath(path);
    std::string base = utf8Path(target.filename());
    if (base.size() > 100) {
        // Not cut in the middle of a UTF-8 letter (a name's UTF-16 must stay whole on Windows).
        base.resize(100);
        while (!base.empty() && (static_cast<unsigned char>(base.back()) & 0xC0) == 0x80)
            base.pop_back();
        if (!base.empty() && static_cast<unsigned char>(base.back()) >= 0xC0) base.pop_back();
    }
    const std::string name =
        "." + base + ".tmp-" + std::to_string(currentProcessId()) + "-" + std::to_string(counter++);
    return utf8Path(target.parent_path() / systemPath(name));
}

int temporaryFileOwner(const std::string& fileName) {
    const std::string_view name(fileName);
    if (name.size() < 2 || name[0] != '.') return 0;
    const std::size_t mark = name.rfind(".tmp-");
    if (mark == std::string_view::npos || mark == 0) return 0;
    long pid = 0;
    std::size_t i = mark + 5;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 100'000'000; ++i)
        pid = pid * 10 + (name[i] - '0');
    if (i == mark + 5 || i >= name.size() || name[i] != '-' || pid <= 0 || pid >= 100'000'000)
        return 0;
    return static_cast<int>(pid);
}

int removeOrphanTemporaries(const std::string& folder) {
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(systemPath(folder), error), end; !error && it != end;
         it.increment(error)) {
        const int pid = temporaryFileOwner(utf8Path(it->path().filename()));
        if (pid == 0 || pid == currentProcessId()) continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored) || it->is_symlink(ignored)) continue;
        if (processRunning(pid)) continue;
        if (removeFileNamed(utf8Path(it->path())) == 0) ++removed;
    }
    return removed;
}

bool removeFile(const std::string& path) {
    return removeFileNamed(path) == 0;
}

namespace {

bool readsAsDesign(const std::string& path) {
    std::string extension = utf8Path(systemPath(path).extension());
    for (char& c : extension) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    if (extension == ".ventakar") return true;
    std::ifstream in(systemPath(path), std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    // Re-saved as UTF-16 or UTF-32 by an editor, it is still somebody's design.
    std::erase(head, '\0');
    return head.find(kDesignFormat) != std::string::npos && head.find('{') != std::string::npos;
}

}  // namespace

std::string outputRefusal(const std::string& path) {
    bool standardOutput = false;
    if (isNullDevice(path) || ownStream(path, &standardOutput)) return {};
    if (windowsFileNames()) {
        const std::string problem = windowsNameProblem(utf8Path(systemPath(path).filename()));
        if (!problem.empty()) return problem;
    }
    const FileStatus status = fileStatus(path);
    if (status.kind == FileKind::Directory) return reasonOf(EISDIR);
    if ((status.kind == FileKind::Missing || status.kind == FileKind::Regular) &&
        readsAsDesign(path))
        return "c'est une conception VENTAKAR : elle n'est jamais remplacée par un export ; "
               "choisissez un autre nom de fichier.";
    return {};
}

void writeOutputFile(const std::string& path, std::string_view bytes) {
    int error = 0;
    // Written through, never replaced: what the shell sent there (a log appended to) is kept.
    bool standardOutput = false;
    if (std::optional<SystemFile> stream = ownStream(path, &standardOutput)) {
        if (!stream->writeAll(bytes, &error))
            throw DataError(standardOutput ? "la sortie standard" : path, reasonOf(error));
        return;
    }
    const std::string refusal = outputRefusal(path);
    if (!refusal.empty()) throw DataError(path, refusal);
    if (isNullDevice(path) || fileStatus(path).kind == FileKind::Special) {
        // A device, a pipe or a socket: written through, as a shell redirection would.
        SystemFile device = openToWriteThrough(path, &error);
        if (!device.isOpen()) fail(path, error);
        const bool whole = device.writeAll(bytes, &error);
        if (!device.close(&error) || !whole) fail(path, error);
        return;
    }
    const fs::path target = systemPath(path);
    removeOrphanTemporaries(target.has_parent_path() ? utf8Path(target.parent_path()) : ".");
    writeFileAtomically(path, bytes);
}
