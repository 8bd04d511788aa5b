#include "files/file_names.h"
#include "files/file_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    if (size <= 0) {
        // Not UTF-8 (a name from elsewhere): each byte as its Latin-1 letter, never dropped.
        return std::wstring(utf8.begin(), utf8.end());
    }
    std::wstring text(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), size);
    return text;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

// A path the Windows API takes whatever its length: past 260 characters, the \\?\ form.
std::wstring apiPath(const std::string& utf8) {
    std::wstring path = wide(utf8);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0) return path;
    wchar_t full[32768];
    const DWORD length = GetFullPathNameW(path.c_str(), 32768, full, nullptr);
    if (length == 0 || length >= 32768) return path;
    std::wstring absolute(full, length);
    if (absolute.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + absolute.substr(2);
    return L"\\\\?\\" + absolute;
}

// The Windows error as the errno value whose French words fit it.
int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return EACCES;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return kFileHeldOpen;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return EINVAL;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
            return EIO;
        case ERROR_CANT_RESOLVE_FILENAME:
            return ELOOP;
        case ERROR_DIR_NOT_EMPTY:
            return ENOTEMPTY;
        default:
            return EIO;
    }
}

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

long long secondsOf(const FILETIME& time) {
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    // 100 ns ticks since 1601-01-01.
    return static_cast<long long>(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

FileStatus statusOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    const DWORD type = GetFileType(file);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE)
        return FileStatus{.kind = FileKind::Special};
    if (!GetFileInformationByHandle(file, &info))
        return FileStatus{.error = errnoOf(GetLastError())};
    FileStatus status;
    status.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Directory
                                                                     : FileKind::Regular;
    status.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    status.modified = secondsOf(info.ftLastWriteTime);
    status.permissions = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    return status;
}

