#pragma once

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

// The wheel over a control that does not have the focus scrolls the window instead of changing
// the control. Returns true when the event was passed on.
inline bool passWheelToWindow(QWidget* control, QWheelEvent* event) {
    if (control->hasFocus()) return false;
    for (QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(up)) {
            const QPoint delta = event->angleDelta();
            QScrollBar* bar = qAbs(delta.x()) > qAbs(delta.y()) ? area->horizontalScrollBar()
                                                                : area->verticalScrollBar();
            QCoreApplication::sendEvent(bar, event);
            break;
        }
    }
    event->accept();
    return true;
}
