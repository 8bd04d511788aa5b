#include "qt/classroom/class_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <map>
#include <set>

#include "catalogue/number_text.h"
#include "classroom/class_csv.h"
#include "classroom/class_order.h"
#include "classroom/hand_in.h"
#include "modal_helper.h"
#include "pdf_words.h"
#include "qt/app/data_folder.h"
#include "qt/app/main_window.h"
#include "qt/classroom/class_table_model.h"
#include "qt/classroom/parts_list_dialog.h"
#include "qt/design/design_window.h"
#include "qt/system_number_format.h"
#include "support/supplied_designs.h"
#include "window_driver.h"

namespace {

// A design of the supplied Data; keys left out make it incomplete.
QByteArray design(const char* pupil, const char* frontWheel, bool complete = true) {
    QByteArray text = R"({"format": "ventakar-conception", "version": 1,
      "pupil": {"name": ")" +
                      QByteArray(pupil) + R"(", "class": "5e B"}, "choices": {
      "propeller": {"text": "Hélice bipale 100 mm", "index": 0},
      "motor": {"text": "Moteur RE-140", "index": 0},
      "cradle": {"text": "Berceau 20 mm", "index": 0},
      "power": {"text": "Coupleur 2 piles AA", "index": 0},
      "switch": {"text": "Interrupteur à glissière", "index": 1},
      "frontWheel": )" +
                      QByteArray(frontWheel) + R"(,
      "rearWheel": {"text": "Roue 40 mm", "index": 1},
      "frontWheelPosition": "above", "rearWheelPosition": "above", "propellerPosition": "front")";
    if (complete) {
        text += R"(, "frontMounting": {"text": "Support en U", "index": 0},
          "rearMounting": {"text": "Support en U", "index": 0},
          "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
          "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0})";
    }
    return text + "}}";
}

struct ClassFolder {
    ClassFolder() {
        const QString roue40 = R"({"text": "Roue 40 mm", "index": 1})";
        write("lea.ventakar", design("Léa Martin", roue40.toUtf8()));
        write("groupe/tom.ventakar", design("Tom Petit", roue40.toUtf8()));
        write("groupe/zoe.ventakar", design("Zoé", roue40.toUtf8(), false));
        write("abime.ventakar", "{\"format\": \"ventakar-conception\", \"ver");
    }
    void write(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).absolutePath());
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir;
};

std::unique_ptr<ClassWindow> openOver(const QString& folder) {
    auto w = std::make_unique<ClassWindow>(folder);
    QSignalSpy done(w.get(), &ClassWindow::scanned);
    w->show();
    EXPECT_TRUE(done.wait(10000));
    return w;
}

QStringList column(const ClassWindow& w, int c) {
    QStringList cells;
    const QAbstractItemModel* model = w.table()->model();
    for (int r = 0; r < model->rowCount(); ++r) cells << model->index(r, c).data().toString();
    return cells;
}

TEST(ClassWindow, RowsSortFilterSearchAndSay) {
    ClassFolder c;
    // Heavier wheels: a mass of three digits among masses of two.
    c.write("lourd.ventakar", design("Lou", R"({"text": "Roue 80 mm, tout-terrain", "index": 6})"));
    auto w = openOver(c.dir.path());
    EXPECT_EQ(w->rows().size(), 5u);
    EXPECT_EQ(w->findChild<QLabel*>("summary")->text(),
              "5 conceptions : 3 conformes, 1 incomplète, 1 illisible");
    const QAbstractItemModel* model = w->table()->model();
    QStringList headers;
    for (int i = 0; i < model->columnCount(); ++i)
        headers << model->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(headers.first(), "Élève");
    EXPECT_EQ(headers.size(), 19);
    EXPECT_EQ(headers.last(), "Il suffirait de");

    // Sorted by price, as numbers, the unread design last both ways.
    w->table()->sortByColumn(7, Qt::AscendingOrder);
    EXPECT_EQ(column(*w, 7).last(), "");
    EXPECT_EQ(column(*w, 2).last(), "abime.ventakar");
    w->table()->sortByColumn(7, Qt::DescendingOrder);
    EXPECT_EQ(column(*w, 2).last(), "abime.ventakar");
    // Every number column sorts as numbers, both ways, whatever their digits.
    for (int c : {5, 6, 7, 8, 9}) {
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            w->table()->sortByColumn(c, order);
            std::vector<double> values;
            for (const QString& cell : column(*w, c))
                if (!cell.isEmpty()) values.push_back(QString(cell).replace(',', '.').toDouble());
            std::vector<double> sorted = values;
            std::sort(sorted.begin(), sorted.end());
            if (order == Qt::DescendingOrder) std::reverse(sorted.begin(), sorted.end());
            EXPECT_EQ(values, sorted) << "column " << c;
        }
    }
    w->table()->sortByColumn(6, Qt::AscendingOrder);
    EXPECT_EQ(column(*w, 2).at(3), "lourd.ventakar") << column(*w, 6).join(' ').toStdString();

    // Six states, six colours told apart.
    std::set<QRgb> colours;
    for (int state = 0; state < 6; ++state) colours.insert(stateColour(DesignState(state)).rgb());
    EXPECT_EQ(colours.size(), 6u);
    // The state in words and in colour.
    const int row = column(*w, 2).indexOf("lea.ventakar");
    const QModelIndex state = model->index(row, 4);
    EXPECT_EQ(state.data().toString(), "Conforme");
    EXPECT_TRUE(state.data(Qt::BackgroundRole).isValid());

    auto* filter = w->findChild<QComboBox*>("stateFilter");
    filter->setCurrentIndex(filter->findText("Conforme"));
    EXPECT_EQ(model->rowCount(), 3);
    w->findChild<QLineEdit*>("search")->setText("léa");
    EXPECT_EQ(column(*w, 0), QStringList{"Léa Martin"});
    w->findChild<QLineEdit*>("search")->setText("5E b");
    EXPECT_EQ(model->rowCount(), 3) << "the class is searched too";
    filter->setCurrentIndex(0);
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_TRUE(w->findChild<QLabel*>("summary")->text().endsWith("— 4 affichée(s)"));

    // Sorted and filtered, the row opened is the one chosen, whatever its place in the model.
    w->table()->sortByColumn(0, Qt::DescendingOrder);
    filter->setCurrentIndex(filter->findText("Conforme"));
    w->findChild<QLineEdit*>("search")->clear();
    QSignalSpy opened(w.get(), &ClassWindow::openDesignRequested);
    for (const char* file : {"lourd.ventakar", "groupe/tom.ventakar", "lea.ventakar"}) {
        w->table()->setCurrentIndex(model->index(column(*w, 2).indexOf(file), 0));
        QTest::keyClick(w->table(), Qt::Key_Return);
        ASSERT_FALSE(opened.isEmpty()) << file;
        EXPECT_EQ(opened.takeLast().at(0).toByteArray(), QFile::encodeName(c.dir.filePath(file)));
    }
}

