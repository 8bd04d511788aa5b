#include "modal_helper.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <set>

namespace {

constexpr int kPollMs = 5;
constexpr int kWatcherLifetimeMs = 3000;
constexpr int kUnansweredMs = 4000;

std::set<QTimer*>& watchers() {
    static std::set<QTimer*> all;
    return all;
}

// The modals a test's action is answering right now (it may wait inside, for a long computation
// under a sanitizer): the watchdog leaves them alone.
std::set<QWidget*>& beingAnswered() {
    static std::set<QWidget*> all;
    return all;
}

void endWatcher(QTimer* timer) {
    watchers().erase(timer);
    timer->stop();
    timer->deleteLater();
}

}  // namespace

void whenModalAppears(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(kPollMs);
    watchers().insert(timer);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, action, started] {
        if (started->elapsed() > kWatcherLifetimeMs) {
            endWatcher(timer);
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            endWatcher(timer);
            beingAnswered().insert(modal);
            action(modal);
            beingAnswered().erase(modal);  // by its address only: it may be gone
        }
    });
    timer->start();
}

void closeStartWindowSoon() {
    whenModalAppears([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Space); });
}

void cancelModalWatchers() {
    const std::set<QTimer*> pending = watchers();
    for (QTimer* timer : pending) endWatcher(timer);
}

QString modalText(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        return box->text() + " " + box->informativeText();
    QString text = modal->windowTitle();
    for (QLabel* label : modal->findChildren<QLabel*>()) text += " | " + label->text();
    return text;
}

void startModalWatchdog() {
    auto* dog = new QTimer(qApp);
    dog->setInterval(100);
    auto seen = std::make_shared<QPointer<QWidget>>();
    auto since = std::make_shared<QElapsedTimer>();
    QObject::connect(dog, &QTimer::timeout, [seen, since] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !watchers().empty() || beingAnswered().count(modal)) {
            *seen = nullptr;
            return;
        }
        if (*seen != modal) {
            *seen = modal;
            since->start();
            return;
        }
        if (since->elapsed() < kUnansweredMs) return;
        ADD_FAILURE() << "a modal window that no test answered: " << modalText(modal).toStdString();
        *seen = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    dog->start();
}

void resetAfterProgramEnd() {
    // The application's own loop clears the quit request when it starts and when it returns.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

QString expectPlainUniqueMnemonics(QWidget* menus) {
    QList<QAction*> actions = menus->actions();
    QString seen;
    for (QAction* a : actions) {
        const QString text = a->text();
        const int mark = text.indexOf(QRegularExpression("&[^&]"));
        if (mark >= 0) {
            const QChar letter = text[mark + 1].toLower();
            EXPECT_TRUE(letter.unicode() < 128 && letter.isLetterOrNumber()) << text.toStdString();
            EXPECT_FALSE(seen.contains(letter))
                << text.toStdString() << " in " << seen.toStdString();
            seen += letter;
        }
        if (a->menu()) expectPlainUniqueMnemonics(a->menu());
    }
    return seen;
}
