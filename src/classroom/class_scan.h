#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classroom/parts_list.h"
#include "window/design_record.h"

// Where a design of the class stands, as its row says it.
enum class DesignState {
    Conforme,
    NonConforme,
    SansVerdict,
    Incomplete,
    RepriseEnPartie,
    Illisible,
    NonRendu  // a pupil of the class list with nothing handed in: no file
};

// « Conforme », « Non conforme », « Sans verdict », « Incomplète », « Reprise en partie »,
// « Illisible », « Non rendu ».
const char* stateWords(DesignState state);

// One design file of a class folder, replayed on today's catalogues as the design window would.
struct DesignRow {
    std::string pupil;
    std::string className;
    std::string file;     // inside the folder, with '/', as it may be shown (visibleText)
    std::string path;     // the file's own bytes, to open it whatever its name's encoding
    std::string savedAt;  // the file's time, 2026-12-08 14:05
    long long savedTime = 0;
    DesignState state = DesignState::Illisible;
    int stepsChosen = 0;
    // As the window shows them in Text91, Text92, Text90 and Text43; none while not computed.
    std::optional<double> mass, price, height, axis;
    std::string failing;  // the criteria not met or at their limit, in words, joined by « ; »
    std::string batteries;
    std::string withAllBatteries;
    std::string remarks;
    std::string identicalTo;
    // The same texts with numbers written with a decimal comma, for the CSV.
    struct Texts {
        std::string failing, withAllBatteries, remarks, fix;
    } commaTexts;
    // « Il suffirait de » for a design that does not conform: its cheapest single change, or why
    // none is enough; searched apart from the scan (fixSearched).
    std::string fix;
    bool fixSearched = false;
    std::string choicesKey;       // the same for the same choices, names aside; empty if unread
    std::vector<PartLine> parts;  // what building it takes
    std::optional<double> priceWithBatteries;  // Text92 with the batteries' cost counted
    // Handed in: when, as the file says it (« 2026-12-09T14:05:07 »), after the due date or not,
    // and the pupil's earlier hand-ins, newest first (files inside the folder).
    std::string handedIn;
    bool late = false;
    std::vector<std::string> earlier;
};

// Something of the class folder that was not read, and why (« ferme/ », « droits d'accès »).
struct SkippedEntry {
    std::string path;  // inside the folder, as it may be shown; a folder ends with '/'
    std::string reason;
};

// The design files of a class folder and what was left out.
struct FoundDesigns {
    std::vector<std::string> files;  // inside the folder, with '/', sorted, each design once
    std::vector<SkippedEntry> skipped;
    int otherFiles = 0;       // files that are not designs
    std::string interrupted;  // why the walk ended early (a folder moved meanwhile), in French
};

struct ClassScan {
    std::string folder;
    std::vector<DesignRow> rows;  // by file
    std::vector<SkippedEntry> skipped;
    int otherFiles = 0;
    bool cancelled = false;
    // A folder moved or deleted while it was read: why, in French; the rows are those read before.
    std::string interrupted;
};

inline constexpr int kMaxDepth = 4;

// Every *.ventakar file (any case) of folder and its subfolders, four levels deep, each once
// under its own path: a folder or file reached through a link inside the folder is read once,
// links leading out of it are not followed. Hidden files and folders and recovery files are left
// out; unreadable folders, designs deeper than four levels and odd files are counted as skipped.
// A folder reached twice (the same device and number) is read once; one that disappears while it
// is read ends the walk, saying so.
FoundDesigns findDesigns(const std::string& folder);
std::vector<std::string> findDesignFiles(const std::string& folder);

// Why folder cannot be read as a class (missing, a file, unreadable), in French; empty when it
// can. The same words for the window and the command line.
std::string classFolderProblem(const std::string& folder);

// « 2 fichiers non lus : ferme/ (droits d'accès), loin/ (lien hors du dossier de la classe) » and
// the count of other files; nothing when everything was read.
std::vector<std::string> skippedLines(const std::vector<SkippedEntry>& skipped, int otherFiles);

// Called after each design: how many are done of how many; false stops the scan there.
using ScanProgress = std::function<bool(int done, int total)>;

// Replays every design of folder on one snapshot of the catalogues of Data/ (read once), numbers
// written with decimalSeparator as the window writes them, on every core of the machine. Nothing
// is written anywhere.
ClassScan scanClass(const std::string& folder, const std::string& decimalSeparator,
                    const ScanProgress& progress = {});

class ScanPlatform;
struct DesignChoices;

// Replays design files as the window would, on one snapshot of the catalogues of Data/ (each read
// once) and one start-up record, copied for each design.
class DesignScanner {
  public:
    explicit DesignScanner(std::string decimalSeparator);
    // A scanner for another thread: the same reading of the catalogues, the same start-up record.
    explicit DesignScanner(const DesignScanner& other);
    DesignScanner& operator=(const DesignScanner&) = delete;
    ~DesignScanner();
    // The row of the design at path, named file; replayed, when given, receives its record.
    DesignRow scan(const std::string& path, const std::string& file,
                   DesignRecord* replayed = nullptr);
    // The row of a design made of these choices, replayed as a file's would be (no file, nobody's).
    DesignRow scanChoices(const DesignChoices& choices, DesignRecord* replayed = nullptr);

  private:
    std::string separator_;
    std::unique_ptr<ScanPlatform> platform_;
    DesignRecord startUp_;
    DesignRecord work_;           // the design being replayed
    std::string startUpFailure_;  // every row says it when the catalogues cannot be read
    // The rows of the first choices met, by the choices as a file writes them.
    static constexpr std::size_t kReplaysKept = 64;
    std::map<std::string, DesignRow> replays_;
};

// What a design record stands at, as a class row says it: state, the criteria not met or at
// their limit, totals, heights and remarks, the batteries as the pupil counted them.
DesignRow describeRecord(DesignRecord& record, const std::string& decimalSeparator);

// One design file replayed as a scan replays it (no identical designs: there is no class).
DesignRow scanDesignFile(const std::string& path, const std::string& decimalSeparator);

// Each row's « Identique à »: the other designs of the same choices, by group (numbered in the
// order of their first file), at most five named.
void nameIdenticalDesigns(std::vector<DesignRow>& rows);

// « 24 conceptions : 15 conformes, 6 non conformes, 2 incomplètes, 1 illisible »
std::string classSummary(const std::vector<DesignRow>& rows);
std::string classSummary(const std::vector<const DesignRow*>& rows);
