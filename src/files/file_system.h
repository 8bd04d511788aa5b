#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What makes a file the same file under two names (a bind mount, a hard link): its device and
// its number on it.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t number = 0;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file or folder at path, links followed; none when it cannot be reached.
std::optional<FileIdentity> fileIdentity(const std::string& path);
