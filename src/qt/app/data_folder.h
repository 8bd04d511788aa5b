#pragma once

#include <QString>

// Where the program finds Data/: the working directory first, then the folder installed beside
// the program (<program folder>/../share/ventakar). Empty when neither holds it.
QString findDataHome(const QString& programFolder);

// The message naming both places looked at.
QString dataFolderMissing(const QString& programFolder);
