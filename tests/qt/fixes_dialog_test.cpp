#include "qt/design/fixes_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "document/replay.h"
#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/supplied_designs.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

namespace {

// The design opened through the window, as the pupil opens one: the widgets follow.
OpenResult openAtThePriceLimit(DesignWindow& w) {
    OpenResult opened = OpenResult::Failed;
    w.forward([&] { opened = w.session().openDesign(kAtThePriceLimit, "limite.ventakar"); });
    return opened;
}

// A change made by hand on the window's widgets, as the pupil would make it.
void makeByHand(DesignWindow& w, const StepChange& change) {
    const char* name = change.control.c_str();
    switch (change.kind) {
        case ChoiceKind::List:
            driver::pick(w, name,
                         findListItem(w.session().record()[change.control], change.choice));
            break;
        case ChoiceKind::OptionPair:
            driver::click(w, name);
            break;
        case ChoiceKind::CheckBox:
            QTest::mouseClick(w.findChild<QCheckBox*>(name), Qt::LeftButton, {}, QPoint(6, 6));
            break;
        case ChoiceKind::Clearance:
            w.findChild<QScrollBar*>(name)->setValue(change.value);
            break;
    }
}

// Each row applied from the dialog gives the design the same choices made by hand give, to the
// byte of its file, as one undo step (a pair too); the keyboard and a reader reach the row with
// its effect.
TEST(WhatToChangeDialog, AFixAppliedIsTheSameChoiceMadeByHand) {
    const struct {
        const char* name;
        const char* rules;  // Reglement.txt, when not the supplied one
        int row;
        std::size_t changes;
    } rows[] = {
        {"TheCheapest", nullptr, 0, 1},
        {"AnotherRow", nullptr, 3, 1},
        {"APairUndoneAsOne", "350,200,150,130,25\r\n", 0, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        TempDataDir dir;
        dir.copySuppliedData();
        if (r.rules) dir.write("Reglement.txt", r.rules);
        closeStartWindowSoon();
        DesignWindow applied;
        ASSERT_TRUE(applied.isLoaded());
        applied.show();
        ASSERT_EQ(openAtThePriceLimit(applied), OpenResult::Opened);
        const std::string before = applied.session().designText();
        auto* button = applied.findChild<QPushButton*>("queChanger");
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible()) << "under a verdict that fails";
        // Time enough for every pair, even under a sanitizer: the rows do not depend on speed.
        FixesDialog dialog(&applied, 120.0);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.complete(); }, 60000));
        ASSERT_GT(dialog.table()->rowCount(), r.row);
        EXPECT_EQ(dialog.table()->rowCount(), int(dialog.fixes().size()));
        const DesignFix fix = dialog.fixes()[r.row];
        ASSERT_EQ(fix.changes.size(), r.changes);
        EXPECT_TRUE(dialog.table()
                        ->item(r.row, 1)
                        ->data(Qt::AccessibleTextRole)
                        .toString()
                        .contains(" : prix "));
        dialog.table()->setCurrentCell(r.row, 1);
        QTest::keyClick(dialog.table(), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());

        closeStartWindowSoon();
        DesignWindow byHand;
        ASSERT_TRUE(byHand.isLoaded());
        byHand.show();
        ASSERT_EQ(openAtThePriceLimit(byHand), OpenResult::Opened);
        for (const StepChange& change : fix.changes) makeByHand(byHand, change);
        EXPECT_EQ(applied.session().designText(), byHand.session().designText());
        EXPECT_NE(applied.session().designText(), before);
        EXPECT_FALSE(button->isVisible()) << "the design conforms";
        if (r.changes > 1) {
            EXPECT_NE(applied.session().undoText().find(" et "), std::string::npos)
                << applied.session().undoText();
        }
        applied.forward([&] { applied.session().undo(); });
        EXPECT_EQ(applied.session().designText(), before) << "one undo step";
    }
}

// The button under the verdict opens the same dialog as F9, reached by Tab right after the
// verdict.
TEST(WhatToChangeDialog, TheButtonUnderTheVerdictOpensIt) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    auto* button = w.findChild<QPushButton*>("queChanger");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isVisible()) << "no verdict yet";
    ASSERT_EQ(openAtThePriceLimit(w), OpenResult::Opened);
    ASSERT_TRUE(button->isVisible());
    QWidget* verdict = w.findChild<QWidget*>("Picture9");
    EXPECT_EQ(verdict->nextInFocusChain(), button);
    // In room of its own: nothing else the sketch's frame shows stands over it.
    for (QWidget* other :
         button->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == button || !other->isVisible()) continue;
        EXPECT_FALSE(other->geometry().intersects(button->geometry()))
            << other->objectName().toStdString();
    }
    bool opened = false;
    whenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<FixesDialog*>(modal);
        opened = dialog != nullptr;
        if (dialog) {
            QTest::qWaitFor([&] { return dialog->complete(); }, 60000);
            opened = dialog->table()->rowCount() > 0;
        }
        modal->close();
    });
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(opened);
}

}  // namespace
