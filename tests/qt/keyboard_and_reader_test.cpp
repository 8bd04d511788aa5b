#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "modal_helper.h"
#include "window_driver.h"

namespace {

QString focusName() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) return "(rien)";
    // The field inside an editable list stands for its list.
    if (focused->objectName().isEmpty() && focused->parentWidget())
        return focused->parentWidget()->objectName();
    return focused->objectName();
}

void activate(QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(Keyboard, TabVisitsTheControlsToActOnInStepOrderThenTheButtons) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    activate(d.w);
    d.w.findChild<QWidget*>("Combo1")->setFocus();
    QStringList visited = {focusName()};
    for (int i = 0; i < 25; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focusName() == visited.first()) break;
        visited << focusName();
    }
    EXPECT_EQ(visited.join(' '),
              "Combo1 Combo2 Combo3 Combo4 Option7 Check1 Check2 Combo5 Combo6 Combo7 Option1 "
              "Option3 Option5 Combo8 Combo9 Combo10 Combo11 VScroll1 Picture9 Command3 Command1 "
              "quitter");
}

TEST(Keyboard, ArrowsChooseInsideAnOptionGroupAndMoveTheClearance) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    activate(d.w);
    const DesignRecord& record = d.w.session().record();
    d.w.findChild<QRadioButton*>("Option1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(focusName(), "Option2");
    EXPECT_TRUE(record["Option2"].selected);
    EXPECT_FALSE(record["Option1"].selected);

    auto* bar = d.w.findChild<QScrollBar*>("VScroll1");
    EXPECT_EQ(bar->toolTip(), "Garde au sol (mm)");
    EXPECT_EQ(bar->accessibleName(), "Garde au sol (mm)");
    bar->setFocus();
    const int start = record["VScroll1"].value;
    QTest::keyClick(bar, Qt::Key_Down);
    EXPECT_EQ(record["VScroll1"].value, start + 1);
    EXPECT_EQ(record.text("Text79"), std::to_string(start + 1));
    QTest::keyClick(bar, Qt::Key_PageDown);
    EXPECT_EQ(record["VScroll1"].value, start + 11);
}

TEST(Keyboard, TheFocusedControlIsFramed) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    activate(d.w);
    QWidget* list = d.w.findChild<QWidget*>("Combo6");
    list->setFocus();
    QWidget* surface = d.w.findChild<QWidget*>("Sélection");
    QWidget* ring = nullptr;
    for (QWidget* child : surface->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->testAttribute(Qt::WA_TransparentForMouseEvents) && child->isVisible())
            ring = child;
    }
    ASSERT_NE(ring, nullptr);
    const QRect around(list->mapTo(surface, QPoint(0, 0)), list->size());
    EXPECT_TRUE(ring->geometry().contains(around)) << "around the list";
    EXPECT_GT(ring->geometry().width(), around.width());
}

TEST(ScreenReader, ControlsAreNamedByTheirStepAndCaption) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    const struct {
        const char* control;
        const char* name;
    } names[] = {
        {"Text2", "Etape 1, Diamètre (mm)"},
        {"Text7", "Etape 1, Dim mini / Axe (mm)"},
        {"Combo1", "Etape 1, Hélice"},
        {"Text11", "Etape 2, Diam. arbre (mm)"},
        {"Combo4", "Etape 4, Alimentation"},
        {"Check1", "Etape 4, Prendre en compte le coût des batteries"},
        {"Option7", "Etape 4, Type de batteries, Pile"},  // the group's caption heard with it
        {"Option8", "Etape 4, Type de batteries, Accu"},
        {"Text41", "Etape 6, Réf. Fournisseur"},
        {"Option1", "Etape 8, Châssis au dessus des roues avant"},
        {"Option6", "Etape 10, Arrière"},
        {"Combo8", "Etape 11, Montage roues avant"},
        {"Text63", "Etape 11, description du montage"},
        {"Text64", "Etape 11, Masse (g)"},
        {"Text65", "Etape 11, Prix HT (Euros)"},
        {"Picture14", "Etape 11, photo : TrainU"},
        {"Image6", "Etape 11, dessin : TrainU"},
        {"Combo9", "Etape 12, Montage roues arrière"},
        {"Text66", "Etape 12, description du montage"},
        {"Text69", "Etape 12, Masse (g)"},
        {"Text70", "Etape 12, Prix HT (Euros)"},
        {"Picture10", "Etape 12, photo : TrainU"},
        {"Image14", "Etape 12, dessin : TrainU"},
        {"Combo11", "Etape 13, matériau des supports de roues"},
        {"Text91", "Votre sélection, masse (g)"},
        {"Text88", "Informations, Masse Maxi (g)"},
        {"Picture9", "Etape 14, verdict : conforme"},
        {"Picture1", "Etape 1, photo : Hélice bipale 100 mm"},
    };
    for (const auto& n : names) {
        QWidget* widget = d.w.findChild<QWidget*>(n.control);
        ASSERT_NE(widget, nullptr) << n.control;
        EXPECT_EQ(widget->accessibleName().toStdString(), n.name) << n.control;
        // What assistive tools read is that same name.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), n.name) << n.control;
    }
    auto* verdict = d.w.findChild<QLabel*>("Picture9");
    EXPECT_EQ(verdict->accessibleDescription(), verdict->toolTip());
    EXPECT_TRUE(verdict->toolTip().startsWith("Critères du règlement :"));
    EXPECT_TRUE(verdict->focusPolicy() & Qt::TabFocus);
}

