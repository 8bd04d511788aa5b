#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>

// Waits for the next modal widget (message box or start window) and acts on it, so a test
// can drive code that blocks in exec().
inline void whenModalAppears(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Closes the start window that building a DesignWindow shows.
void closeStartWindowSoon();
