#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The program's only door to the system's files and processes. Paths are UTF-8 everywhere; each
// system's implementation turns them into what it takes (UTF-16 on Windows). Files are always read
// and written as bytes. Errors are errno values (<cerrno>), the Windows codes mapped onto them,
// plus the codes below.

// A UTF-8 path as the standard library's path, and back: the same bytes on POSIX, UTF-16 on
// Windows (never the ANSI code page).
std::filesystem::path systemPath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);
// The same with '/' between the names, as a path is shown and stored.
std::string utf8GenericPath(const std::filesystem::path& path);

// Another program holds the file open (Windows: a spreadsheet keeps its CSV locked).
inline constexpr int kFileHeldOpen = 100001;

// What makes a file the same file under two names (a bind mount, a hard link): its device and
// its number on it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t number = 0;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file or folder at path, links followed; none when it cannot be reached.
std::optional<FileIdentity> fileIdentity(const std::string& path);

enum class FileKind { Missing, Regular, Directory, Special };  // Special: device, pipe, socket

struct FileStatus {
    FileKind kind = FileKind::Missing;
    int error = 0;  // why it could not be looked at (ENOENT when it is not there)
    std::uint64_t size = 0;
    long long modified = 0;       // seconds since 1970
    unsigned permissions = 0666;  // the mode's permission bits; 0666 where there are none
    bool ownedByAnother = false;  // by another account than this program's
};

// What is at path, links followed.
FileStatus fileStatus(const std::string& path);

// An open file of the system, closed when it goes.
class SystemFile {
  public:
    SystemFile() = default;
    ~SystemFile();
    SystemFile(SystemFile&& other) noexcept;
    SystemFile& operator=(SystemFile&& other) noexcept;
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    bool isOpen() const { return handle_ != kNone; }
    FileStatus status() const;
    // Up to size bytes; 0 at the end; -1 with *error on failure.
    long long read(char* into, std::size_t size, int* error);
    bool writeAll(std::string_view bytes, int* error);
    bool setPermissions(unsigned permissions, int* error);  // nothing to do where there are none
    bool flushToDisk(int* error);
    bool close(int* error);

    // A file of the file layer; owned files are closed at the end.
    static SystemFile fromHandle(std::intptr_t handle, bool owned);

  private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
    bool owned_ = true;
};

// Opens an existing file to read it, without waiting on a pipe nor taking a terminal.
SystemFile openForReading(const std::string& path, int* error);
// Creates a new file that must not exist yet, to be written (the permissions a new file gets).
SystemFile createNewFile(const std::string& path, int* error);
// Opens an existing device or pipe to write through it.
SystemFile openToWriteThrough(const std::string& path, int* error);
// The program's own standard output or error when path names one under another name (/dev/stdout,
// /proc/self/fd/1, /dev/fd/2, « - »; CON on Windows), written to and never replaced.
std::optional<SystemFile> ownStream(const std::string& path, bool* isStandardOutput);
// A device that swallows everything, written through (/dev/null, NUL).
bool isNullDevice(const std::string& path);

// Puts from in place of to in one step (to replaced whole, or left as it was). On Windows a file
// another program holds open is tried again for a moment, then kFileHeldOpen. 0 or the error.
int replaceFile(const std::string& from, const std::string& to);
// Gives file from the name to, which must be free: EEXIST when a file has it, never replaced.
// ENOTSUP where the file system can do neither (no hard link, no rename that keeps a name).
int moveToNewName(const std::string& from, const std::string& to);
// 0 when the file is gone (or was not there), else the error.
int removeFileNamed(const std::string& path);
// The folder's entries reach the disk (a rename inside it made durable), where the system can.
void flushFolder(const std::string& folder);
// Creates a folder; 0, or the error (EEXIST when there is one).
int makeFolder(const std::string& path);
int removeFolder(const std::string& path);

// The permissions a new file gets here (the mode less the umask; 0666 where there are none), and
// a file given others; 0 or the error.
unsigned newFilePermissions();
int setFilePermissions(const std::string& path, unsigned permissions);
// A file written by another part of the program (the toolkit's PDF) put on the disk; 0 or the
// error.
int flushFileToDisk(const std::string& path);
// The largest file this process may write (a limit set on it), or none.
std::optional<std::uint64_t> fileSizeLimit();

// Started from a terminal (a Windows program has none of its own), what the program writes to
// its standard output and error goes there, in UTF-8. Nothing to do elsewhere.
void attachToTerminal();

// This program's process number, and whether another one is still running.
int currentProcessId();
bool processRunning(int pid);

// The machine's local calendar time of seconds since 1970, and as « 2026-12-08 14:05 ».
std::tm localCalendar(long long seconds);
inline std::string localTimeText(long long seconds) {
    const std::tm local = localCalendar(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}
