#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <string>

// Runs work as a user without privileges and returns what it wrote: as « nobody » (or the account
// numbered account, another pupil) in a child process when the tests run as root (who may read a
// folder nobody may), else here. Folders on the way must be open to others; permissions then mean
// what they mean for a pupil.
inline std::string asUnprivileged(const std::function<std::string()>& work, int account = 65534) {
#ifdef _WIN32
    (void)account;
    return work();  // no account to drop to: rows about rights are POSIX rows
#else
    if (::geteuid() != 0) return work();
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string result = "could not drop privileges";
        if (::setgid(account) == 0 && ::setuid(account) == 0) result = work();
        for (std::size_t done = 0; done < result.size();) {
            const ssize_t n = ::write(pipeEnds[1], result.data() + done, result.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
#endif
}

// Opens every folder from path up to the root to others, so that « nobody » can reach path.
inline void openToOthers(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    for (fs::path p = path; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        std::error_code ignored;
        fs::permissions(p, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add,
                        ignored);
    }
}
