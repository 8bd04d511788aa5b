#include "files/file_names.h"
#include "files/file_system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

FileStatus statusOf(const struct stat& info) {
    FileStatus status;
    status.kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                  : S_ISDIR(info.st_mode) ? FileKind::Directory
                                          : FileKind::Special;
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.modified = static_cast<long long>(info.st_mtime);
    status.permissions = info.st_mode & 07777;
    status.ownedByAnother = info.st_uid != ::geteuid();
    return status;
}

int fd(std::intptr_t handle) {
    return static_cast<int>(handle);
}

SystemFile opened(int descriptor, int* error) {
    if (descriptor < 0) {
        *error = errno;
        return {};
    }
    return SystemFile::fromHandle(descriptor, true);
}

}  // namespace

std::filesystem::path systemPath(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string utf8Path(const std::filesystem::path& path) {
    return path.string();
}

std::string utf8GenericPath(const std::filesystem::path& path) {
    return path.generic_string();
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

FileStatus fileStatus(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FileStatus{.error = errno};
    return statusOf(info);
}

SystemFile::~SystemFile() {
    if (isOpen() && owned_) ::close(fd(handle_));
}

SystemFile::SystemFile(SystemFile&& other) noexcept : handle_(other.handle_), owned_(other.owned_) {
    other.handle_ = kNone;
}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
    if (this != &other) {
        if (isOpen() && owned_) ::close(fd(handle_));
        handle_ = other.handle_;
        owned_ = other.owned_;
        other.handle_ = kNone;
    }
    return *this;
}

SystemFile SystemFile::fromHandle(std::intptr_t handle, bool owned) {
    SystemFile file;
    file.handle_ = handle;
    file.owned_ = owned;
    return file;
}

FileStatus SystemFile::status() const {
    struct stat info {};
    if (::fstat(fd(handle_), &info) != 0) return FileStatus{.error = errno};
    return statusOf(info);
}

long long SystemFile::read(char* into, std::size_t size, int* error) {
    for (;;) {
        const ssize_t got = ::read(fd(handle_), into, size);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        *error = errno;
        return -1;
    }
}

bool SystemFile::writeAll(std::string_view bytes, int* error) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd(handle_), bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            *error = errno;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool SystemFile::setPermissions(unsigned permissions, int* error) {
    if (::fchmod(fd(handle_), permissions) == 0) return true;
    *error = errno;
    return false;
}

bool SystemFile::flushToDisk(int* error) {
    if (::fsync(fd(handle_)) == 0) return true;
    *error = errno;
    return false;
}

bool SystemFile::close(int* error) {
    if (!isOpen()) return true;
    const int result = owned_ ? ::close(fd(handle_)) : 0;
    handle_ = kNone;
    if (result == 0) return true;
    *error = errno;
    return false;
}

SystemFile openForReading(const std::string& path, int* error) {
    // Non-blocking, so that a named pipe cannot hold the program.
    return opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY), error);
}

SystemFile createNewFile(const std::string& path, int* error) {
    return opened(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), error);
}

SystemFile openToWriteThrough(const std::string& path, int* error) {
    return opened(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY), error);
}

std::optional<SystemFile> ownStream(const std::string& path, bool* isStandardOutput) {
    *isStandardOutput = false;
    if (path == "-" || path == "/dev/stdout") {
        *isStandardOutput = true;
        return SystemFile::fromHandle(STDOUT_FILENO, false);
    }
    if (path == "/dev/stderr") return SystemFile::fromHandle(STDERR_FILENO, false);
    for (const std::string& prefix : {std::string("/proc/self/fd/"), std::string("/dev/fd/"),
                                      "/proc/" + std::to_string(::getpid()) + "/fd/"}) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string number = path.substr(prefix.size());
        if (number.size() > 6 || number.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const int descriptor = std::stoi(number);
        if (::fcntl(descriptor, F_GETFD) == -1) return std::nullopt;
        *isStandardOutput = descriptor == STDOUT_FILENO;
        return SystemFile::fromHandle(descriptor, false);
    }
    return std::nullopt;
}

bool isNullDevice(const std::string& path) {
    return path == "/dev/null";
}

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int moveToNewName(const std::string& from, const std::string& to) {
    // A second name made only when free, then the first taken off: what a folder that takes new
    // files but no listing (a drop box) allows.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    const int linkError = errno;
    if (linkError != EPERM && linkError != ENOTSUP && linkError != EOPNOTSUPP &&
        linkError != EMLINK && linkError != ENOSYS)
        return linkError;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
    return ENOTSUP;
}

int removeFileNamed(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

void flushFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

int makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

int removeFolder(const std::string& path) {
    return ::rmdir(path.c_str()) == 0 ? 0 : errno;
}

int currentProcessId() {
    return static_cast<int>(::getpid());
}

bool processRunning(int pid) {
    // Signal 0 only asks whether the process exists; EPERM: it does, under another user.
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

std::tm localCalendar(long long seconds) {
    std::tm local{};
    const std::time_t when = static_cast<std::time_t>(seconds);
    localtime_r(&when, &local);
    return local;
}

bool windowsFileNames() {
    return false;
}

unsigned newFilePermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int setFilePermissions(const std::string& path, unsigned permissions) {
    return ::chmod(path.c_str(), permissions) == 0 ? 0 : errno;
}

int flushFileToDisk(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) return errno;
    const int error = ::fsync(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return error;
}

std::optional<std::uint64_t> fileSizeLimit() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

void attachToTerminal() {}
