#pragma once

#include <QString>

// Where the program finds Data/ (the folder that holds it): the working directory first, then the
// room's catalogues named by the machine's settings, then on Windows %ProgramData%\VENTAKAR, then
// the folder installed beside the program (<program folder>/../share/ventakar). Empty when none
// holds it.
QString findDataHome(const QString& programFolder);

// The room's catalogues: dataFolder in the machine's settings (/etc/xdg/VENTAKAR/ventakar.conf;
// on Windows HKEY_LOCAL_MACHINE\Software\VENTAKAR\ventakar), a Data folder or the folder that
// holds one, so that one edit on a shared folder serves every copy of the room. Empty when unset.
QString roomDataFolder();

// The message naming both places looked at.
QString dataFolderMissing(const QString& programFolder);
