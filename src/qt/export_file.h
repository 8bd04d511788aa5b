#pragma once

#include <QString>
#include <string>

class QWidget;

// Bytes written whole to file, or the user told why, after notDone (« Le tableau n'a pas été
// exporté. »).
bool writeExport(const QString& file, const std::string& bytes, const std::string& notDone,
                 QWidget* parent);

// A save dialog in French over the proposed folder; the name as typed, or empty if cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposedName);
