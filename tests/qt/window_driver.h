#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>

#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "qt/export_file.h"

// Acts on the real widgets of a design window as a pupil does.
namespace driver {

// A pick from the open list: the popup shows, the item is clicked.
inline void pick(DesignWindow& w, const char* list, int index) {
    auto* combo = w.findChild<QComboBox*>(list);
    ASSERT_NE(combo, nullptr) << list;
    ASSERT_TRUE(combo->isEnabled()) << list;
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QModelIndex item = view->model()->index(index, 0);
    view->setCurrentIndex(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    if (combo->view()->isVisible()) combo->hidePopup();
}

inline void click(DesignWindow& w, const char* option) {
    auto* button = w.findChild<QRadioButton*>(option);
    ASSERT_NE(button, nullptr) << option;
    ASSERT_TRUE(button->isEnabled()) << option;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// A design of the supplied Data that passes every rule.
inline void completePassingDesign(DesignWindow& w) {
    for (const char* list : {"Combo1", "Combo2", "Combo3", "Combo4"}) pick(w, list, 0);
    for (const char* list : {"Combo5", "Combo6", "Combo7"}) pick(w, list, 1);
    for (const char* option : {"Option1", "Option3", "Option5"}) click(w, option);
    for (const char* list : {"Combo8", "Combo9", "Combo10", "Combo11"}) pick(w, list, 0);
}

// A shown design window, its start window answered, with a complete passing design.
struct PassingDesign {
    PassingDesign() {
        if (!w.isLoaded()) return;  // each test asserts it before touching a widget
        w.show();
        completePassingDesign(w);
    }
    bool startWindowAnswered = (closeStartWindowSoon(), true);
    DesignWindow w;
};

// The dialog Imprimer opens: Qt's print dialog; or, where the print dialog is the system's own
// and no printer is installed (wine has none), the save dialog of the PDF.
inline bool isReportDialog(QWidget* modal) {
    if (qobject_cast<QPrintDialog*>(modal)) return true;
    return systemPrintDialog() && QPrinterInfo::availablePrinterNames().isEmpty() &&
           qobject_cast<QFileDialog*>(modal);
}

// Prints the design to pdf with Imprimer, accepting the dialog and the closing message; returns
// that message.
inline QString printToPdf(DesignWindow& w, const QString& pdf) {
    w.printer().setOutputFile(pdf);
    QString message;
    whenModalAppears([&](QWidget* dialog) {
        whenModalAppears([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                message = box->text();
                box->accept();
            }
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    w.findChild<QPushButton*>("Command1")->click();
    return message;
}

}  // namespace driver
