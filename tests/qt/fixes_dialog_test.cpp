#include "qt/design/fixes_dialog.h"

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTest>

#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/supplied_designs.h"
#include "window_driver.h"

namespace {

// The design opened through the window, as the pupil opens one: the widgets follow.
OpenResult openAtThePriceLimit(DesignWindow& w) {
    OpenResult opened = OpenResult::Failed;
    w.forward([&] { opened = w.session().openDesign(kAtThePriceLimit, "limite.ventakar"); });
    return opened;
}

// Each row applied from the dialog gives the design the same choice made by hand gives, to the
// byte of its file, as one undo step; the keyboard and a reader reach the row with its effect.
TEST(WhatToChangeDialog, AFixAppliedIsTheSameChoiceMadeByHand) {
    for (int row : {0, 3}) {
        SCOPED_TRACE(row);
        closeStartWindowSoon();
        DesignWindow applied;
        ASSERT_TRUE(applied.isLoaded());
        applied.show();
        ASSERT_EQ(openAtThePriceLimit(applied), OpenResult::Opened);
        const std::string before = applied.session().designText();
        FixesDialog dialog(&applied);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.complete(); }, 10000));
        ASSERT_GT(dialog.table()->rowCount(), row);
        EXPECT_EQ(dialog.table()->rowCount(), int(dialog.fixes().size()));
        const DesignFix fix = dialog.fixes()[row];
        ASSERT_EQ(fix.changes.size(), 1u);
        ASSERT_EQ(fix.changes[0].kind, ChoiceKind::List);
        EXPECT_TRUE(dialog.table()
                        ->item(row, 1)
                        ->data(Qt::AccessibleTextRole)
                        .toString()
                        .contains(" : prix "));
        dialog.table()->setCurrentCell(row, 1);
        QTest::keyClick(dialog.table(), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());

        closeStartWindowSoon();
        DesignWindow byHand;
        ASSERT_TRUE(byHand.isLoaded());
        byHand.show();
        ASSERT_EQ(openAtThePriceLimit(byHand), OpenResult::Opened);
        driver::pick(byHand, fix.changes[0].control.c_str(), fix.changes[0].item);
        EXPECT_EQ(applied.session().designText(), byHand.session().designText());
        EXPECT_NE(applied.session().designText(), before);
        applied.forward([&] { applied.session().undo(); });
        EXPECT_EQ(applied.session().designText(), before) << "one undo step";
    }
}

}  // namespace
