#include "qt/recent_menu.h"

#include <QAction>
#include <QFileInfo>

void fillRecentMenu(QMenu* menu, const QStringList& paths,
                    const std::function<void(const QString&)>& open, const QString& objectPrefix) {
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* action =
            menu->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        if (!objectPrefix.isEmpty()) action->setObjectName(objectPrefix + QString::number(i));
        action->setToolTip(path);
        action->setStatusTip(path);
        action->setData(path);
        QObject::connect(action, &QAction::triggered, menu, [open, path] { open(path); });
    }
}
