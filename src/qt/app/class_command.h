#pragma once

#include <QString>

// ventakar --classe DOSSIER --csv FICHIER: the class table written as CSV (« - »: standard output)
// with no display; 0, or 1 with a French message on standard error. Data/ is read from the
// working folder.
// With workbookFile (--classeur), the same table also as a spreadsheet (.ods or .xlsx); either
// file name may be empty. Nothing is written when the folder cannot be read whole.
int writeClassCsv(const QString& folder, const QString& csvFile, const QString& workbookFile = {});

// ventakar --commande DOSSIER --csv FICHIER: the parts to order for every « Conforme » design of
// the folder, as CSV, with no display; 0, or 1 with a French message on standard error.
int writeOrderCsv(const QString& folder, const QString& csvFile, const QString& workbookFile = {});
