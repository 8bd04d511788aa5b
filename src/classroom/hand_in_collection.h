#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classroom/class_scan.h"

// What the teacher collects from a hand-in folder: each pupil's latest hand-in as the pupil's
// row, the earlier ones under it, the pupils of the class list with nothing handed in, and what
// came after the due date.

// A pupil of the teacher's class list.
struct ListedPupil {
    std::string name;
    std::string className;
};

// A class list's text (eleves.csv or .txt, UTF-8 or Windows-1252): one pupil a line, the name
// then the class, separated by « ; », a tab or « , »; blank lines and a heading line (« Élève ;
// Classe ») left out; a line without a class takes the class of the line above. Throws DataError
// naming fileName when a line holds no name.
std::vector<ListedPupil> readClassList(std::string_view bytes, const std::string& fileName);

// The same, read from the file at path (at most 1 MiB); throws DataError naming it.
std::vector<ListedPupil> readClassListFile(const std::string& path);

// « 2026-12-09 17:00 » (or « 2026-12-09T17:00 », « 09/12/2026 17:00 », seconds optional) as a
// hand-in's time stamp, « 2026-12-09T17:00:00 »; empty when it is no such date and time.
std::string dueStamp(std::string_view typed);

// « 2026-12-09 17:00 » from a stamp, as the teacher typed it and the table shows it.
std::string shownStamp(const std::string& stamp);

struct Collection {
    std::vector<ListedPupil> list;  // the class list, or none
    std::string due;                // a stamp, or empty: no due date
};

// The rows of a hand-in folder's scan, collected: the hand-ins of one pupil (same class and name,
// case and accents aside) become one row, the latest, with the others in its « earlier »; each
// listed pupil with no row gets a « Non rendu » row; hand-ins after the due date are late. Rows
// that were never handed in (a design put there by hand) stay as they are.
void collectHandIns(std::vector<DesignRow>& rows, const Collection& collection);

// « À l'heure », « En retard », « Non rendu », or nothing for a design never handed in.
std::string handInWords(const DesignRow& row);

// « remise : 18 à l'heure, 2 en retard, 4 non rendues », or nothing when no row was handed in.
std::string handInSummary(const std::vector<const DesignRow*>& rows);
