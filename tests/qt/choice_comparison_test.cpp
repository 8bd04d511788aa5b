#include "qt/design/choice_comparison_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "classroom/class_scan.h"
#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/system_rows.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

// Runs the event loop until condition holds; a failure of the test when it does not in time.
#define WAIT_UNTIL(condition, ms) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, ms)) << #condition

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
        // Return on a row, the table sorted by mass the other way, chooses that row's item.
        table->setFocus();
        const int last = table->model()->rowCount() - 1;
        table->setCurrentIndex(table->model()->index(last, 1));
        const QString designation = table->model()->index(last, 1).data().toString();
        for (int i = 0; i < wheels->count(); ++i)
            if (wheels->itemText(i) == designation) picked = i;
        ASSERT_NE(picked, last) << "the sort must move the row for this to mean something";
        QTest::keyClick(table, Qt::Key_Return);
    });
    // Pressed twice before the dialog shows: one dialog.
    QTest::keyClick(wheels, Qt::Key_F8);
    QTest::keyClick(wheels, Qt::Key_F8);
    WAIT_UNTIL(picked >= 0, 5000);
    QTest::qWait(200);
    QWidget* second = QApplication::activeModalWidget();
    EXPECT_EQ(second, nullptr) << "a second comparison opened";
    if (second) qobject_cast<QDialog*>(second)->reject();
    QApplication::processEvents();
    EXPECT_EQ(w.session().record().text("Combo6"), wheels->itemText(picked).toStdString());
    w.session().undo();
    EXPECT_EQ(w.session().record().text("Combo6"), before) << "one undo step";
}

}  // namespace

namespace {

// A picture that is there but cannot be decoded: the class row and the comparison's row of that
// item are refused in the window's own words, as picking it in the window is.
TEST(ChoiceComparison, APictureTheWindowCannotDecodeRefusesTheRowsAsTheWindowDoes) {
    TempDataDir dir;
    dir.copySuppliedData();
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    dir.write("Roue 60 mm.jpg", "pas une image");
    const std::string why = "l'image ne peut pas être décodée";
    const ChoiceAlternatives rows = alternativesOf(design.w.session().record(), "Combo7", ",");
    ASSERT_GT(rows.rows.size(), 5u);
    EXPECT_NE(rows.rows[5].failure.find(why), std::string::npos) << rows.rows[5].failure;
    EXPECT_EQ(rows.rows[4].failure, "");

    const std::filesystem::path folder = dir.root() / "classe";
    std::filesystem::create_directory(folder);
    QString said;
    whenModalAppears([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            said = box->text();
            box->accept();
        }
    });
    design.w.session().listChosen("Combo7", 5);  // refused, as the comparison said
    EXPECT_TRUE(said.contains(QString::fromStdString(why))) << said.toStdString();
    EXPECT_NE(design.w.session().record().text("Combo7"), "Roue 60 mm");
    std::string saved =
        "{\"format\": \"ventakar-conception\", \"version\": 1, \"choices\": "
        "{\"rearWheel\": {\"text\": \"Roue 60 mm\", \"index\": 5}}}";
    std::ofstream((folder / "roue.ventakar").string()) << saved;
    const ClassScan scan = scanClass(folder.string(), ",");
    ASSERT_EQ(scan.rows.size(), 1u);
    EXPECT_NE(scan.rows[0].state, DesignState::Conforme);
    EXPECT_NE(scan.rows[0].failing.find(why), std::string::npos) << scan.rows[0].failing;
}

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
    // The teacher saves the catalogue meanwhile: the table stays one reading of it, and says so.
    dir.write("Helice.txt",
              QString::fromStdString(catalogue).replace("REF-", "NEUF-").toStdString());
    WAIT_UNTIL(dialog.complete(), 30000);
    const QAbstractItemModel* model = dialog.table()->model();
    ASSERT_EQ(model->rowCount(), 700);
    const QStringList references = columnOf(dialog.table(), "Réf. Fournisseur");
    for (int i = 0; i < 700; ++i) EXPECT_EQ(references.at(i), QString("REF-%1").arg(i));
    auto* changed = dialog.findChild<QWidget*>("catalogueChanged");
    WAIT_UNTIL(changed->isVisible(), 3000);
    dialog.findChild<QPushButton*>("refreshAlternatives")->click();
    EXPECT_FALSE(changed->isVisible());
    WAIT_UNTIL(dialog.complete(), 30000);
    const QStringList fresh = columnOf(dialog.table(), "Réf. Fournisseur");
    ASSERT_EQ(fresh.size(), 700);
    for (int i = 0; i < 700; ++i) EXPECT_EQ(fresh.at(i), QString("NEUF-%1").arg(i));
}

