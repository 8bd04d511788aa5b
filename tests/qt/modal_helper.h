#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

// Waits for the next modal widget (message box or start window) and acts on it, so a test
// can drive code that blocks in exec().
// It gives up after a few seconds, so that no watcher outlives its test.
inline void whenModalAppears(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action, polls] {
        if (++*polls > 600) {
            timer->stop();
            timer->deleteLater();
            return;
        }
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
