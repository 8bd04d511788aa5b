#include "document/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "catalogue/data_error.h"

namespace fs = std::filesystem;

namespace {

std::string reasonOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return "le disque est plein.";
        case EFBIG:
            return "le fichier dépasse la taille permise sur ce disque.";
        case EACCES:
        case EPERM:
            return "l'écriture dans ce dossier est refusée (droits d'accès).";
        case EROFS:
            return "le disque est en lecture seule.";
        case ENOENT:
        case ENOTDIR:
            return "le dossier n'existe pas.";
        case EISDIR:
            return "c'est un dossier, pas un fichier.";
        default:
            return "l'écriture a échoué (erreur système " + std::to_string(error) + ").";
    }
}

[[noreturn]] void fail(const std::string& path, int error) {
    throw DataError(path, reasonOf(error));
}

std::string temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string name = "." + target.filename().string().substr(0, 100) + ".tmp-" +
                             std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return (target.parent_path() / name).string();
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

    const std::string temporary = temporaryBeside(target);
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

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}
