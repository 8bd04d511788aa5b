#pragma once

#include <QString>

#include "classroom/hand_in_collection.h"

// ventakar --classe DOSSIER --csv FICHIER: the class table written as CSV (« - »: standard output)
// with no display; 0, or 1 with a French message on standard error. Data/ is read from the
// working folder.
// With workbookFile (--classeur), the same table also as a spreadsheet (.ods or .xlsx); either
// file name may be empty. Nothing is written when the folder cannot be read whole.
// The hand-ins of the folder collected with the class list and the due date (--liste,
// --date-limite) or those the teacher set for the folder.
// With withFixes (--il-suffirait-de), the last column « Il suffirait de » too: each failing
// design's cheapest single change, searched on every core (about 10 ms a design).
int writeClassCsv(const QString& folder, const QString& csvFile, const QString& workbookFile = {},
                  const Collection& collection = {}, bool withFixes = false);

// The class list file (empty: none) and the due date as typed (empty: none) as a collection;
// false and a French message on standard error when either cannot be read.
bool readCollection(const QString& listFile, const QString& dueDate, Collection* collection);

// ventakar --rendre FICHIER: the saved design handed in to folder as the window hands it in; 0
// and the receipt on standard output, or 1 and the cause on standard error.
int handInFromCommandLine(const QString& file, const QString& folder);

// ventakar --commande DOSSIER --csv FICHIER: the parts to order for every « Conforme » design of
// the folder, as CSV, with no display; 0, or 1 with a French message on standard error.
int writeOrderCsv(const QString& folder, const QString& csvFile, const QString& workbookFile = {});

// ventakar --que-changer FICHIER [--csv F]: every change that makes the saved design conform, as
// CSV (« - » or empty: standard output); 0, saying so when it conforms already; 1 and the cause
// when the file is not a design. Data/ is read from the working folder.
int writeFixesCsv(const QString& file, const QString& csvFile);
