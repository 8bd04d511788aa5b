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

// Where pupils hand their designs in: handInFolder in the machine's settings, as dataFolder, set
// by the school for a machine or a room; else the one the teacher chose on this account
// (« Classe → Dossier de remise… »). Empty when neither is set.
QString handInFolder();
QString machineHandInFolder();
void setTeachersHandInFolder(const QString& folder);

// Where the teacher's choice, the class list and the due date of a hand-in folder are kept.
QString dueDateOf(const QString& folder);
void setDueDateOf(const QString& folder, const QString& due);
QString classListOf(const QString& folder);
void setClassListOf(const QString& folder, const QString& list);
