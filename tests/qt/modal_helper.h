#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>

// Waits for the next modal widget (message box or start window) and acts on it, so a test can
// drive code that blocks in exec(). A watcher lives until it has acted, for a few seconds at
// most, and never beyond the end of its test.
void whenModalAppears(std::function<void(QWidget*)> action);

// Closes the start window that building a DesignWindow shows.
void closeStartWindowSoon();

// Ends every watcher still waiting: called when a test ends.
void cancelModalWatchers();

// After the program was ended (QCoreApplication::exit), every later event loop would return at
// once; this lets the next test's dialogs run again.
void resetAfterProgramEnd();

// From then on, a modal widget that no watcher answers within a few seconds fails the running
// test with its text and is closed, so the suite never hangs on it.
void startModalWatchdog();

// The text a modal widget shows: a message box's text, or the window title and labels.
QString modalText(QWidget* modal);

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Every mnemonic of a menu bar and its menus is a letter typed without a dead key (no « É »),
// and unique in its menu; the letters used at the bar's level are returned.
QString expectPlainUniqueMnemonics(QWidget* menus);