// Everything from the keyboard: sorting by any column and reversing it, Tab leaving the table,
// the filter and the search, plain and unique mnemonics; after F5 the current row is the one
// selected.
TEST(ClassWindow, TheKeyboardReachesEverything) {
    ClassFolder c;
    auto w = openOver(c.dir.path());
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const QString bar = expectPlainUniqueMnemonics(w->menuBar());
    // The labels' letters are the window's too.
    for (const char* name : {"stateFilter", "search"}) {
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->buddy() != w->findChild<QWidget*>(name)) continue;
            const int mark = label->text().indexOf('&');
            ASSERT_GE(mark, 0) << name;
            const QChar letter = label->text()[mark + 1].toLower();
            EXPECT_TRUE(letter.unicode() < 128) << label->text().toStdString();
            EXPECT_FALSE(bar.contains(letter)) << label->text().toStdString();
        }
    }
    QTableView* table = w->table();
    table->setFocus();
    const QAbstractItemModel* model = table->model();
    // The current cell's column sorted with Ctrl+T, reversed with Ctrl+Shift+T.
    table->setCurrentIndex(model->index(0, 6));
    QTest::keyClick(table, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), 6);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::keyClick(table, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    // Any column from the menu's own list.
    w->findChild<QAction*>("actionSortBy0")->trigger();
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), 0);
    // Tab leaves the table at once; Shift+Tab comes back.
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), table);
    EXPECT_EQ(QApplication::focusWidget(), w->findChild<QWidget*>("details"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->findChild<QWidget*>("search"));

    // After F5, the current row is the one selected.
    const int tom = column(*w, 2).indexOf("groupe/tom.ventakar");
    table->selectionModel()->setCurrentIndex(
        model->index(tom, 3), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QSignalSpy done(w.get(), &ClassWindow::scanned);
    w->findChild<QAction*>("actionRefresh")->trigger();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(column(*w, 2).at(table->currentIndex().row()), "groupe/tom.ventakar");
    EXPECT_EQ(table->currentIndex().column(), 3);
    EXPECT_TRUE(w->findChild<QPlainTextEdit*>("details")->toPlainText().contains("Tom Petit"));
}

// Search as people type: case and accents aside, over pupils, classes and file names.
TEST(ClassWindow, SearchIgnoresCaseAndAccentsAndFindsFiles) {
    ClassFolder c;
    c.write("École/zelie.ventakar", design("ZÉLIE Ñuñez", R"({"text": "Roue 40 mm", "index": 1})"));
    c.write("coeur.ventakar", design("Jérôme Cœur", R"({"text": "Roue 40 mm", "index": 1})"));
    c.write("orsted.ventakar", design("Agathe Ørsted", R"({"text": "Roue 40 mm", "index": 1})"));
    c.write("autres.ventakar", design("Łucja d’Alembert, Đorđe Strauß et Æsa",
                                      R"({"text": "Roue 40 mm", "index": 1})"));
    auto w = openOver(c.dir.path());
    const struct {
        const char* typed;
        QStringList files;
    } searches[] = {
        {"lea", {"lea.ventakar"}},
        {"LÉA", {"lea.ventakar"}},
        {"zelie nunez", {"École/zelie.ventakar"}},
        {"ecole", {"École/zelie.ventakar"}},
        {"coeur", {"coeur.ventakar"}},
        {"CŒUR", {"coeur.ventakar"}},
        {"orsted", {"orsted.ventakar"}},
        {"jerome", {"coeur.ventakar"}},
        {"lucja d'alembert", {"autres.ventakar"}},
        {"dorde strauss", {"autres.ventakar"}},
        {"aesa", {"autres.ventakar"}},
        {"ABIME", {"abime.ventakar"}},
        {"groupe/", {"groupe/tom.ventakar", "groupe/zoe.ventakar"}},
        {"  tom  ", {"groupe/tom.ventakar"}},
    };
    for (const auto& s : searches) {
        w->findChild<QLineEdit*>("search")->setText(QString::fromUtf8(s.typed));
        QStringList files = column(*w, 2);
        files.sort();
        EXPECT_EQ(files, s.files) << s.typed;
    }
}

// What is shown is what is exported: the rows of the filter and search, in the order shown,
// the filter said after the table, the summary counting what the page holds.
TEST(ClassWindow, ExportsHoldTheRowsShownInTheirOrder) {
    ClassFolder c;
    c.write("nina.ventakar", design("Nina", R"({"text": "Roue 40 mm", "index": 1})"));
    auto w = openOver(c.dir.path());
    auto* filter = w->findChild<QComboBox*>("stateFilter");
    filter->setCurrentIndex(filter->findText("Conforme"));
    w->table()->sortByColumn(0, Qt::DescendingOrder);
    QTemporaryDir out;
    ASSERT_TRUE(w->exportCsv(out.filePath("classe.csv")));
    EXPECT_EQ(w->statusBar()->currentMessage(),
              "CSV enregistré : " + QFileInfo(out.filePath("classe.csv")).absoluteFilePath());
    QFile csv(out.filePath("classe.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QStringList pupils;
    for (const QString& line : lines.mid(1, 3)) pupils << line.section(';', 0, 0);
    EXPECT_EQ(pupils, (QStringList{"Tom Petit", "Nina", "Léa Martin"}));
    EXPECT_EQ(lines.size(), 5) << lines.join(" | ").toStdString();
    EXPECT_TRUE(lines.last().startsWith("Conceptions affichées : état « Conforme » (3 sur 5)"))
        << lines.last().toStdString();

    // The same rows as a spreadsheet; a name that is neither .ods nor .xlsx is said, not written.
    ASSERT_TRUE(w->exportWorkbook(out.filePath("classe.xlsx")));
    EXPECT_TRUE(w->statusBar()->currentMessage().startsWith("Classeur enregistré : "));
    QFile workbook(out.filePath("classe.xlsx"));
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_EQ(workbook.read(2), "PK");
    QString refused;
    whenModalAppears([&](QWidget* modal) {
        refused = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    EXPECT_FALSE(w->exportWorkbook(out.filePath("classe.txt")));
    EXPECT_TRUE(refused.contains("se nomme en .ods (OpenDocument) ou en .xlsx"))
        << refused.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath("classe.txt")));
    // A design is never replaced by a PDF either.
    const QByteArray lea = [&] {
        QFile f(c.dir.filePath("lea.ventakar"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    whenModalAppears([&](QWidget* modal) {
        refused = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    EXPECT_FALSE(w->exportPdf(c.dir.filePath("lea.ventakar")));
    EXPECT_TRUE(refused.contains("c'est une conception VENTAKAR")) << refused.toStdString();
    QFile kept(c.dir.filePath("lea.ventakar"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), lea);

    ASSERT_TRUE(w->exportPdf(out.filePath("classe.pdf")));
    QString text;
    for (const PdfWord& word : pdfWords(out.filePath("classe.pdf"))) text += word.text + " ";
    EXPECT_TRUE(text.contains("3 conceptions : 3 conformes")) << text.toStdString();
    EXPECT_TRUE(text.contains("état « Conforme » (3 sur 5)"));
    EXPECT_FALSE(text.contains("Zoé")) << "a row the filter hides";
    EXPECT_LT(text.indexOf("Tom Petit"), text.indexOf("Nina"));
    EXPECT_LT(text.indexOf("Nina"), text.indexOf("Léa Martin"));
}

TEST(ClassWindow, RefreshKeepsTheSortAndSelectionAndAnExportIsTheCsv) {
    ClassFolder c;
    auto w = openOver(c.dir.path());
    w->table()->sortByColumn(0, Qt::DescendingOrder);
    // The details panel speaks of the row the pupil is on, whatever the sort.
    for (int r = 0; r < w->table()->model()->rowCount(); ++r) {
        w->table()->setCurrentIndex(w->table()->model()->index(r, 2));
        const QString file = w->table()->model()->index(r, 2).data().toString();
        EXPECT_TRUE(
            w->findChild<QPlainTextEdit*>("details")->toPlainText().contains("Fichier : " + file))
            << file.toStdString();
    }
    w->table()->clearSelection();
    const int tom = column(*w, 2).indexOf("groupe/tom.ventakar");
    w->table()->selectRow(tom);
    c.write("nouveau.ventakar", design("Nina", R"({"text": "Roue 40 mm", "index": 1})"));
    QSignalSpy done(w.get(), &ClassWindow::scanned);
    w->findChild<QAction*>("actionRefresh")->trigger();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(w->rows().size(), 5u);
    EXPECT_EQ(w->table()->horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(w->table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(w->selectedFiles(), QStringList{QDir(c.dir.path()).filePath("groupe/tom.ventakar")});

    QTemporaryDir out;
    ASSERT_TRUE(w->exportCsv(out.filePath("classe.csv")));
    QFile csv(out.filePath("classe.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    // The columns in the screen's order: who, class, state and why first.
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\xC3\x89l\xC3\xA8ve;Classe;\xC3\x89tat;Pourquoi;"));
    EXPECT_EQ(bytes.count("\r\n"), 6);
    EXPECT_TRUE(QDir(c.dir.path()).entryList({"*.csv", ".*"}, QDir::Files | QDir::Hidden).isEmpty())
        << "nothing is written into the class folder";

    ASSERT_TRUE(w->exportPdf(out.filePath("classe.pdf")));
    QFile pdf(out.filePath("classe.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(5), "%PDF-");
}

TEST(ClassWindow, TwoDesignsAreComparedWithTheDifferencesMarked) {
    ClassFolder c;
    auto w = openOver(c.dir.path());
    // Chosen from the keyboard, as the message says: Ctrl + arrows, then Ctrl + Space.
    QTableView* t = w->table();
    const int lea = int(column(*w, 2).indexOf("lea.ventakar"));
    const int zoe = int(column(*w, 2).indexOf("groupe/zoe.ventakar"));
    t->setFocus();
    t->setCurrentIndex(t->model()->index(lea, 0));
    for (int r = lea; r != zoe; r += zoe > lea ? 1 : -1)
        QTest::keyClick(t, zoe > lea ? Qt::Key_Down : Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(t->selectionModel()->selectedRows().size(), 2);
    QStringList marked;
    bool boldWhereMarked = true;
    whenModalAppears([&](QWidget* modal) {
        auto* table = modal->findChild<QTableWidget*>("comparisonTable");
        ASSERT_NE(table, nullptr);
        for (int r = 0; r < table->rowCount(); ++r) {
            const QString label = table->item(r, 0)->text();
            if (!label.startsWith("≠ ")) continue;
            marked << label.mid(2);
            boldWhereMarked = boldWhereMarked && table->item(r, 1)->font().bold();
        }
        static_cast<QDialog*>(modal)->reject();
    });
    w->findChild<QAction*>("actionCompare")->trigger();
    EXPECT_TRUE(boldWhereMarked);
    EXPECT_TRUE(marked.contains("Étape 11 (Montage roues avant)"))
        << marked.join(", ").toStdString();
    EXPECT_TRUE(marked.contains("État"));
    EXPECT_TRUE(marked.contains("Élève"));
    EXPECT_FALSE(marked.contains("Étape 1 (Hélice)"));
}

// Answers the next message box with the button of that text, and says it was asked.
void answerBox(const QString& button, bool* asked) {
    whenModalAppears([button, asked](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << modalText(modal).toStdString();
        *asked = true;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove('&') == button) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button.toStdString() << " in "
                      << modalText(box).toStdString();
        box->reject();
    });
}

// The teacher's lesson as `ventakar --classe` starts it (no start window): a design opened from
// the table closes back to the table as the teacher left it, asking only when the design was
// changed; « Quitter » still ends the program.
TEST(ClassWindow, ADesignOpensFromTheTableAndClosesBackToIt) {
    enum class Close { Button, CtrlW, Menu, Quit };
    const struct Row {
        const char* name;
        const char* file;
        bool change;
        Close close;
        const char* answer;  // the button that answers the question; none: nothing is asked
        bool back;           // the table shown again, the design window hidden
    } rows[] = {
        {"UnchangedByItsCloseButton", "groupe/tom.ventakar", false, Close::Button, nullptr, true},
        {"TakenBackInPartAsksNothing", "reprise.ventakar", false, Close::CtrlW, nullptr, true},
        {"ChangedAndGivenUp", "groupe/tom.ventakar", true, Close::CtrlW, "Ne pas enregistrer",
         true},
        {"ChangedAndSavedTheRowReadAgain", "lea.ventakar", true, Close::Button, "Enregistrer",
         true},
        {"ChangedAndKeptOpen", "lea.ventakar", true, Close::Menu, "Annuler", false},
        {"QuitStillEndsTheProgram", "lea.ventakar", false, Close::Quit, "Oui", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ClassFolder c;
        c.write("reprise.ventakar",
                design("Inès", R"({"text": "Roue disparue du catalogue", "index": 1})"));
        MainWindow main(/*startWindow=*/false);  // an unanswered start window fails the test
        ASSERT_TRUE(main.isLoaded());
        QPointer<ClassWindow> view = main.openClass(c.dir.path(), /*alone=*/true);
        QSignalSpy scanned(view.data(), &ClassWindow::scanned);
        ASSERT_TRUE(scanned.wait(10000));
        EXPECT_FALSE(main.isVisible());
        // The table as the teacher left it: searched, sorted, on a row.
        view->findChild<QLineEdit*>("search")->setText("ventakar");
        view->table()->sortByColumn(2, Qt::DescendingOrder);
        const int row = column(*view, 2).indexOf(r.file);
        ASSERT_GE(row, 0);
        view->table()->setCurrentIndex(view->table()->model()->index(row, 4));
        bool warned = false;
        if (std::string(r.file) == "reprise.ventakar") answerBox("OK", &warned);
        QTest::keyClick(view->table(), Qt::Key_Return);
        ASSERT_TRUE(main.isVisible());
        EXPECT_EQ(main.designClass(), view.data());
        EXPECT_TRUE(main.findChild<QAction*>("actionCloseDesign")->isVisible());
        if (r.change) driver::pick(*main.designWindow(), "Combo1", 2);
        EXPECT_EQ(main.designWindow()->session().isModified(), r.change);

        bool asked = false;
        if (r.answer) answerBox(r.answer, &asked);
        scanned.clear();
        switch (r.close) {
            case Close::Button:
                main.close();
                break;
            case Close::CtrlW:
                // The offscreen platform leaves the class view active once it was: the keys go
                // to the design's window as the teacher's would.
                QApplication::setActiveWindow(&main);
                ASSERT_EQ(QApplication::activeWindow(), &main);
                QTest::keyClick(main.focusWidget() ? main.focusWidget() : &main, Qt::Key_W,
                                Qt::ControlModifier);
                break;
            case Close::Menu: {
                QAction* close = main.findChild<QAction*>("actionCloseDesign");
                ASSERT_EQ(close->text(), "&Fermer");
                close->trigger();
                break;
            }
            case Close::Quit:
                main.findChild<QAction*>("actionQuit")->trigger();
                break;
        }
        QApplication::processEvents();
        EXPECT_EQ(asked, r.answer != nullptr);
        if (r.close == Close::Quit) {
            EXPECT_FALSE(main.isVisible());
            EXPECT_TRUE(!view || !view->isVisible()) << "the class view ends with the program";
            resetAfterProgramEnd();
            continue;
        }
        EXPECT_EQ(main.isVisible(), !r.back);
        ASSERT_TRUE(view);
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(view->findChild<QLineEdit*>("search")->text(), "ventakar");
        EXPECT_EQ(view->table()->horizontalHeader()->sortIndicatorSection(), 2);
        EXPECT_EQ(view->table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        if (r.back) {
            EXPECT_EQ(main.designClass(), nullptr);
            EXPECT_FALSE(main.designWindow()->session().isModified());
            EXPECT_EQ(main.designWindow()->session().documentPath(), "");
            // Saved: the table reads the folder again, on the same row.
            const bool saved = std::string(r.answer ? r.answer : "") == "Enregistrer";
            if (saved) {
                ASSERT_TRUE(scanned.wait(10000));
            }
            EXPECT_EQ(scanned.size(), saved ? 1 : 0);
            EXPECT_EQ(view->table()->currentIndex().siblingAtColumn(2).data().toString(), r.file);
        } else {
            EXPECT_EQ(main.designClass(), view.data());
            EXPECT_TRUE(main.designWindow()->session().isModified());
        }
        if (view) {
            view->setCloseCheck({});
            delete view.data();
        }
    }
}

// The wrong folder never ends the lesson: another class opens in the same window, from the dialog
// or from the classes opened last; the details panel keeps the height the teacher gave it.
TEST(ClassWindow, AnotherClassOpensInTheSameWindowAndThePanelKeepsItsSize) {
    QSettings().remove("classe");
    ClassFolder c;
    QTemporaryDir wrong;
    auto w = openOver(wrong.path());
    EXPECT_TRUE(w->rows().empty());
    QSignalSpy done(w.get(), &ClassWindow::scanned);
    w->openFolder(c.dir.path());
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(w->rows().size(), 4u);
    EXPECT_TRUE(w->windowTitle().contains(QFileInfo(c.dir.path()).fileName()));
    EXPECT_EQ(ClassWindow::recentClasses(),
              QStringList({QFileInfo(c.dir.path()).absoluteFilePath(),
                           QFileInfo(wrong.path()).absoluteFilePath()}));
    // The wrong one again, from « Classes récentes », its place first.
    auto* recent = w->findChild<QMenu*>("menuRecentClasses");
    ASSERT_NE(recent, nullptr);
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[1]->toolTip(), QFileInfo(wrong.path()).absoluteFilePath());
    recent->actions()[1]->trigger();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(w->rows().empty());
    EXPECT_EQ(ClassWindow::recentClasses().first(), QFileInfo(wrong.path()).absoluteFilePath());
    EXPECT_EQ(w->findChild<QAction*>("actionOpenClass")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));

    auto* splitter = w->findChild<QSplitter*>("detailsSplitter");
    ASSERT_NE(splitter, nullptr);
    splitter->setSizes({200, 400});
    const int given = splitter->sizes()[1];
    w->close();
    w.reset();
    auto again = openOver(c.dir.path());
    EXPECT_EQ(again->findChild<QSplitter*>("detailsSplitter")->sizes()[1], given);
}

}  // namespace

namespace {

// A folder of 20,000 designs (read on every core): the window stays usable, shows its progress with
// « Annuler » once the reading lasts half a second, and Annuler stops it with the rows read so far.
TEST(ClassWindow, ALargeFolderShowsItsProgressAndCanBeStopped) {
    QTemporaryDir dir;
    QByteArray text = design("Élève", R"({"text": "Roue 40 mm", "index": 1})");
    text.chop(2);
    for (int i = 0; i < 20000; ++i) {
        QFile file(dir.filePath(QString("e%1.ventakar").arg(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Two hundred different designs: more than are replayed once for all.
        file.write(text + ", \"clearance\": " + QByteArray::number(1 + i % 50) +
                   ", \"includeBatteryCost\": " + ((i / 50) % 2 ? "true" : "false") +
                   ", \"includeBatteryMass\": " + ((i / 100) % 2 ? "true" : "false") + "}}");
    }
    ClassWindow w(dir.path());
    w.show();
    QSignalSpy done(&w, &ClassWindow::scanned);
    auto* cancel = w.findChild<QPushButton*>("cancelScan");
    auto* progress = w.findChild<QWidget*>("scanProgress");
    ASSERT_TRUE(cancel && progress);
    EXPECT_FALSE(progress->isVisible()) << "not before half a second";
    QTest::qWait(50);
    EXPECT_FALSE(progress->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return cancel->isVisible() || !done.isEmpty(); }, 5000));
    ASSERT_TRUE(done.isEmpty()) << "20,000 designs read in under half a second: nothing to stop";
    EXPECT_TRUE(progress->isVisible());
    w.findChild<QLineEdit*>("search")->setText("x");  // the window answers meanwhile
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(done.wait(5000));
    EXPECT_LT(w.rows().size(), 20000u);
    EXPECT_GT(w.rows().size(), 0u);
    EXPECT_TRUE(w.findChild<QLabel*>("summary")->text().endsWith("(lecture interrompue)"));
    EXPECT_FALSE(cancel->isVisible());
}

}  // namespace

namespace {

// Printed over several A4 landscape pages, the header row stands on each, with the folder, the
// date and the summary on the first.
// Sheets a teacher can carry, judged on the PDF's structure and not on where a font wraps: every
// page under its column headings, every design once and whole on one page (its file name whole,
// on its pupil's line), a full page well filled, a class of 25 on one page in the font asked
// for, nothing cut.
TEST(ClassWindow, PrintedPagesHoldWholeRowsUnderTheirHeadings) {
    const struct {
        int designs;
        int mostPages;       // in Liberation Sans, the font the table asks for
        int mostPagesWider;  // in a wider font standing in for it: rows of two lines
    } classes[] = {{25, 1, 2}, {120, 6, 10}};
    // Cells are never cut: how many rows a page holds follows the font the machine gives.
    QFont asked("Liberation Sans");
    asked.setStyleHint(QFont::SansSerif);
    const bool liberation = QFontInfo(asked).family() == "Liberation Sans";
    for (const auto& c : classes) {
        SCOPED_TRACE(c.designs);
        QTemporaryDir dir;
        for (int i = 0; i < c.designs; ++i) {
            // Some heavier, each its own clearance but a few: the texts of a usual class.
            QByteArray text =
                design(QString("Élève %1 Nom%2").arg(i).arg(i * 7).toUtf8(),
                       i % 6 == 0 ? R"({"text": "Roue 80 mm, tout-terrain", "index": 6})"
                                  : R"({"text": "Roue 40 mm", "index": 1})",
                       i % 9 != 4);
            text.chop(2);
            const QString file = QString("%1/e%2.ventakar")
                                     .arg(i % 2 ? "groupe-b" : "groupe-a")
                                     .arg(i, 3, 10, QChar('0'));
            QDir(dir.path()).mkpath(QFileInfo(dir.filePath(file)).path());
            QFile out(dir.filePath(file));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(text + ", \"clearance\": " + QByteArray::number(1 + i % 40) + "}}");
        }
        auto w = openOver(dir.path());
        QTemporaryDir out;
        ASSERT_TRUE(w->exportPdf(out.filePath("classe.pdf")));
        if (!qEnvironmentVariableIsEmpty("VENTAKAR_TEST_PDF"))
            QFile::copy(out.filePath("classe.pdf"), qEnvironmentVariable("VENTAKAR_TEST_PDF") +
                                                        QString::number(c.designs) + ".pdf");
        const std::vector<PdfWord> words = pdfWords(out.filePath("classe.pdf"));
        int pages = 0;
        for (const PdfWord& word : words) pages = std::max(pages, word.page);
        EXPECT_LE(pages, liberation ? c.mostPages : c.mostPagesWider);
        std::map<int, int> rowsOnPage;
        for (int page = 1; page <= pages; ++page) {
            const auto heading = std::find_if(words.begin(), words.end(), [&](const PdfWord& x) {
                return x.page == page && x.text == "Élève";
            });
            EXPECT_NE(heading, words.end()) << "the headings on page " << page;
        }
        for (int i = 0; i < c.designs; ++i) {
            const QString name = QString("e%1.ventakar").arg(i, 3, 10, QChar('0'));
            // In the « Fichier » column (the name may stand again among the identical designs).
            std::vector<PdfWord> found;
            for (const PdfWord& word : words) {
                const auto heading = std::find_if(
                    words.begin(), words.end(),
                    [&](const PdfWord& x) { return x.page == word.page && x.text == "Fichier"; });
                if (heading == words.end() || std::abs(word.x - heading->x) > 2) continue;
                if (word.text == name || word.text.endsWith("/" + name)) found.push_back(word);
            }
            ASSERT_EQ(found.size(), 1u) << name.toStdString() << " whole, once";
            const QString pupil = QString("Nom%1").arg(i * 7);
            const auto line = std::find_if(words.begin(), words.end(),
                                           [&](const PdfWord& x) { return x.text == pupil; });
            ASSERT_NE(line, words.end()) << pupil.toStdString();
            EXPECT_EQ(line->page, found[0].page) << "a row never split across pages";
            EXPECT_LT(std::abs(line->y - found[0].y), 12) << "the file beside its pupil";
            ++rowsOnPage[found[0].page];
        }
        // Full pages but the last two, which share their rows: never a row alone at the end.
        for (const auto& [page, rows] : rowsOnPage) {
            // (In a wider font the page count above says how well the pages are filled.)
            if (page < pages - 1 && liberation) {
                EXPECT_GE(rows, 20) << "page " << page;
            }
        }
        if (pages > 1) {
            EXPECT_GE(2 * rowsOnPage[pages], rowsOnPage[pages - 1]) << "the last two balanced";
        }
        // No text cut short.
        for (const PdfWord& word : words)
            EXPECT_FALSE(word.text.endsWith("…")) << word.text.toStdString();
        // The footer (the title again, the lowest line) stands alone: no row runs into it.
        for (int page = 1; page <= pages; ++page) {
            double footer = 0;
            for (const PdfWord& x : words)
                if (x.page == page && x.text == "Classe") footer = std::max(footer, x.y);
            for (const PdfWord& x : words) {
                if (x.page != page || std::abs(x.y - footer) < 0.5) continue;
                EXPECT_LT(x.y, footer - 9)
                    << x.text.toStdString() << " over the footer, page " << page;
            }
        }
        EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const PdfWord& x) {
            return x.page == 1 && x.text == "conceptions";
        }));
    }
}

}  // namespace

namespace {

// « Commande… » orders for every « Conforme » design, or for the rows selected; its grand total is
// the designs' prices with their batteries counted.
TEST(ClassWindow, TheOrderIsForTheConformingOrTheSelectedDesigns) {
    ClassFolder c;
    auto w = openOver(c.dir.path());
    long long prices = 0;
    for (const DesignRow& row : w->rows())
        if (row.state == DesignState::Conforme) prices += toCents(*row.priceWithBatteries);
    const long long conforming = w->order().parts.grandTotalCents;
    EXPECT_EQ(conforming, prices);
    QString total;
    whenModalAppears([&](QWidget* modal) {
        auto* table = modal->findChild<QTableWidget*>("partsTable");
        ASSERT_NE(table, nullptr);
        const int last = table->rowCount() - 1;
        total = table->item(last, 2)->text() + " " + table->item(last, 6)->text();
        // Return in the table prints nothing: the dialog stays, no print dialog comes.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Return);
        EXPECT_TRUE(modal->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), modal);
        // Each supplier's subtotal stands right after its last item.
        QString supplier;
        for (int r = 0; r < last; ++r) {
            const QString words = table->item(r, 2)->text();
            if (words.startsWith("Sous-total ")) {
                EXPECT_EQ(words, "Sous-total " + supplier);
                supplier.clear();
                continue;
            }
            EXPECT_TRUE(supplier.isEmpty() || supplier == table->item(r, 0)->text())
                << "no subtotal before " << table->item(r, 0)->text().toStdString();
            supplier = table->item(r, 0)->text();
        }
        EXPECT_TRUE(supplier.isEmpty()) << "no subtotal after the last supplier";
        // Its PDF never replaces a design.
        QString refused;
        whenModalAppears([&](QWidget* box) {
            refused = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        EXPECT_FALSE(
            qobject_cast<PartsListDialog*>(modal)->exportPdf(c.dir.filePath("lea.ventakar")));
        EXPECT_TRUE(refused.contains("c'est une conception VENTAKAR")) << refused.toStdString();
        static_cast<QDialog*>(modal)->reject();
    });
    w->findChild<QAction*>("actionOrder")->trigger();
    EXPECT_TRUE(total.startsWith("Total général ")) << total.toStdString();
}

// The order the teacher means: every « Conforme » design shown by default, one selected row
// being no choice; a selection of several rows, its non-conforming designs kept or left out as
// answered; a pupil's identical designs once; the designs and pupils named with it.
TEST(ClassWindow, TheOrderIsWhatTheTeacherMeans) {
    const struct Row {
        const char* name;
        const char* search;
        std::vector<const char*> selected;
        const char* answer;  // to « … ne sont pas « Conforme » » ; none: nothing asked
        std::vector<const char*> ordered;
        const char* note;  // in the notes the order carries
    } rows[] = {
        {"EveryConformingDesignShown",
         "",
         {},
         nullptr,
         {"copie.ventakar", "groupe/tom.ventakar"},
         "Conceptions commandées (2) : Léa Martin (copie.ventakar) et Tom Petit"},
        {"AfterTheSearch", "tom", {}, nullptr, {"groupe/tom.ventakar"}, "(1) : Tom Petit"},
        {"OneSelectedRowIsNoChoice",
         "",
         {"groupe/zoe.ventakar"},
         nullptr,
         {"copie.ventakar", "groupe/tom.ventakar"},
         "Conceptions commandées (2)"},
        {"ASelectionWithTheUnfinishedKept",
         "",
         {"groupe/tom.ventakar", "groupe/zoe.ventakar"},
         "Garder",
         {"groupe/tom.ventakar", "groupe/zoe.ventakar"},
         "Commandées bien que non conformes : Zoé (groupe/zoe.ventakar) : Incomplète"},
        {"ASelectionWithTheUnfinishedLeftOut",
         "",
         {"groupe/tom.ventakar", "groupe/zoe.ventakar"},
         "Les laisser de côté",
         {"groupe/tom.ventakar"},
         "(1) : Tom Petit"},
        {"APupilsIdenticalDesignsOnce",
         "",
         {"copie.ventakar", "lea.ventakar"},
         nullptr,
         {"copie.ventakar"},
         "Conceptions identiques de Léa Martin, commandées une fois : copie.ventakar et "
         "lea.ventakar"},
    };
    ClassFolder c;
    c.write("copie.ventakar", design("Léa Martin", R"({"text": "Roue 40 mm", "index": 1})"));
    auto w = openOver(c.dir.path());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        w->findChild<QLineEdit*>("search")->setText(r.search);
        w->table()->clearSelection();
        for (const char* file : r.selected)
            w->table()->selectionModel()->select(
                w->table()->model()->index(column(*w, 2).indexOf(file), 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QStringList files;
        QString notes, asked;
        const auto readDialog = [&](QWidget* modal) {
            auto* list = qobject_cast<PartsListDialog*>(modal);
            ASSERT_NE(list, nullptr) << modalText(modal).toStdString();
            auto* label = modal->findChild<QLabel*>("partsNotes");
            ASSERT_NE(label, nullptr);
            notes = label->text();
            static_cast<QDialog*>(modal)->reject();
        };
        if (r.answer) {
            whenModalAppears([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                ASSERT_NE(box, nullptr) << modalText(modal).toStdString();
                asked = modalText(box);
                whenModalAppears(readDialog);
                for (QAbstractButton* b : box->buttons())
                    if (b->text().remove('&') == r.answer) b->click();
            });
        } else {
            whenModalAppears(readDialog);
        }
        w->findChild<QAction*>("actionOrder")->trigger();
        EXPECT_EQ(!asked.isEmpty(), r.answer != nullptr) << asked.toStdString();
        if (r.answer) {
            EXPECT_TRUE(asked.contains("Zoé (groupe/zoe.ventakar) : Incomplète"));
        }
        const ClassOrder order = w->order(std::string(r.answer ? r.answer : "") == "Garder");
        for (const DesignRow* row : order.designs) files << QString::fromStdString(row->file);
        QStringList expected;
        for (const char* file : r.ordered) expected << file;
        EXPECT_EQ(files, expected);
        EXPECT_TRUE(notes.contains(QString::fromUtf8(r.note))) << notes.toStdString();
        // The order's CSV carries the same notes under its table.
        const std::string csv = partsCsv(order.parts);
        EXPECT_NE(csv.find("Conceptions commandées"), std::string::npos);
    }
    // The unfinished design kept in an order: only its chosen steps' parts.
    const auto zoe = std::find_if(w->rows().begin(), w->rows().end(),
                                  [](const DesignRow& row) { return row.pupil == "Zoé"; });
    ASSERT_NE(zoe, w->rows().end());
    const ClassOrder alone = classOrder({&*zoe}, OrderScope::Selection);
    for (const PartLine& line : alone.parts.lines) EXPECT_EQ(line.designs, 1);
    EXPECT_EQ(alone.parts.lines.size(), 7u) << "steps 1 to 7 chosen: no mounting, no material";
}

}  // namespace

namespace {

// « Fichier → Liste des pièces… »: the open design's parts, its total the design's price with its
// batteries counted.
TEST(ClassWindow, TheOpenDesignsPartsList) {
    ClassFolder c;
    closeStartWindowSoon();
    MainWindow main;
    ASSERT_TRUE(main.isLoaded());
    ASSERT_TRUE(main.openDesign(c.dir.filePath("lea.ventakar")));
    const DesignRow row = scanDesignFile(c.dir.filePath("lea.ventakar").toStdString(), ",");
    QStringList total;
    QString subject;
    whenModalAppears([&](QWidget* modal) {
        auto* table = modal->findChild<QTableWidget*>("partsTable");
        ASSERT_NE(table, nullptr);
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 2)->text() == "Total général") total << table->item(r, 6)->text();
        subject = modal->findChild<QLabel*>("partsSubject")->text();
        static_cast<QDialog*>(modal)->reject();
    });
    main.findChild<QAction*>("actionPartsList")->trigger();
    ASSERT_EQ(total.size(), 1);
    EXPECT_EQ(total.first(), QString::fromStdString(
                                 formatMoney(*row.priceWithBatteries, systemDecimalSeparator())));
    EXPECT_TRUE(subject.endsWith("lea.ventakar"));
}

}  // namespace

namespace {

// A hand-in folder as the teacher collects it: each pupil's latest hand-in, the earlier ones in
// its details, « Non rendu » for the listed pupils with nothing, « En retard » after the due date
// set for the folder, counted in the summary; a pupil with nothing opens nothing.
TEST(ClassWindow, AHandInFolderShowsTheLatestTheLateAndTheMissing) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("remise");
    QDir().mkpath(folder);
    DesignChoices choices;
    choices.lists["Combo1"] = {"Hélice bipale 100 mm", 0};
    const long long afternoon = QDateTime(QDate(2026, 12, 9), QTime(14, 5)).toSecsSinceEpoch();
    const std::string where = folder.toStdString();
    handInDesign(where, choices, {"Léa Martin", "5e B"}, afternoon);
    const HandIn latest = handInDesign(where, choices, {"Léa Martin", "5e B"}, afternoon + 3600);
    handInDesign(where, choices, {"Tom", "5e B"}, afternoon + 4 * 3600);
    QFile list(dir.filePath("eleves.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Élève;Classe\nLéa Martin;5e B\nTom;5e B\nNina;5e B\n");
    list.close();
    setClassListOf(folder, list.fileName());
    setDueDateOf(folder, "2026-12-09T17:00:00");
    auto w = openOver(folder);
    setClassListOf(folder, {});
    setDueDateOf(folder, {});
    ASSERT_EQ(w->rows().size(), 3u);
    QStringList states = column(*w, 16);
    states.sort();
    EXPECT_EQ(states, QStringList({"En retard", "Non rendu", "À l'heure"}));
    const QString summary = w->findChild<QLabel*>("summary")->text();
    EXPECT_TRUE(summary.contains("remise : 1 à l'heure, 1 en retard, 1 non rendue"))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains("Date limite : 2026-12-09 17:00")) << summary.toStdString();
    QSignalSpy opened(w.get(), &ClassWindow::openDesignRequested);
    const QStringList pupils = column(*w, 0);
    for (int r = 0; r < pupils.size(); ++r) {
        w->table()->setCurrentIndex(w->table()->model()->index(r, 0));
        const QString details = w->findChild<QPlainTextEdit*>()->toPlainText();
        if (pupils[r] == "Léa Martin") {
            EXPECT_TRUE(details.contains(QString::fromStdString("Fichier : " + latest.relative)))
                << details.toStdString();
            EXPECT_TRUE(details.contains("Versions précédentes : 5e B/Léa Martin — "))
                << details.toStdString();
        }
        if (pupils[r] == "Nina") {
            QTest::keyClick(w->table(), Qt::Key_Return);
            EXPECT_EQ(opened.count(), 0) << "nothing to open for a pupil with nothing";
        }
    }
}

}  // namespace

namespace {

// The teacher reads, in a design's details, the cheapest change that would make it conform.
TEST(ClassWindow, TheDetailsOfADesignThatFailsSayWhatWouldDo) {
    QTemporaryDir dir;
    QFile design(dir.filePath("limite.ventakar"));
    ASSERT_TRUE(design.open(QIODevice::WriteOnly));
    design.write(kAtThePriceLimit);

    design.close();
    auto w = openOver(dir.path());
    ASSERT_EQ(w->rows().size(), 1u);
    w->table()->setCurrentIndex(w->table()->model()->index(0, 1));
    const QString details = w->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(details.contains(
        "Il suffirait de : Alimentation : Panneau solaire 6 V, grand format → Coupleur 2 piles AA"))
        << details.toStdString();
    // The column, searched in the background for every row, and in the CSV as on the screen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->rows()[0].fixSearched; }, 60000));
    const QString cell = w->table()->model()->index(0, kFixColumn).data().toString();
    EXPECT_TRUE(cell.startsWith("Alimentation : ")) << cell.toStdString();
    const QString csv = dir.filePath("classe.csv");
    ASSERT_TRUE(w->exportCsv(csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(text.contains(";Il suffirait de\r\n")) << text.toStdString();
    EXPECT_TRUE(
        text.contains(";Alimentation : Panneau solaire 6 V, grand format → Coupleur 2 piles AA"))
        << text.toStdString();
}

}  // namespace
