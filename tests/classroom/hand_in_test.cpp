#include "classroom/hand_in.h"

#include "classroom/class_csv.h"
#include "classroom/class_scan.h"
#include "classroom/hand_in_collection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#include "catalogue/data_error.h"
#include "document/design_file.h"
#include "files/file_names.h"
#include "files/file_system.h"
#include "support/system_rows.h"
#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kTuesday = 1796824500;  // 2026-12-09 13:55 UTC

DesignChoices someChoices() {
    DesignChoices choices;
    choices.lists["Combo1"] = {"Hélice bipale 100 mm", 0};
    choices.clearance = 7;
    return choices;
}

std::set<std::string> filesUnder(const fs::path& folder) {
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            found.insert(utf8GenericPath(fs::relative(entry.path(), folder)));
    return found;
}

// What a pupil types never names a file outside the class's folder, nor a hidden or a device's
// file, nor one too long for a file system.
TEST(HandIn, WhatAPupilTypesStaysOneNameInsideTheFolder) {
    const struct {
        const char* name;
        std::string typed;
        std::string expected;  // the name part, or empty: only checked to be fit
    } rows[] = {
        {"AsTyped", "Léa Martin", "Léa Martin"},
        {"ASlash", "../../etc/passwd", "-..-etc-passwd"},
        {"ABackslash", "..\\..\\Windows", "-..-Windows"},
        {"OnlyDots", "..", "Sans nom"},
        {"Hidden", ".cache", "cache"},
        {"ADevice", "CON", "CON_"},
        {"ADeviceWithDots", "nul.txt", "nul_.txt"},
        {"ControlCharacters",
         std::string("L\x01\x1f\x7f"
                     "a\n"),
         "L---a"},
        {"Empty", "   ", "Sans nom"},
        {"ColonsAndStars", "a:b*c?d\"e<f>g|h", "a-b-c-d-e-f-g-h"},
        {"VeryLong", std::string(300, 'x'), std::string(kMaxHandInNameBytes, 'x')},
        {"VeryLongAccents", std::string(200, 'a') + "é", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string part = handInNamePart(row.typed, "Sans nom");
        if (!row.expected.empty()) {
            EXPECT_EQ(part, row.expected);
        }
        EXPECT_LE(part.size(), kMaxHandInNameBytes + 1);
        EXPECT_EQ(part.find('/'), std::string::npos);
        EXPECT_EQ(part.find('\\'), std::string::npos);
        EXPECT_NE(part.front(), '.');
        EXPECT_TRUE(windowsNameProblem(part).empty()) << part;
        for (const char c : part) {
            EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != '\x7f') << part;
        }
    }
    // The class and the pupil, each one name: one folder, one file, whatever was typed.
    const std::string path = handInRelativePath({"../x/y", "5e/B"}, kTuesday);
    EXPECT_EQ(std::count(path.begin(), path.end(), '/'), 1) << path;
    EXPECT_EQ(path.rfind("5e-B/-x-y — ", 0), 0u) << path;
    EXPECT_TRUE(path.ends_with(".ventakar"));
}

struct Folder {
    fs::path root =
        fs::temp_directory_path() /
        ("ventakar-remise-" + std::to_string(testProcessId()) + "-" + std::to_string(std::rand()));
    Folder() { fs::create_directories(root); }
    ~Folder() {
        std::error_code ignored;
        if (runAsRoot() && std::system(("umount '" + root.string() + "' 2>/dev/null").c_str())) {
        }
        fs::permissions(root, fs::perms::all, ignored);
        fs::remove_all(root, ignored);
    }
    std::string path() const { return utf8Path(root); }
};

