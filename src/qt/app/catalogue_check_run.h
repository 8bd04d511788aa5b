#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// ventakar --verifier [DOSSIER]: the report on standard output; 0 without error, 1 otherwise.
int runCatalogueCheck(const QString& folder);

// The same report in a dialog whose text can be selected and copied.
void showCatalogueCheck(const QString& folder, QWidget* parent);

// The report's lines for a folder, pictures decoded as the window decodes them.
QStringList catalogueCheckLines(const QString& folder, bool* hasErrors = nullptr);
