#include "document/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "catalogue/data_error.h"
#include "document/design_file.h"

namespace fs = std::filesystem;

std::string fileErrorReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
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
        case ETXTBSY:
            return "le fichier est occupé par un autre programme";
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
    fs::path target(path);
    std::error_code ignored;
    // A link is followed, so that the file it points to is the one replaced.
    if (fs::is_symlink(target, ignored)) target = fs::canonical(target, ignored);
    if (target.empty()) target = path;
    if (fs::is_directory(target, ignored)) fail(path, EISDIR);
    mode_t mode = 0666;
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing) mode = existing.st_mode & 07777;

    const std::string temporary = temporaryBeside(target.string());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) fail(path, errno);
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno != EINTR) error = errno;
        } else {
            done += static_cast<std::size_t>(wrote);
        }
    }
    if (error == 0 && replacing && ::fchmod(fd, mode) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        // A shared folder (sticky, as /tmp or a class's exchange folder) takes new files from
        // anyone but lets only its owner replace a file.
        if ((error == EPERM || error == EACCES) && replacing && existing.st_uid != ::geteuid())
            throw DataError(path,
                            "ce fichier appartient à un autre compte : il ne peut pas être "
                            "remplacé ; enregistrez sous un autre nom.");
        fail(path, error);
    }
    // The rename itself reaches the disk with the folder.
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string temporaryBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const fs::path target(path);
    const std::string name = "." + target.filename().string().substr(0, 100) + ".tmp-" +
                             std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return (target.parent_path() / name).string();
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
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const int pid = temporaryFileOwner(it->path().filename().string());
        if (pid == 0 || pid == ::getpid()) continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored) || it->is_symlink(ignored)) continue;
        // Signal 0 only asks whether the process exists; EPERM: it does, under another user.
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

namespace {

bool writeAll(int fd, std::string_view bytes, int* error) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            *error = errno;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool readsAsDesign(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    for (char& c : extension) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    if (extension == ".ventakar") return true;
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    // Re-saved as UTF-16 or UTF-32 by an editor, it is still somebody's design.
    std::erase(head, '\0');
    return head.find(kDesignFormat) != std::string::npos && head.find('{') != std::string::npos;
}

}  // namespace

std::string outputRefusal(const std::string& path) {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return reasonOf(EISDIR);
    if ((!exists || S_ISREG(info.st_mode)) && readsAsDesign(path))
        return "c'est une conception VENTAKAR : elle n'est jamais remplacée par un export ; "
               "choisissez un autre nom de fichier.";
    return {};
}

namespace {

// The descriptor of this process a path names: standard output under another name
// (/dev/stdout, /proc/self/fd/1, /dev/fd/1) or any open one; -1 for any other path.
int ownDescriptor(const std::string& path) {
    if (path == "-" || path == "/dev/stdout") return STDOUT_FILENO;
    if (path == "/dev/stderr") return STDERR_FILENO;
    for (const std::string& prefix : {std::string("/proc/self/fd/"), std::string("/dev/fd/"),
                                      "/proc/" + std::to_string(::getpid()) + "/fd/"}) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string number = path.substr(prefix.size());
        if (number.size() > 6 || number.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        const int fd = std::stoi(number);
        return ::fcntl(fd, F_GETFD) == -1 ? -1 : fd;
    }
    return -1;
}

}  // namespace

void writeOutputFile(const std::string& path, std::string_view bytes) {
    int error = 0;
    // Written through, never replaced: what the shell sent there (a log appended to) is kept.
    if (const int fd = ownDescriptor(path); fd >= 0) {
        if (!writeAll(fd, bytes, &error))
            throw DataError(fd == STDOUT_FILENO ? "la sortie standard" : path, reasonOf(error));
        return;
    }
    const std::string refusal = outputRefusal(path);
    if (!refusal.empty()) throw DataError(path, refusal);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        // A device, a pipe or a socket: written through, as a shell redirection would.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) fail(path, errno);
        const bool whole = writeAll(fd, bytes, &error);
        if (::close(fd) != 0 && whole) error = errno;
        if (error != 0) fail(path, error);
        return;
    }
    const fs::path target(path);
    removeOrphanTemporaries(target.has_parent_path() ? target.parent_path().string() : ".");
    writeFileAtomically(path, bytes);
}