TEST(ScreenReader, AColouredValueSaysItsStateInWords) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    driver::pick(w, "Combo1", 0);
    auto* mass = w.findChild<QLineEdit*>("Text91");
    const QString limit = w.findChild<QLineEdit*>("Text88")->text();
    EXPECT_EQ(mass->accessibleDescription(),
              mass->text() + " g : respecte la limite (moins de " + limit + " g exigé)");
    // Over the maximum: the words change with the colour.
    for (const char* list : {"Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Combo7"}) {
        auto* combo = w.findChild<QComboBox*>(list);
        driver::pick(w, list, combo->count() - 1);
    }
    const QColor shown = mass->palette().color(QPalette::Text);
    const QString words = mass->accessibleDescription();
    if (shown == QColor(255, 0, 0)) {
        EXPECT_EQ(words, mass->text() + " g : dépasse la limite (moins de " + limit + " g exigé)");
    } else {
        EXPECT_TRUE(words.contains("respecte la limite")) << words.toStdString();
    }
}

// A part that does not fit is told when its list takes the keyboard focus and heard with it, the
// described tooltip kept.
TEST(Keyboard, ARemarkShowsWhenItsListTakesTheFocus) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    activate(w);
    driver::pick(w, "Combo1", 0);
    auto* motor = w.findChild<QComboBox*>("Combo2");
    auto* cradle = w.findChild<QComboBox*>("Combo3");
    // A motor and a cradle of different diameters.
    for (int m = 0; m < motor->count() && motor->accessibleDescription().isEmpty(); ++m) {
        driver::pick(w, "Combo2", m);
        for (int c = 0; c < cradle->count() && motor->accessibleDescription().isEmpty(); ++c)
            driver::pick(w, "Combo3", c);
    }
    ASSERT_TRUE(motor->accessibleDescription().startsWith("À vérifier : moteur de "));
    EXPECT_TRUE(motor->toolTip().contains("Choisir un moteur dans le menu déroulant"))
        << motor->toolTip().toStdString();
    activate(w);
    w.findChild<QComboBox*>("Combo1")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QToolTip::hideText();
    cradle->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains(motor->accessibleDescription()))
        << QToolTip::text().toStdString();
    // Undo and redo while the tooltip shows: it says what the list says now, never the part
    // before nor a remark that no longer holds.
    for (int turn = 0; turn < 2; ++turn) {
        const QString before = QToolTip::text();
        w.forward([&] { turn == 0 ? w.session().undo() : w.session().redo(); });
        QApplication::processEvents();
        if (cradle->toolTip().isEmpty()) {
            EXPECT_FALSE(QToolTip::isVisible()) << turn;
        } else {
            EXPECT_EQ(QToolTip::text(), cradle->toolTip()) << turn;
            EXPECT_NE(QToolTip::text(), before) << turn;
        }
    }
}

TEST(ScreenReader, ImprimerSaysWhyItIsDisabled) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    auto* print = w.findChild<QPushButton*>("Command1");
    EXPECT_EQ(print->toolTip(), "Terminez les quatorze étapes pour obtenir l'estimation.");
    driver::completePassingDesign(w);
    ASSERT_TRUE(print->isEnabled());
    EXPECT_EQ(print->toolTip(), "");
    // The heaviest motor fails the mass: the tooltip gives the verdict's failing line.
    auto* motor = w.findChild<QComboBox*>("Combo2");
    driver::pick(w, "Combo2", motor->count() - 1);
    if (!print->isEnabled()) {
        EXPECT_TRUE(print->toolTip().startsWith("Impression impossible, critères non remplis :\n"))
            << print->toolTip().toStdString();
        EXPECT_TRUE(print->toolTip().contains("✗")) << print->toolTip().toStdString();
        EXPECT_FALSE(print->toolTip().contains("✓")) << print->toolTip().toStdString();
    }
}

}  // namespace

namespace {

TEST(Keyboard, TheDesignWindowOnItsOwnHasTheProgramsShortcuts) {
    driver::PassingDesign d;
    ASSERT_TRUE(d.w.isLoaded());
    activate(d.w);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* shows;  // in the modal that opens
    } keys[] = {
        {Qt::Key_F1, Qt::NoModifier, "Cliquer pour continuer"},  // the start window
        {Qt::Key_Q, Qt::ControlModifier, "Voulez vous vraiment quitter ?"},
        {Qt::Key_P, Qt::ControlModifier, "Imprimer"},
    };
    for (const auto& k : keys) {
        QString seen;
        whenModalAppears([&](QWidget* modal) {
            seen = modal->windowTitle() + " " + modalText(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->button(QMessageBox::No)->click();
            } else {
                static_cast<QDialog*>(modal)->reject();
            }
        });
        activate(d.w);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d.w, k.key,
                        k.modifiers);
        EXPECT_TRUE(seen.contains(QString::fromUtf8(k.shows))) << seen.toStdString();
    }
    EXPECT_TRUE(d.w.isVisible());
}

}  // namespace
