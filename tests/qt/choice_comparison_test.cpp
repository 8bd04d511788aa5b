#include "qt/design/choice_comparison_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

namespace {

QStringList columnOf(QTableView* table, const QString& caption) {
    const QAbstractItemModel* model = table->model();
    int column = -1;
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == caption) column = c;
    QStringList cells;
    for (int r = 0; r < model->rowCount() && column >= 0; ++r)
        cells << model->index(r, column).data().toString();
    return cells;
}

double number(const QString& cell) {
    return QString(cell.section(' ', 0, 0)).replace(',', '.').toDouble();
}

// From the focused list with F8: one row per item under the window's captions, today's choice
// marked, numbers sorted as numbers from the keyboard, the conforming filter, Tab leaving the
// table; « Choisir » (Return) picks the item as the list does, in one undo step.
TEST(ChoiceComparison, ShowsEveryItemAndPicksTheOneChosenAsTheListDoes) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* wheels = w.findChild<QComboBox*>("Combo6");
    wheels->setFocus();
    const std::string before = w.session().record().text("Combo6");
    const QString mass = w.findChild<QLineEdit*>("Text91")->text();
    int picked = -1;
    whenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<ChoiceComparisonDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTableView* table = dialog->table();
        EXPECT_EQ(table->model()->rowCount(), wheels->count());
        EXPECT_EQ(columnOf(table, "Désignation").join('|'), [&] {
            QStringList items;
            for (int i = 0; i < wheels->count(); ++i) items << wheels->itemText(i);
            return items.join('|');
        }());
        const QStringList marks = columnOf(table, "Choix actuel");
        EXPECT_EQ(marks.count("choix actuel"), 1);
        EXPECT_EQ(columnOf(table, "Masse totale (g)").at(marks.indexOf("choix actuel")), mass);
        EXPECT_FALSE(columnOf(table, "Diamètre (mm)").isEmpty()) << "the window's captions";
        // Ctrl+T sorts the current column, numbers as numbers; Ctrl+Shift+T reverses it.
        const int massColumn = [&] {
            for (int c = 0; c < table->model()->columnCount(); ++c)
                if (table->model()->headerData(c, Qt::Horizontal) == "Masse totale (g)") return c;
            return -1;
        }();
        table->setCurrentIndex(table->model()->index(0, massColumn));
        QTest::keyClick(table, Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), massColumn);
        QList<double> sorted;
        for (const QString& cell : columnOf(table, "Masse totale (g)")) sorted << number(cell);
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
        QTest::keyClick(table, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        // Only the conforming ones, on demand.
        auto* only = dialog->findChild<QCheckBox*>("conformingOnly");
        only->setChecked(true);
        for (const QString& verdict : columnOf(table, "Verdict"))
            EXPECT_TRUE(verdict.startsWith("Conforme")) << verdict.toStdString();
        only->setChecked(false);
        // Tab leaves the table.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), table);
        // Return on the last row in the list's order chooses it.
        table->sortByColumn(-1, Qt::AscendingOrder);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(table->model()->rowCount() - 1, 1));
        picked = table->model()->rowCount() - 1;
        QTest::keyClick(table, Qt::Key_Return);
    });
    QTest::keyClick(wheels, Qt::Key_F8);
    QTRY_VERIFY_WITH_TIMEOUT(picked >= 0, 5000);
    QApplication::processEvents();
    EXPECT_EQ(w.session().record().text("Combo6"), wheels->itemText(picked).toStdString());
    w.session().undo();
    EXPECT_EQ(w.session().record().text("Combo6"), before) << "one undo step";
}

}  // namespace

namespace {

// A large catalogue: the first rows come at once, the others while the window answers, all of
// them in the list's order, each with its own item.
TEST(ChoiceComparison, ALargeCatalogueComesWholeAndInOrder) {
    TempDataDir dir;
    dir.copySuppliedData();
    std::string catalogue;
    for (int i = 0; i < 700; ++i)
        catalogue += "\"Hélice bipale 100 mm\"," + std::to_string(80 + i % 200) + "," +
                     std::to_string(3 + i % 12) + ",\"S\",REF-" + std::to_string(i) +
                     ",1.20,12,2,\"o\"\r\n";
    dir.write("Helice.txt", catalogue);
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    ChoiceComparisonDialog dialog(design.w.session().record(), "Combo1", &design.w);
    dialog.show();
    EXPECT_FALSE(dialog.complete());
    EXPECT_GT(dialog.table()->model()->rowCount(), 0) << "the first rows at once";
    QTRY_VERIFY_WITH_TIMEOUT(dialog.complete(), 30000);
    const QAbstractItemModel* model = dialog.table()->model();
    ASSERT_EQ(model->rowCount(), 700);
    const QStringList references = columnOf(dialog.table(), "Réf. Fournisseur");
    for (int i = 0; i < 700; ++i) EXPECT_EQ(references.at(i), QString("REF-%1").arg(i));
}

}  // namespace