// Every hand-in is a new file, and the design it holds is the pupil's, with its time; none
// replaces another, be it a classmate's of the same name or an earlier one in the same second.
TEST(HandIn, EachHandInIsANewWholeFileThatReplacesNothing) {
    Folder folder;
    const PupilInfo lea{"Léa Martin", "5e B"};
    const HandIn first = handInDesign(folder.path(), someChoices(), lea, kTuesday);
    const HandIn again = handInDesign(folder.path(), someChoices(), lea, kTuesday);
    const HandIn other =
        handInDesign(folder.path(), someChoices(), {"Léa Martin", "5e B"}, kTuesday);
    EXPECT_NE(first.path, again.path);
    EXPECT_NE(again.path, other.path);
    EXPECT_TRUE(again.relative.ends_with(" (2).ventakar")) << again.relative;
    EXPECT_TRUE(other.relative.ends_with(" (3).ventakar")) << other.relative;
    EXPECT_EQ(filesUnder(folder.root).size(), 3u) << "no temporary file is left";
    const DesignDocument read = readDesignDocument(readDesignBytes(first.path), first.path);
    EXPECT_EQ(read.choices, someChoices());
    EXPECT_EQ(read.pupil, lea);
    EXPECT_EQ(read.handedIn, handInStamp(kTuesday));
    EXPECT_EQ(read.handedIn.size(), 19u);
    const std::string receipt = handInReceipt(first);
    EXPECT_EQ(receipt.rfind("Rendu le ", 0), 0u) << receipt;
    EXPECT_NE(receipt.find(" décembre 2026 à "), std::string::npos) << receipt;
    EXPECT_TRUE(receipt.ends_with(" : " + first.relative)) << receipt;
    // A pupil without a name nor a class is handed in too.
    const HandIn nobody = handInDesign(folder.path(), someChoices(), {}, kTuesday);
    EXPECT_EQ(nobody.relative.rfind("Sans classe/Sans nom — ", 0), 0u) << nobody.relative;
}

// A drop box (1733, root's): two pupils (two accounts) hand in, the class's folder the first one
// made open to the second; neither lists the folder nor reads the other's file, whose name is
// known; the teacher (here root) reads both.
TEST(HandIn, ADropBoxTakesTheDesignsAndShowsAPupilNothingOfAnother) {
    if (kOnWindows) GTEST_SKIP() << "a drop box is an ACL on Windows, a mode on POSIX";
    if (!runAsRoot()) GTEST_SKIP() << "a drop box of other accounts needs root to be made";
    Folder folder;
    openToOthers(folder.root);
    fs::permissions(folder.root, static_cast<fs::perms>(01733));
    const auto handIn = [&](const char* pupil) {
        try {
            return handInDesign(folder.path(), someChoices(), {pupil, "5e B"}, kTuesday).path;
        } catch (const DataError& error) {
            return std::string("refused ") + error.what();
        }
    };
    const std::string lea = asUnprivileged([&] { return handIn("Léa"); });
    const std::string tom = asUnprivileged(
        [&] {
            std::string out = handIn("Tom");
            if (std::ifstream(systemPath(lea)).good()) out += " read Léa's";
            std::error_code listing;
            fs::directory_iterator(folder.root, listing);
            if (!listing) out += " listed the folder";
            fs::directory_iterator(folder.root / "5e B", listing);
            if (!listing) out += " listed the class";
            return out;
        },
        65533);
    EXPECT_EQ(lea.rfind(folder.path(), 0), 0u) << lea;
    EXPECT_EQ(tom.rfind(folder.path(), 0), 0u) << tom;
    for (const char* seen : {" read Léa's", " listed the folder", " listed the class"})
        EXPECT_EQ(tom.find(seen), std::string::npos) << tom;
    EXPECT_EQ(filesUnder(folder.root).size(), 2u);
    EXPECT_EQ(readDesignDocument(readDesignBytes(lea), lea).pupil.name, "Léa");
}

