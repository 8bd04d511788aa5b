#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

// The core's tests also run on Windows (cross-compiled, under wine). What only means something on
// POSIX (FIFOs, /dev, /proc, modes, accounts) says so, and its row is skipped there with its
// reason.
#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// A named pipe at path; false where the system has none under a name.
inline bool makeFifo(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::mkfifo(path.c_str(), 0644) == 0;
#endif
}

// Whether the tests run as the administrator of the machine (root), who may read anything.
inline bool runAsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

inline int testProcessId() {
#ifdef _WIN32
    return static_cast<int>(::_getpid());
#else
    return static_cast<int>(::getpid());
#endif
}

// A table's row that only means something on POSIX: on Windows it is skipped, its reason said in
// the test's output (« row skipped on Windows »), counted by tools/windows_core_tests.sh.
inline bool skippedOnWindows(const char* row, const char* reason) {
    if (!kOnWindows || reason == nullptr) return false;
    std::printf("[ ROW SKIP ] %s: %s\n", row, reason);
    return true;
}

// A row that only means something on Windows (its device names, its sharing of open files).
inline bool skippedOffWindows(const char* row, const char* windowsOnly) {
    if (kOnWindows || windowsOnly == nullptr) return false;
    std::printf("[ ROW SKIP ] %s: Windows only (%s)\n", row, windowsOnly);
    return true;
}
