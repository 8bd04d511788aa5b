#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/design_file.h"

// A pupil's design handed in to the class's drop folder: a new file of its own, never replacing
// another, written without listing or reading the folder (a pupil may only create files there).

// The longest part of a hand-in's path (a class or a pupil's name), in bytes.
inline constexpr std::size_t kMaxHandInNameBytes = 80;

// text made one name fit for every system, inside the folder and nowhere else: the characters a
// system forbids or gives a meaning (/, \, :, control characters…) as « - », no dot or space at
// either end (no « .. », no hidden file), a device's name followed by « _ », at most
// kMaxHandInNameBytes bytes (never inside a character); fallback when nothing is left.
std::string handInNamePart(std::string_view text, const char* fallback);

// « 2026-12-09T14:05:07 », the local time of seconds as a design file keeps it.
std::string handInStamp(long long seconds);

// « <classe>/<élève> — 2026-12-09 14-05-07.ventakar », inside the hand-in folder.
std::string handInRelativePath(const PupilInfo& pupil, long long seconds);

struct HandIn {
    std::string path;      // the file written
    std::string relative;  // inside the hand-in folder, with '/'
    long long seconds = 0;
};

// Writes the design (choices, pupil, the time handed in) into folder, in the class's own folder
// (made when missing, open to the class as folder is), as a new file: a name taken gets « (2) »,
// « (3) »… Whole or not at all: a hidden temporary file given its name once complete, or, where
// the file system cannot, the file written under its name and removed if it cannot be finished.
// Throws DataError naming the folder, with the cause, when nothing could be handed in.
HandIn handInDesign(const std::string& folder, const DesignChoices& choices, const PupilInfo& pupil,
                    long long seconds);

// « La conception n'a pas été rendue : le disque est plein (dossier de remise « … »). »
std::string handInFailure(const std::string& folder, std::string reason);

// « Rendu le 9 décembre 2026 à 14 h 05 : 5e B/Léa — 2026-12-09 14-05-07.ventakar »
std::string handInReceipt(const HandIn& handIn);

class DesignRecord;

// What to ask before a design that is not complete or does not conform is handed in (« Cette
// conception n'est pas conforme (…) : la rendre quand même ? »); empty for one that conforms.
std::string handInQuestion(const DesignRecord& record);

// Why folder cannot take hand-ins, without reading it (it may be a drop box): missing, a file;
// empty when it may. Its reasons, as those of handInDesign's DataError, end without a stop.
std::string handInFolderProblem(const std::string& folder);