// Two pupils handing in at the same second from two processes, many times each: as many files.
TEST(HandIn, TwoProcessesHandingInAtOnceKeepEveryFile) {
#ifdef _WIN32
    GTEST_SKIP() << "two processes are made with fork, POSIX's";
#else
    Folder folder;
    constexpr int kEach = 40;
    pid_t children[2];
    for (pid_t& child : children) {
        child = ::fork();
        if (child == 0) {
            int made = 0;
            for (int i = 0; i < kEach; ++i) {
                try {
                    handInDesign(folder.path(), someChoices(), {"Léa", "5e B"}, kTuesday);
                    ++made;
                } catch (const DataError&) {
                }
            }
            ::_exit(made == kEach ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(filesUnder(folder.root).size(), 2u * kEach);
#endif
}

// A folder that cannot take the design says why, names the folder, and leaves nothing behind.
TEST(HandIn, AFolderThatCannotTakeItSaysWhyAndKeepsNothing) {
    const struct {
        const char* name;
        std::function<std::string(Folder&)> make;  // the hand-in folder, or empty: not here
        const char* reason;
    } rows[] = {
        {"Gone", [](Folder& f) { return f.path() + "/parti"; }, "introuvable"},
        {"AFile",
         [](Folder& f) {
             std::ofstream(f.root / "fichier") << "x";
             return f.path() + "/fichier";
         },
         "n'est pas un dossier"},
        {"ReadOnly",
         [](Folder& f) {
             if (!runAsRoot() ||
                 std::system(("mount -t tmpfs -o ro,size=16k tmpfs '" + f.path() + "'").c_str()))
                 return std::string();
             return f.path();
         },
         "lecture seule"},
        {"Full",
         [](Folder& f) {
             if (!runAsRoot() ||
                 std::system(("mount -t tmpfs -o size=64k tmpfs '" + f.path() + "'").c_str()))
                 return std::string();
             fs::create_directory(f.root / "5e B");
             std::ofstream filler(f.root / "remplissage");
             const std::string block(4096, 'x');
             while (filler.write(block.data(), block.size()) && filler.flush()) {
             }
             return f.path();
         },
         "disque est plein"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        const std::string where = row.make(folder);
        if (where.empty()) {
            std::cout << "[ note ] " << row.name << " needs root to mount a small disk\n";
            continue;
        }
        const std::set<std::string> before = filesUnder(folder.root);
        try {
            handInDesign(where, someChoices(), {"Léa", "5e B"}, kTuesday);
            ADD_FAILURE() << "handed in";
        } catch (const DataError& error) {
            EXPECT_NE(error.reason().find(row.reason), std::string::npos) << error.what();
            EXPECT_EQ(error.file(), where);
        }
        EXPECT_EQ(filesUnder(folder.root), before);
    }
}

}  // namespace

namespace {

DesignRow handedIn(const char* pupil, const char* className, const char* file, const char* when,
                   const char* choices = "x") {
    DesignRow row;
    row.pupil = pupil;
    row.className = className;
    row.file = file;
    row.path = file;
    row.handedIn = when;
    row.state = DesignState::Conforme;
    row.choicesKey = choices;
    return row;
}

// The teacher's rows: each pupil once, at the latest hand-in (case and accents aside), the earlier
// ones under it and no longer « identical » to it; the listed pupils with nothing, « Non rendu »;
// after the due date, « En retard »; a design put there by hand stays as it is.
TEST(HandIn, TheTeacherSeesEachPupilsLatestWhoIsLateAndWhoIsMissing) {
    std::vector<DesignRow> rows = {
        handedIn("Léa Martin", "5e B", "5e B/Léa Martin — 2026-12-09 14-05-07.ventakar",
                 "2026-12-09T14:05:07"),
        handedIn("lea martin", "5E B", "5e B/Léa Martin — 2026-12-09 16-00-00.ventakar",
                 "2026-12-09T16:00:00"),
        handedIn("Léa Martin", "5e B", "5e B/Léa Martin — 2026-12-09 16-00-00 (2).ventakar",
                 "2026-12-09T16:00:00"),
        handedIn("Tom", "5e B", "5e B/Tom — 2026-12-09 18-30-00.ventakar", "2026-12-09T18:30:00"),
        handedIn("Tom", "5e A", "5e A/Tom — 2026-12-09 10-00-00.ventakar", "2026-12-09T10:00:00"),
        handedIn("Zoé", "5e B", "libre.ventakar", "", "y"),
    };
    const Collection collection{
        .list = {{"Léa Martin", "5e B"}, {"Tom", "5e B"}, {"Nina", "5e B"}, {"ZOE", "5e b"}},
        .due = dueStamp("2026-12-09 17:00")};
    collectHandIns(rows, collection);
    std::map<std::string, const DesignRow*> byWho;
    for (const DesignRow& row : rows) byWho[row.pupil + "/" + row.className] = &row;
    ASSERT_EQ(rows.size(), 5u);
    const DesignRow& lea = *byWho.at("Léa Martin/5e B");
    EXPECT_EQ(lea.file, "5e B/Léa Martin — 2026-12-09 16-00-00 (2).ventakar");
    EXPECT_EQ(lea.earlier,
              (std::vector<std::string>{"5e B/Léa Martin — 2026-12-09 16-00-00.ventakar",
                                        "5e B/Léa Martin — 2026-12-09 14-05-07.ventakar"}));
    EXPECT_EQ(handInWords(lea), "À l'heure");
    EXPECT_EQ(lea.identicalTo.find("Léa"), std::string::npos) << lea.identicalTo;
    EXPECT_EQ(handInWords(*byWho.at("Tom/5e B")), "En retard");
    EXPECT_EQ(handInWords(*byWho.at("Tom/5e A")), "À l'heure") << "another class's Tom";
    EXPECT_EQ(handInWords(*byWho.at("Zoé/5e B")), "") << "put there by hand, found by the list";
    const DesignRow& nina = *byWho.at("Nina/5e B");
    EXPECT_EQ(nina.state, DesignState::NonRendu);
    EXPECT_EQ(handInWords(nina), "Non rendu");
    EXPECT_TRUE(nina.path.empty());
    EXPECT_EQ(classCell(nina, 5, ","), "") << "no steps chosen: nothing";
    EXPECT_EQ(classCell(lea, 15, ","), "2026-12-09 16:00");
    EXPECT_EQ(classCell(lea, 17, ","),
              "5e B/Léa Martin — 2026-12-09 16-00-00.ventakar ; "
              "5e B/Léa Martin — 2026-12-09 14-05-07.ventakar");
    EXPECT_EQ(classSummary(rows),
              "4 conceptions : 4 conformes ; remise : 2 à l'heure, 1 en retard, "
              "1 non rendue");
}

TEST(HandIn, AClassListAndADueDateReadAsTheTeacherWritesThem) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> pupils;  // empty: refused
    } lists[] = {
        {"SemicolonsWithAHeading",
         "Élève;Classe\r\nLéa Martin;5e B\r\nTom;5e B\r\n",
         {{"Léa Martin", "5e B"}, {"Tom", "5e B"}}},
        {"TabsAndBlankLines", "Léa\t5e B\n\n  Tom \t 5e A \n", {{"Léa", "5e B"}, {"Tom", "5e A"}}},
        {"CommasAndTheClassAbove", "\"Léa\",5e B\nTom\n", {{"Léa", "5e B"}, {"Tom", "5e B"}}},
        {"Windows1252",
         "L\xe9"
         "a;5e B\n",
         {{"Léa", "5e B"}}},
        {"ALineWithoutAName", "Léa;5e B\n;5e B\n", {}},
    };
    for (const auto& row : lists) {
        SCOPED_TRACE(row.name);
        try {
            std::vector<std::pair<std::string, std::string>> read;
            for (const ListedPupil& p : readClassList(row.text, "eleves.csv"))
                read.emplace_back(p.name, p.className);
            EXPECT_EQ(read, row.pupils);
        } catch (const DataError& error) {
            EXPECT_TRUE(row.pupils.empty()) << error.what();
            EXPECT_NE(std::string(error.what()).find("la ligne 2 ne donne pas de nom"),
                      std::string::npos)
                << error.what();
        }
    }
    const struct {
        const char* typed;
        const char* stamp;
    } dates[] = {
        {"2026-12-09 17:00", "2026-12-09T17:00:00"},
        {"2026-12-09T17:00:30", "2026-12-09T17:00:30"},
        {"09/12/2026 8h05", "2026-12-09T08:05:00"},
        {"2026-12-09", "2026-12-09T23:59:59"},
        {"2026-13-09 17:00", ""},
        {"demain", ""},
        {"2026-12-09 25:00", ""},
        {"", ""},
    };
    for (const auto& d : dates) EXPECT_EQ(dueStamp(d.typed), d.stamp) << d.typed;
    EXPECT_EQ(shownStamp("2026-12-09T17:00:00"), "2026-12-09 17:00");
}

// A hand-in read back by the class scan carries its time.
TEST(HandIn, TheClassScanReadsWhenADesignWasHandedIn) {
    Folder folder;
    handInDesign(folder.path(), someChoices(), {"Léa", "5e B"}, kTuesday);
    std::ofstream(folder.root / "libre.ventakar") << writeDesign(someChoices());
    ClassScan scan = scanClass(folder.path(), ",");
    ASSERT_EQ(scan.rows.size(), 2u);
    collectHandIns(scan.rows, {});
    for (const DesignRow& row : scan.rows)
        EXPECT_EQ(row.handedIn, row.file == "libre.ventakar" ? "" : handInStamp(kTuesday));
}

}  // namespace
