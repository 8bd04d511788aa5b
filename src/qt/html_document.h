#pragma once

#include <QPageLayout>
#include <QString>
#include <string>

class QWidget;

// A table laid out as HTML, printed on A4 pages: through the print dialog, or into a PDF file
// written beside its target and moved into place only once whole.
bool printHtml(const QString& html, QPageLayout::Orientation orientation, QWidget* parent);
// False, the user told (what: « Le tableau », « La liste »), when the PDF cannot be written.
bool writeHtmlPdf(const QString& html, QPageLayout::Orientation orientation, const QString& file,
                  const QString& what, QWidget* parent);

// Bytes written whole to file, or the user told why, after notDone (« Le tableau n'a pas été
// exporté. »).
bool writeExport(const QString& file, const std::string& bytes, const std::string& notDone,
                 QWidget* parent);

// A save dialog in French over the proposed folder; the name as typed, or empty if cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposedName);
