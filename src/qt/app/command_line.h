#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for.
struct CommandLine {
    bool help = false;
    bool version = false;
    bool check = false;       // --verifier: check the catalogues and end
    bool catalogues = false;  // --catalogues: the catalogue editor alone, over files[0] or Data
    QStringList files;        // design files to open, or with --verifier the folder to check
    QString classFolder;      // --classe: the class folder to open, or to write as CSV
    QString csvFile;          // --csv: where the CSV goes, « - » for standard output
    QString workbookFile;     // --classeur: where the spreadsheet goes, .ods or .xlsx
    QString orderFolder;      // --commande: the class folder whose order is written as CSV
    QString handInFile;       // --rendre: the design to hand in
    QString handInFolder;     // --dossier-de-remise: where, else the machine's setting
    QString classList;        // --liste: the class list for --classe
    QString dueDate;          // --date-limite: as typed
    QString fixFile;          // --que-changer: the design whose fixes are written as CSV
    bool classListSet = false;
    bool dueDateSet = false;
    bool withFixes = false;  // --il-suffirait-de: the class table's « Il suffirait de » column
    QString error;           // in French, when the command line cannot be understood
};

// Reads the arguments (the program's name first).
CommandLine parseCommandLine(const QStringList& arguments);
// The text of --help and of --version.
QString commandLineHelp();
QString versionText();