// Opens path to look at it (folders too), links followed.
HANDLE openToLook(const std::string& path) {
    return CreateFileW(apiPath(path).c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

SystemFile opened(HANDLE handle, int* error) {
    if (handle == INVALID_HANDLE_VALUE) {
        *error = errnoOf(GetLastError());
        return {};
    }
    return SystemFile::fromHandle(reinterpret_cast<std::intptr_t>(handle), true);
}

// The devices every folder holds on Windows: CON, PRN, AUX, NUL, COM1-9, LPT1-9, whatever follows
// a dot.
std::string deviceName(const std::string& path) {
    std::string name = path.substr(
        path.find_last_of("/\\:") == std::string::npos ? 0 : path.find_last_of("/\\:") + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ')) name.pop_back();
    for (char& c : name) c = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name;
}

// Windows says « path not found » for a name too long and for a file on the way: which one.
int precise(const std::string& path, int error) {
    const std::filesystem::path target = std::filesystem::path(wide(path));
    for (const std::filesystem::path& part : target)
        if (part.native().size() > 255) return ENAMETOOLONG;
    if (error != ENOENT) return error;
    for (std::filesystem::path up = target.parent_path(); !up.empty() && up != up.parent_path();
         up = up.parent_path()) {
        const FileStatus status = fileStatus(narrow(up.wstring()));
        if (status.kind == FileKind::Missing) continue;
        return status.kind == FileKind::Directory ? error : ENOTDIR;
    }
    return error;
}

}  // namespace

std::filesystem::path systemPath(const std::string& utf8) {
    return std::filesystem::path(wide(utf8));
}

std::string utf8Path(const std::filesystem::path& path) {
    return narrow(path.wstring());
}

std::string utf8GenericPath(const std::filesystem::path& path) {
    return narrow(path.generic_wstring());
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    const HANDLE file = openToLook(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

FileStatus fileStatus(const std::string& path) {
    if (isNullDevice(path) || deviceName(path) == "CON")
        return FileStatus{.kind = FileKind::Special};
    const HANDLE file = openToLook(path);
    if (file == INVALID_HANDLE_VALUE) return FileStatus{.error = errnoOf(GetLastError())};
    const FileStatus status = statusOf(file);
    CloseHandle(file);
    return status;
}

SystemFile::~SystemFile() {
    if (isOpen() && owned_) CloseHandle(handleOf(handle_));
}

SystemFile::SystemFile(SystemFile&& other) noexcept : handle_(other.handle_), owned_(other.owned_) {
    other.handle_ = kNone;
}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
    if (this != &other) {
        if (isOpen() && owned_) CloseHandle(handleOf(handle_));
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
    return statusOf(handleOf(handle_));
}

long long SystemFile::read(char* into, std::size_t size, int* error) {
    DWORD got = 0;
    const DWORD want = size > 0x40000000 ? 0x40000000 : DWORD(size);
    if (ReadFile(handleOf(handle_), into, want, &got, nullptr)) return got;
    const DWORD why = GetLastError();
    if (why == ERROR_BROKEN_PIPE || why == ERROR_HANDLE_EOF) return 0;
    *error = errnoOf(why);
    return -1;
}

bool SystemFile::writeAll(std::string_view bytes, int* error) {
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t left = bytes.size() - done;
        DWORD wrote = 0;
        if (!WriteFile(handleOf(handle_), bytes.data() + done,
                       left > 0x40000000 ? 0x40000000 : DWORD(left), &wrote, nullptr)) {
            *error = errnoOf(GetLastError());
            return false;
        }
        done += wrote;
    }
    return true;
}

bool SystemFile::setPermissions(unsigned, int*) {
    return true;  // a new file of the folder gets the folder's rights
}

bool SystemFile::flushToDisk(int* error) {
    if (GetFileType(handleOf(handle_)) != FILE_TYPE_DISK) return true;
    if (FlushFileBuffers(handleOf(handle_))) return true;
    *error = errnoOf(GetLastError());
    return false;
}

bool SystemFile::close(int* error) {
    if (!isOpen()) return true;
    const bool closed = !owned_ || CloseHandle(handleOf(handle_));
    handle_ = kNone;
    if (closed) return true;
    *error = errnoOf(GetLastError());
    return false;
}

SystemFile openForReading(const std::string& path, int* error) {
    // Shared, so that a catalogue open in an editor or a spreadsheet is still read.
    return opened(CreateFileW(apiPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                  error);
}

SystemFile createNewFile(const std::string& path, int* error) {
    SystemFile file = opened(CreateFileW(apiPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
                             error);
    if (file.isOpen()) return file;
    *error = precise(path, *error);
    return file;
}

SystemFile openToWriteThrough(const std::string& path, int* error) {
    const std::wstring name = isNullDevice(path) ? L"NUL" : apiPath(path);
    return opened(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                  error);
}

std::optional<SystemFile> ownStream(const std::string& path, bool* isStandardOutput) {
    *isStandardOutput = false;
    if (path != "-" && deviceName(path) != "CON") return std::nullopt;
    *isStandardOutput = true;
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return std::nullopt;
    return SystemFile::fromHandle(reinterpret_cast<std::intptr_t>(out), false);
}

bool isNullDevice(const std::string& path) {
    return path == "/dev/null" || deviceName(path) == "NUL";
}

int moveToNewName(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING a name that is taken is refused.
    if (MoveFileExW(apiPath(from).c_str(), apiPath(to).c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
    return errnoOf(GetLastError());
}

int replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = apiPath(from);
    const std::wstring target = apiPath(to);
    // A spreadsheet or an antivirus holding the target: tried again for about two seconds.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        int error = errnoOf(GetLastError());
        if (error == EACCES) {
            // « Access denied » is also what a file held open without sharing gives: tell them
            // apart.
            const HANDLE probe =
                CreateFileW(target.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (probe != INVALID_HANDLE_VALUE) {
                CloseHandle(probe);
            } else if (GetLastError() == ERROR_SHARING_VIOLATION) {
                error = kFileHeldOpen;
            }
        }
        if ((error != kFileHeldOpen && error != EACCES) || attempt >= 20) return precise(to, error);
        Sleep(100);
    }
}

int removeFileNamed(const std::string& path) {
    if (DeleteFileW(apiPath(path).c_str())) return 0;
    const int error = errnoOf(GetLastError());
    return error == ENOENT ? 0 : error;
}

void flushFolder(const std::string&) {
    // MOVEFILE_WRITE_THROUGH has already put the rename on the disk.
}

int makeFolder(const std::string& path) {
    const std::wstring folder = apiPath(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) {
        // Windows says only « not found » when a file stands in the path where a folder should
        // be: told as POSIX tells it, from the nearest part of the path that exists.
        for (std::size_t end = folder.find_last_of(L'\\'); end != std::wstring::npos && end > 0;
             end = folder.find_last_of(L'\\', end - 1)) {
            const DWORD attributes = GetFileAttributesW(folder.substr(0, end).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) continue;
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ENOTDIR;
            break;
        }
    }
    return errnoOf(error);
}

int removeFolder(const std::string& path) {
    return RemoveDirectoryW(apiPath(path).c_str()) ? 0 : errnoOf(GetLastError());
}

int currentProcessId() {
    return static_cast<int>(GetCurrentProcessId());
}

bool processRunning(int pid) {
    if (pid <= 0) return false;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;  // another user's
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

std::tm localCalendar(long long seconds) {
    std::tm local{};
    const std::time_t when = static_cast<std::time_t>(seconds);
    localtime_s(&local, &when);
    return local;
}

bool windowsFileNames() {
    return true;
}

unsigned newFilePermissions() {
    return 0666;
}

int setFilePermissions(const std::string&, unsigned) {
    return 0;  // a new file gets its folder's rights
}

int flushFileToDisk(const std::string& path) {
    const HANDLE file = CreateFileW(apiPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return errnoOf(GetLastError());
    const int error = FlushFileBuffers(file) ? 0 : errnoOf(GetLastError());
    CloseHandle(file);
    return error;
}

std::optional<std::uint64_t> fileSizeLimit() {
    return std::nullopt;
}

void attachToTerminal() {
    // A program of the WIN32 subsystem has no console: the one of the terminal it was started
    // from, when its output is not already sent to a file or a pipe.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        FILE* ignored = nullptr;
        freopen_s(&ignored, "CONOUT$", "w", stdout);
        freopen_s(&ignored, "CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
}
