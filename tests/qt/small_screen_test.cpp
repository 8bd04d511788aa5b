#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "modal_helper.h"
#include "qt/app/main_window.h"
#include "qt/classroom/class_window.h"
#include "qt/design/design_window.h"
#include "window/twips.h"

namespace {

// Where a control stands on the surface, in twips: its own place plus its frames'.
QRect twipsOnSurface(const DesignRecord& record, const Control& control) {
    Geometry g = control.geometry;
    for (const Control* c = &control; !c->parent.empty();) {
        c = &record[c->parent];
        g.left += c->geometry.left;
        g.top += c->geometry.top;
    }
    return QRect(g.left, g.top, g.width, g.height);
}

// The point of a control at the surface's scale, found as a pupil would see it.
QPoint scaledPoint(const DesignRecord& record, const char* name, double scale, double fx,
                   double fy) {
    const QRect t = twipsOnSurface(record, record[name]);
    return QPoint(qRound(toPixels(t.left() + int(t.width() * fx)) * scale),
                  qRound(toPixels(t.top() + int(t.height() * fy)) * scale));
}

// Runs on a small screen only (the System.SmallScreen test, under Xvfb at 1366 x 768).
class SmallScreen : public testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VENTAKAR_SMALL_SCREEN"))
            GTEST_SKIP() << "run by System.SmallScreen on a 1366 x 768 screen";
        QSettings().clear();
    }
};

TEST_F(SmallScreen, TheWholeSurfaceIsVisibleAndADesignIsMadeByClicksAtItsScale) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(screen.width(), 1440);
    closeStartWindowSoon();
    MainWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    DesignWindow& design = *w.designWindow();
    const double scale = design.scale();
    EXPECT_LT(scale, 1.0);
    EXPECT_TRUE(w.findChild<QAction*>("actionFitScreen")->isChecked());

    // Whole, without scroll bars.
    QWidget* surface = design.findChild<QWidget*>("Sélection");
    EXPECT_LE(w.width(), screen.width());
    EXPECT_LE(w.height(), screen.height());
    auto* area = design.findChild<QScrollArea*>();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_LE(surface->width(), area->viewport()->width());
    EXPECT_LE(surface->height(), area->viewport()->height());

    const DesignRecord& record = design.session().record();
    auto clickAt = [&](const char* name, double fx, double fy) -> QWidget* {
        const QPoint at = scaledPoint(record, name, scale, fx, fy);
        QWidget* hit = surface->childAt(at);
        EXPECT_NE(hit, nullptr) << name;
        if (!hit) return nullptr;
        QWidget* control = hit;
        while (control && control->objectName() != name) control = control->parentWidget();
        EXPECT_NE(control, nullptr) << name << " is not under its scaled place";
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(surface, at));
        return control;
    };
    auto pick = [&](const char* list, int item) {
        auto* combo = qobject_cast<QComboBox*>(clickAt(list, 0.95, 0.5));  // its arrow
        ASSERT_NE(combo, nullptr);
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(view->isVisible()) << list << " opened";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        // An open list takes no release for a moment, so that the opening click picks nothing.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect rect = view->visualRect(view->model()->index(item, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        EXPECT_EQ(record[list].chosenItem, item) << list;
    };
    for (const char* list : {"Combo1", "Combo2", "Combo3", "Combo4"}) pick(list, 0);
    for (const char* list : {"Combo5", "Combo6", "Combo7"}) pick(list, 1);
    for (const char* option : {"Option1", "Option3", "Option5"}) {
        clickAt(option, 0.02, 0.5);
        EXPECT_TRUE(record[option].selected) << option;
    }
    for (const char* list : {"Combo8", "Combo9", "Combo10", "Combo11"}) pick(list, 0);
    EXPECT_EQ(record["Picture9"].pictureFile, "Data/Oui.jpg");
    EXPECT_TRUE(design.findChild<QPushButton*>("Command1")->isEnabled());

    // Pictures are drawn at the surface's scale, not cut or left at their own size.
    auto* verdict = design.findChild<QLabel*>("Picture9");
    const QSize natural = QImage("Data/Oui.jpg").size();
    auto shownSize = [&] { return verdict->pixmap().deviceIndependentSize(); };
    EXPECT_NEAR(shownSize().width(), natural.width() * scale, 1.5);
    EXPECT_NEAR(shownSize().height(), natural.height() * scale, 1.5);

    // Real size on demand: the surface at 1440 x 830, scrolled; remembered for the next start.
    w.findChild<QAction*>("actionRealSize")->trigger();
    EXPECT_EQ(surface->size(), QSize(1440, 830));
    EXPECT_FALSE(QSettings().value("view/fitToScreen").toBool());
    EXPECT_EQ(record["Picture9"].pictureFile, "Data/Oui.jpg") << "the design stays";
    EXPECT_EQ(shownSize(), QSizeF(natural));

    closeStartWindowSoon();
    MainWindow next;
    ASSERT_TRUE(next.isLoaded());
    next.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
    EXPECT_TRUE(next.findChild<QAction*>("actionRealSize")->isChecked());
    EXPECT_FALSE(next.findChild<QAction*>("actionFitScreen")->isChecked());
    EXPECT_EQ(next.designWindow()->scale(), 1.0);
    next.findChild<QAction*>("actionFitScreen")->trigger();
    EXPECT_DOUBLE_EQ(next.designWindow()->scale(), scale);
    EXPECT_TRUE(QSettings().value("view/fitToScreen").toBool());
}

}  // namespace

namespace {

// On a school laptop's 1366 x 768: the class window opens within the screen and, maximised, shows
// for every row who, what state and why, with the mass and price, without scrolling sideways;
// « Comparer » fits the screen with both designs whole.
TEST_F(SmallScreen, TheClassWindowShowsWhoStateAndWhyAtAGlance) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_LT(screen.width(), 1440);
    QTemporaryDir dir;
    for (const char* name : {"lea.ventakar", "tom.ventakar"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "ventakar-conception", "version": 1,
            "pupil": {"name": "Léa Martin-Dupont et Tom Petit", "class": "5e B"},
            "choices": {"propeller": {"text": "Hélice bipale 100 mm", "index": 0}}})");
    }
    ClassWindow w(dir.path());
    QSignalSpy done(&w, &ClassWindow::scanned);
    w.show();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_LE(w.frameGeometry().width(), screen.width());
    EXPECT_LE(w.frameGeometry().height(), screen.height());
    w.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    QTableView* table = w.table();
    const int room = table->viewport()->width();
    for (int column : {0, 1, 4, 10, 6, 7}) {
        const int left = table->columnViewportPosition(column);
        EXPECT_GE(left, 0) << column;
        EXPECT_LE(left + table->columnWidth(column), room)
            << table->model()->headerData(column, Qt::Horizontal).toString().toStdString();
    }
    EXPECT_EQ(table->horizontalScrollBar()->value(), 0);

    table->selectAll();
    bool fits = false;
    whenModalAppears([&](QWidget* modal) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(modal));
        fits = modal->frameGeometry().width() <= screen.width() &&
               modal->frameGeometry().height() <= screen.height();
        auto* compared = modal->findChild<QTableWidget*>("comparisonTable");
        EXPECT_NE(compared, nullptr);
        if (compared) {
            EXPECT_LE(compared->columnViewportPosition(2) + compared->columnWidth(2),
                      compared->viewport()->width());
        }
        static_cast<QDialog*>(modal)->reject();
    });
    w.compareSelected();
    EXPECT_TRUE(fits);
}

}  // namespace
