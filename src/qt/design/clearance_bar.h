#pragma once

#include <QScrollBar>
#include <QWheelEvent>

#include "qt/design/wheel_guard.h"

// The clearance scroll bar; the wheel moves it only once it has the focus, else the window scrolls.
class ClearanceBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit ClearanceBar(QWidget* parent = nullptr) : QScrollBar(Qt::Vertical, parent) {}

  protected:
    void wheelEvent(QWheelEvent* event) override {
        if (!passWheelToWindow(this, event)) QScrollBar::wheelEvent(event);
    }
};
