#include "document/atomic_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "catalogue/data_error.h"
#include "files/file_names.h"
#include "support/system_rows.h"
#include "support/temp_data_dir.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#else
#include <fcntl.h>
#endif
#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

#ifndef _WIN32
// journal.txt in d, opened for appending as a shell's >> does; its descriptor named by prefix.
std::string appendedLog(const fs::path& d, const std::string& prefix) {
    std::ofstream(d / "journal.txt") << "journal\n";
    const int fd = ::open((d / "journal.txt").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return prefix + std::to_string(fd);
}

// The log behind a descriptor's name, read once the descriptor is closed.
std::string closeLog(const fs::path& descriptor) {
    const fs::path log = fs::read_symlink("/proc/self/fd/" + descriptor.filename().string());
    ::close(std::stoi(descriptor.filename().string()));
    return contents(log);
}
#else
std::string appendedLog(const fs::path&, const std::string&) {
    return {};
}
std::string closeLog(const fs::path&) {
    return {};
}
#endif

#ifdef _WIN32
// The file open as a spreadsheet keeps it: nobody else may read, write or replace it.
int held = -1;
void holdOpen(const fs::path& file) {
    _wsopen_s(&held, file.c_str(), _O_RDONLY, _SH_DENYRW, 0);
}
void releaseHeld() {
    if (held >= 0) _close(held);
    held = -1;
}
#else
void holdOpen(const fs::path&) {}
void releaseHeld() {}
#endif

// Windows' file-name rules, on every system: what is refused is said, a proposed name is made fit.
TEST(OutputFile, WindowsNamesAreToldAndMadeFit) {
    const struct {
        const char* name;
        const char* problem;  // in the reason; nullptr: a good name
        const char* fit;      // portableFileName
    } names[] = {
        {"Léa Hervé - 5e B.ventakar", nullptr, "Léa Hervé - 5e B.ventakar"},
        {"CON", "périphérique de Windows", "CON_"},
        {"lpt9.ventakar", "périphérique de Windows", "lpt9_.ventakar"},
        {"COM0.csv", nullptr, "COM0.csv"},
        {"Console.csv", nullptr, "Console.csv"},
        {"5e:B", "contient « : »", "5e-B"},
        {"a/b", "contient « / »", "a-b"},
        {"quoi?*", "contient « ? »", "quoi--"},
        {"tab\tici", "caractère de contrôle", "tab-ici"},
        {"fin. ", "finit par un point", "fin"},
        {"...", "finit par un point", "Conception"},
    };
    for (const auto& n : names) {
        const std::string problem = windowsNameProblem(n.name);
        if (n.problem) {
            EXPECT_NE(problem.find(n.problem), std::string::npos) << n.name << ": " << problem;
        } else {
            EXPECT_EQ(problem, "") << n.name;
        }
        EXPECT_EQ(portableFileName(n.name), n.fit) << n.name;
        EXPECT_EQ(windowsNameProblem(portableFileName(n.name)), "") << n.name;
    }
}

// Where an export may go: a regular file is replaced whole with its mode kept, a device or a pipe
// is written through, a design or a folder is refused and left as it was, and what a killed run
// left beside the target is removed.
TEST(OutputFile, TheTargetIsLookedAtBeforeAnythingIsWritten) {
    const std::string design = R"({"format": "ventakar-conception", "version": 1})";
    const struct {
        const char* name;
        std::function<std::string(const fs::path& dir)> make;  // the target's path
        const char* refused;  // in the reason, or nullptr when written
        std::function<void(const fs::path& target)> check;
        const char* posixOnly = nullptr;    // why the row means nothing on Windows
        const char* windowsOnly = nullptr;  // what of Windows the row is about
    } rows[] = {
        {"AnExistingTableKeepsItsMode",
         [](const fs::path& d) {
             std::ofstream(d / "classe.csv") << "ancien";
             fs::permissions(d / "classe.csv", fs::perms(0640));
             return (d / "classe.csv").string();
         },
         nullptr,
         [](const fs::path& t) {
             EXPECT_EQ(contents(t), "a;b\r\n");
             EXPECT_EQ(fs::status(t).permissions(), fs::perms(0640));
         },
         "file modes are POSIX"},
        {"APupilsDesign",
         [&](const fs::path& d) {
             fs::create_directories(d / "eleve");
             std::ofstream(d / "eleve/voiture.ventakar") << design;
             return (d / "eleve/voiture.ventakar").string();
         },
         "c'est une conception VENTAKAR",
         [&](const fs::path& t) { EXPECT_EQ(contents(t), design); }},
        {"ADesignUnderAnotherName",
         [&](const fs::path& d) {
             std::ofstream(d / "copie.csv") << design;
             return (d / "copie.csv").string();
         },
         "c'est une conception VENTAKAR",
         [&](const fs::path& t) { EXPECT_EQ(contents(t), design); }},
        {"ADesignReSavedAsUtf16UnderAnotherName",
         [&](const fs::path& d) {
             std::string utf16 = "\xff\xfe";
             for (const char c : design) utf16 += {c, '\0'};
             std::ofstream(d / "copie.csv", std::ios::binary) << utf16;
             return (d / "copie.csv").string();
         },
         "c'est une conception VENTAKAR",
         [&](const fs::path& t) { EXPECT_EQ(contents(t).size(), 2 + 2 * design.size()); }},
        {"ANewNameEndingLikeADesign",
         [](const fs::path& d) { return (d / "NOUVEAU.VENTAKAR").string(); },
         "c'est une conception VENTAKAR", [](const fs::path& t) { EXPECT_FALSE(fs::exists(t)); }},
        {"AFolder",
         [](const fs::path& d) {
             fs::create_directory(d / "dossier");
             return (d / "dossier").string();
         },
         "c'est un dossier", [](const fs::path& t) { EXPECT_TRUE(fs::is_directory(t)); }},
        {"TheNullDevice",
         [](const fs::path&) { return std::string(kOnWindows ? "NUL" : "/dev/null"); }, nullptr,
         [](const fs::path& t) { EXPECT_TRUE(kOnWindows || fs::is_character_file(t)); }},
        {"ANamedPipe",
         [](const fs::path& d) {
             makeFifo(d / "tube");
             return (d / "tube").string();
         },
         nullptr, [](const fs::path& t) { EXPECT_TRUE(fs::is_fifo(t)); },
         "no named pipe under a file name on Windows"},
        // A log the shell appends to (« --csv /dev/stdout >> journal.txt »), under the names
        // of an open descriptor: written through, the log's earlier lines kept.
        {"AnAppendedLogBehindProcSelfFd",
         [](const fs::path& d) { return appendedLog(d, "/proc/self/fd/"); }, nullptr,
         [](const fs::path& t) { EXPECT_EQ(closeLog(t), "journal\na;b\r\n"); },
         "/proc/self/fd names a descriptor on Linux"},
        {"AnAppendedLogBehindDevFd", [](const fs::path& d) { return appendedLog(d, "/dev/fd/"); },
         nullptr, [](const fs::path& t) { EXPECT_EQ(closeLog(t), "journal\na;b\r\n"); },
         "/dev/fd names a descriptor on POSIX"},
        // Windows' own rules: a name it refuses is said before anything is written.
        {"ADevicesNameWithAnExtension", [](const fs::path& d) { return (d / "aux.csv").string(); },
         "est le nom d'un périphérique de Windows",
         [](const fs::path& t) { EXPECT_FALSE(fs::exists(t.parent_path() / "aux.csv.tmp")); },
         nullptr, "device names"},
        {"AColonInAName", [](const fs::path& d) { return (d / "5e:B.csv").string(); },
         "contient « : »", [](const fs::path&) {}, nullptr, "forbidden characters"},
        {"ADotAtTheEnd", [](const fs::path& d) { return (d / "classe.csv.").string(); },
         "finit par un point", [](const fs::path&) {}, nullptr, "trailing dots"},
        {"AFileASpreadsheetHoldsOpen",
         [](const fs::path& d) {
             std::ofstream(d / "classe.csv") << "ancien";
             holdOpen(d / "classe.csv");
             return (d / "classe.csv").string();
         },
         "ouvert dans un autre programme, par exemple un tableur : fermez-le",
         [](const fs::path& t) {
             releaseHeld();
             EXPECT_EQ(contents(t), "ancien");
         },
         nullptr, "sharing"},
        {"APathOf300Characters",
         [](const fs::path& d) {
             fs::path deep = d;
             while (deep.native().size() < 300) deep /= std::string(40, 'd');
             fs::create_directories(deep);
             return (deep / "classe.csv").string();
         },
         nullptr, [](const fs::path& t) { EXPECT_EQ(contents(t), "a;b\r\n"); }},
        {"WhatAKilledRunLeftBeside",
         [](const fs::path& d) {
             // No process has the pid 99999999 - 1.
             std::ofstream(d / ".x.csv.tmp-99999998-0") << "moitié";
             return (d / "x.csv").string();
         },
         nullptr,
         [](const fs::path& t) {
             EXPECT_FALSE(fs::exists(t.parent_path() / ".x.csv.tmp-99999998-0"));
             EXPECT_EQ(contents(t), "a;b\r\n");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (skippedOnWindows(row.name, row.posixOnly) ||
            skippedOffWindows(row.name, row.windowsOnly))
            continue;
        TempDataDir dir;
        const std::string target = row.make(dir.root());
        std::string read;
        std::thread reader;
        if (fs::is_fifo(target)) reader = std::thread([&] { read = contents(target); });
        std::string reason;
        try {
            writeOutputFile(target, "a;b\r\n");
        } catch (const DataError& error) {
            reason = error.what();
        }
        if (reader.joinable()) {
            reader.join();
            EXPECT_EQ(read, "a;b\r\n");
        }
        if (row.refused) {
            EXPECT_NE(reason.find(row.refused), std::string::npos) << reason;
        } else {
            EXPECT_EQ(reason, "");
        }
        row.check(target);
        for (const auto& entry : fs::directory_iterator(dir.root()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
                << entry.path();
    }
    // Any user may send a table to /dev/null.
    EXPECT_EQ(asUnprivileged([] {
                  try {
                      writeOutputFile("/dev/null", "a");
                      return std::string("écrit");
                  } catch (const DataError& error) {
                      return std::string(error.what());
                  }
              }),
              "écrit");
}

// A shared folder (sticky, like /tmp or a class's exchange folder) takes a pupil's new file, but
// another account's file in it cannot be replaced: said so, not as a folder without rights.
TEST(OutputFile, AnotherAccountsFileInASharedFolderIsSaidSo) {
    if (!runAsRoot()) GTEST_SKIP() << "needs root to make a file of another account";
    const fs::path shared =
        fs::temp_directory_path() / ("partage-" + std::to_string(testProcessId()));
    fs::create_directories(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    openToOthers(shared);
    std::ofstream(shared / "autre.csv") << "a";  // root's
    fs::permissions(shared / "autre.csv", fs::perms::owner_read | fs::perms::owner_write |
                                              fs::perms::others_read | fs::perms::others_write);
    const std::string said = asUnprivileged([&] {
        std::string result;
        for (const char* name : {"neuf.csv", "autre.csv"}) {
            try {
                writeFileAtomically((shared / name).string(), "b");
                result += std::string(name) + ": écrit\n";
            } catch (const DataError& error) {
                result += std::string(name) + ": " + error.what() + "\n";
            }
        }
        return result;
    });
    fs::remove_all(shared);
    EXPECT_NE(said.find("neuf.csv: écrit"), std::string::npos) << said;
    EXPECT_NE(said.find("autre.csv: "), std::string::npos) << said;
    EXPECT_NE(said.find("ce fichier appartient à un autre compte"), std::string::npos) << said;
}

}  // namespace
