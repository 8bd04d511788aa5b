#pragma once

#include <QString>
#include <string>

class QWidget;

// Bytes written whole to file, or the user told why, after notDone (« Le tableau n'a pas été
// exporté. »).
bool writeExport(const QString& file, const std::string& bytes, const std::string& notDone,
                 QWidget* parent);

struct TeacherTable;

// The table written whole as a spreadsheet (.ods or .xlsx, by file's extension) with one sheet
// named sheet, or the user told why, after notDone.
bool writeWorkbookExport(const QString& file, const TeacherTable& table, const std::string& sheet,
                         const std::string& notDone, QWidget* parent);

// « Exporter en classeur… »: a save dialog for .ods and .xlsx, the name as typed or empty.
QString chooseWorkbookFile(QWidget* parent, const QString& title, const QString& proposedBase);

// « CSV enregistré : /chemin/classe.csv » in the status bar of the window parent belongs to (the
// class window for its dialogs), once an export is written; kind from the file's extension.
void sayExported(QWidget* parent, const QString& file);

// A save dialog in French over the last folder used for files of suffix (else the proposed
// folder), which it remembers; the name as typed, or empty if cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposedName);

// True where QPrintDialog is the system's own dialog (Windows, macOS): one that, with no printer
// installed, cannot offer a PDF file in its place.
constexpr bool systemPrintDialog() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return false;
#endif
}

// With no printer to choose, the PDF the report or the table is written to: a save dialog over
// proposed (a name or a whole path); empty if cancelled.
QString choosePdfWithoutPrinter(QWidget* parent, const QString& proposed);
