#pragma once

#include <QString>

// The folder the first save or export proposes: the user's documents folder if it exists and can
// be written, else the home folder, else the working folder; always absolute.
QString proposedFolder();

// The report's PDF name for a design file: « voiture1.pdf », or « Conception.pdf » for a design
// never saved.
QString pdfNameFor(const QString& designFile);
