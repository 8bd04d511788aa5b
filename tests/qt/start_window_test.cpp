#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "qt/start_window.h"

namespace {

struct ClosingCase {
    const char* name;
    std::function<void(StartWindow&)> act;
    bool closes;
};

TEST(StartWindow, ClosesOnAControlClickOrATypedKeyOnly) {
    const auto clickOn = [](const char* control) {
        return [control](StartWindow& w) {
            QWidget* target = w.findChild<QWidget*>(control);
            ASSERT_NE(target, nullptr) << control;
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        };
    };
    const auto key = [](Qt::Key k) { return [k](StartWindow& w) { QTest::keyClick(&w, k); }; };
    const ClosingCase cases[] = {
        {"ArrowKey", key(Qt::Key_Left), false},
        {"FunctionKey", key(Qt::Key_F1), false},
        {"ShiftAlone", key(Qt::Key_Shift), false},
        {"MarginOutsideFrame",
         [](StartWindow& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(3, 100)); }, false},
        {"Space", key(Qt::Key_Space), true},
        {"Enter", key(Qt::Key_Return), true},
        {"Escape", key(Qt::Key_Escape), true},
        {"Letter", key(Qt::Key_A), true},
        {"Frame1", clickOn("Frame1"), true},
        {"Image2", clickOn("Image2"), true},
        {"lblVersion", clickOn("lblVersion"), true},
        {"lblCompany", clickOn("lblCompany"), true},
        {"Label1", clickOn("Label1"), true},
        {"Label2", clickOn("Label2"), true},
        {"Label3", clickOn("Label3"), true},
        {"Label4", clickOn("Label4"), true},
    };
    for (const ClosingCase& c : cases) {
        StartWindow window;
        window.show();
        c.act(window);
        EXPECT_EQ(window.isVisible(), !c.closes) << c.name;
    }
}

TEST(StartWindow, FixedContent) {
    StartWindow window;
    EXPECT_EQ(window.size(), QSize(300, 222));
    EXPECT_TRUE(window.windowTitle().isEmpty());
    EXPECT_EQ(window.findChild<QLabel*>("lblVersion")->text(), "  Version 1.0 ");
    EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), "Cliquer pour continuer");
    EXPECT_TRUE(window.findChild<QLabel*>("Label4")->text().startsWith("Contact : "));
    EXPECT_EQ(window.findChild<QWidget*>("lblCompany")->geometry(), QRect(16, 104, 257, 25));
    EXPECT_FALSE(window.findChild<QLabel*>("Image2")->pixmap().isNull());
}

}  // namespace
