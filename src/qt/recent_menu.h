#pragma once

#include <QMenu>
#include <QString>
#include <QStringList>
#include <functional>

// Fills menu with paths, the last used first: « &1 name », the whole path in the tooltip, the
// status tip and the action's data; open runs with the path. The actions there before go once
// their signal has returned (the one being triggered may be among them). Named objectPrefix0, 1…
// when a prefix is given.
void fillRecentMenu(QMenu* menu, const QStringList& paths,
                    const std::function<void(const QString&)>& open,
                    const QString& objectPrefix = {});