// A catalogue of many propellers, all of one picture, their references and prices their own.
std::string manyPropellers(int count, const char* reference) {
    std::string catalogue;
    for (int i = 0; i < count; ++i)
        catalogue += "\"Hélice bipale 100 mm\"," + std::to_string(80 + i % 200) + "," +
                     std::to_string(3 + i % 12) + ",\"S\"," + reference + std::to_string(i) +
                     ",1." + std::to_string(10 + i % 50) + ",12,2,\"o\"\r\n";
    return catalogue;
}

int columnNamed(const QAbstractItemModel* model, const QString& caption) {
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == caption) return c;
    return -1;
}

// What happens to the data files while the rows arrive, the table sorted by price the other way
// meanwhile: each row that cannot be chosen says why in the pick's own words, and Return picks
// the row shown, on the reading its row was computed on, or is refused once the files changed.
TEST(ChoiceComparison, DataChangedWhileTheRowsArriveNeverMixesTwoReadings) {
    constexpr int kItems = 3000;
    const struct {
        const char* name;
        std::function<bool(TempDataDir&)> change;  // false: cannot be made here
        bool refused;
    } rows[] = {
        {"NothingChanges", [](TempDataDir&) { return true; }, false},
        {"TheCatalogueEdited",
         [](TempDataDir& d) {
             d.write("Helice.txt", manyPropellers(kItems, "NEUF-"));
             return true;
         },
         true},
        {"TheCatalogueRemoved",
         [](TempDataDir& d) {
             d.remove("Helice.txt");
             return true;
         },
         true},
        {"TheCatalogueMadeAPipe",
         [](TempDataDir& d) {
             d.remove("Helice.txt");
             return makeFifo(d.root() / "Data" / "Helice.txt");
         },
         true},
        {"ItsPictureDamaged",
         [](TempDataDir& d) {
             d.write("Hélice bipale 100 mm.jpg", "pas une image");
             return true;
         },
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDataDir dir;
        dir.copySuppliedData();
        dir.write("Helice.txt", manyPropellers(kItems, "REF-"));
        driver::PassingDesign design;
        ASSERT_TRUE(design.w.isLoaded());
        DesignWindow& w = design.w;
        const std::string before = w.session().record().text("Text5");
        bool made = true, done = false;
        QString shownReference, shownMass, refusal, firstFailure;
        int failedItem = -1;
        std::shared_ptr<const CatalogueSnapshot> reading;
        whenModalAppears([&](QWidget* modal) {
            auto* dialog = qobject_cast<ChoiceComparisonDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            reading = dialog->reading();
            made = row.change(dir);
            QTableView* table = dialog->table();
            const QAbstractItemModel* model = table->model();
            const int price = columnNamed(model, "Prix total HT (€)");
            const int mass = columnNamed(model, "Masse totale (g)");
            const int reference = columnNamed(model, "Réf. Fournisseur");
            table->sortByColumn(price, Qt::DescendingOrder);
            QTest::qWait(20);
            table->setCurrentIndex(model->index(std::min(3, model->rowCount() - 1), 1));
            WAIT_UNTIL(dialog->complete(), 60000);
            ASSERT_EQ(model->rowCount(), kItems);
            for (int r = 0; r < model->rowCount(); ++r) {
                const QString text = model->index(r, 2).data().toString();
                if (!text.startsWith("Impossible de choisir")) continue;
                EXPECT_TRUE(text.startsWith("Impossible de choisir : Fichier « Data/"))
                    << "a row without its reason: " << text.toStdString();
                if (failedItem < 0) {
                    failedItem = model->index(r, 1).data(Qt::UserRole + 2).toInt();
                    firstFailure = text.mid(QString("Impossible de choisir : ").size());
                }
            }
            shownReference = table->currentIndex().siblingAtColumn(reference).data().toString();
            shownMass = table->currentIndex().siblingAtColumn(mass).data().toString();
            whenModalAppears([&](QWidget* box) {
                refusal = modalText(box);
                qobject_cast<QDialog*>(box)->accept();
            });
            QTest::keyClick(table, Qt::Key_Return);
            // Refreshed on the files as they are now: each row from that reading, or why not.
            if (row.refused && dialog->isVisible()) {
                dialog->findChild<QPushButton*>("refreshAlternatives")->click();
                WAIT_UNTIL(dialog->complete(), 60000);
                ASSERT_EQ(model->rowCount(), kItems);
                for (int r = 0; r < model->rowCount(); ++r) {
                    const QString why = model->index(r, 2).data().toString();
                    const QString ref = model->index(r, reference).data().toString();
                    EXPECT_TRUE(why.startsWith("Impossible de choisir : Fichier « Data/") ||
                                ref.startsWith("NEUF-"))
                        << why.toStdString() << " " << ref.toStdString();
                    if (HasFailure()) break;
                }
            }
            if (dialog->isVisible()) dialog->reject();
            done = true;
        });
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        auto* propellers = w.findChild<QComboBox*>("Combo1");
        propellers->setFocus();
        QTest::keyClick(propellers, Qt::Key_F8);
        WAIT_UNTIL(done, 90000);
        if (!made) {
            std::cout << "[ note ] " << row.name << " cannot be made here\n";
            continue;
        }
        QApplication::processEvents();
        const DesignRecord& r = w.session().record();
        if (row.refused) {
            EXPECT_TRUE(refusal.contains("Le catalogue a changé")) << refusal.toStdString();
            EXPECT_EQ(r.text("Text5"), before) << "picked from a reading the table did not show";
        } else {
            EXPECT_EQ(refusal, "");
            EXPECT_EQ(r.text("Text5"), shownReference.toStdString()) << "another row picked";
            EXPECT_EQ(QString::fromStdString(r.text("Text91")), shownMass.section(' ', 0, 0));
        }
        // A catalogue changed or gone since: a pick made on the table's reading is that of its
        // row (the window hands its reading to the pick).
        if (row.refused && std::string(row.name).find("Catalogue") != std::string::npos) {
            w.session().listChosen("Combo1", 7, reading.get());
            EXPECT_EQ(w.session().record().text("Text5"), "REF-7");
        }
        // A row refused says what the pick says, on the same reading.
        if (failedItem >= 0) {
            QString said;
            whenModalAppears([&](QWidget* box) {
                said = modalText(box);
                qobject_cast<QDialog*>(box)->accept();
            });
            w.session().listChosen("Combo1", failedItem, reading.get());
            EXPECT_TRUE(said.contains(firstFailure))
                << said.toStdString() << " | " << firstFailure.toStdString();
        }
        // A box this row waited for and never met is not the next row's to answer.
        cancelModalWatchers();
    }
}

// At 1366 × 768: the design's columns in view beside the designation, the current row and column
// kept through a filter, the conforming filter without parts to check, a row that cannot be
// chosen telling why across the row with « Choisir » disabled, equal values in the list's order.
TEST(ChoiceComparison, ASmallScreenShowsTheDesignAndKeepsTheRowCurrent) {
    TempDataDir dir;
    dir.copySuppliedData();
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    dir.remove("Moteur RF-300.jpg");  // its pick now fails
    ChoiceComparisonDialog dialog(design.w.session().record(), "Combo2", &design.w);
    dialog.resize(1306, 688);  // as it opens on a 1366 × 768 screen
    dialog.show();
    WAIT_UNTIL(dialog.complete(), 10000);
    QTableView* table = dialog.table();
    QApplication::processEvents();
    const QHeaderView* header = table->horizontalHeader();
    const QAbstractItemModel* model = table->model();
    for (const char* caption : {"Désignation", "Masse totale (g)", "Prix total HT (€)",
                                "Hauteur (mm)", "Verdict", "À vérifier"}) {
        int column = -1;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == caption) column = c;
        ASSERT_GE(column, 0) << caption;
        EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column),
                  table->viewport()->width())
            << caption << " out of view";
    }
    auto* choose = dialog.findChild<QPushButton*>("chooseAlternative");
    const int failed = int(columnOf(table, "Désignation").indexOf("Moteur RF-300"));
    ASSERT_GE(failed, 0);
    table->setCurrentIndex(model->index(failed, 1));
    EXPECT_FALSE(choose->isEnabled());
    EXPECT_GT(table->columnSpan(failed, 2), 1) << "the reason across the row";
    EXPECT_TRUE(model->index(failed, 2).data().toString().startsWith("Impossible de choisir : "));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(dialog.chosenItem(), -1);
    // The filter leaves the failed row out: a row is current again, in the same column.
    table->setCurrentIndex(model->index(failed, 3));
    dialog.findChild<QCheckBox*>("conformingOnly")->setChecked(true);
    ASSERT_GT(model->rowCount(), 0);
    EXPECT_TRUE(table->currentIndex().isValid());
    EXPECT_EQ(table->currentIndex().column(), 3);
    EXPECT_TRUE(choose->isEnabled());
    for (const QString& remark : columnOf(table, "À vérifier")) EXPECT_TRUE(remark.isEmpty());
    dialog.findChild<QCheckBox*>("conformingOnly")->setChecked(false);
    // Equal heights keep the list's order, whichever way they are sorted.
    int heightColumn = -1;
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == "Hauteur (mm)") heightColumn = c;
    const QStringList listOrder = columnOf(table, "Désignation");
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        table->sortByColumn(heightColumn, order);
        const QStringList heights = columnOf(table, "Hauteur (mm)");
        const QStringList names = columnOf(table, "Désignation");
        for (int r = 1; r < names.size(); ++r) {
            if (heights[r] != heights[r - 1] || heights[r].isEmpty()) continue;
            EXPECT_LT(listOrder.indexOf(names[r - 1]), listOrder.indexOf(names[r])) << order;
        }
    }
}

}  // namespace
