#include <gtest/gtest.h>

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>

#include "modal_helper.h"
#include "window_driver.h"

namespace {

// A window with step 1 answered by its first item.
struct StepOneAnswered {
    StepOneAnswered() {
        w.resize(700, 500);         // smaller than the surface: the window scrolls
        if (!w.isLoaded()) return;  // each test asserts it before touching a widget
        w.show();
        QApplication::setActiveWindow(&w);
        driver::pick(w, "Combo1", 0);
        combo = w.findChild<QComboBox*>("Combo1");
    }
    bool startWindowAnswered = (closeStartWindowSoon(), true);
    DesignWindow w;
    QComboBox* combo = nullptr;
};

// Types text as a keyboard does, one key a character, accents included.
void typeText(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(
            QEvent::KeyPress,
            c.isLetterOrNumber() && c.unicode() < 128 ? QChar(c).toUpper().unicode() : 0,
            Qt::NoModifier, QString(c));
        QSpontaneKeyEvent::setSpontaneous(&press);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &release);
    }
}

struct TypingCase {
    const char* name;
    const char* typed;
    std::function<void(StepOneAnswered&)> then;
    bool leaves = false;  // the focus leaves the list: its chosen item shows again
};

const TypingCase kTyping[] = {
    {"OtherItemThenReturn", "Hélice bipale 250 mm",
     [](StepOneAnswered& s) { QTest::keyClick(s.combo, Qt::Key_Return); }},
    {"OtherItemThenEnter", "Hélice bipale 250 mm",
     [](StepOneAnswered& s) { QTest::keyClick(s.combo, Qt::Key_Enter); }},
    {"OtherItemThenFocusLeaves", "Hélice bipale 250 mm",
     [](StepOneAnswered& s) {
         auto* other = s.w.findChild<QPushButton*>("Command3");
         other->setFocus(Qt::TabFocusReason);
         QApplication::processEvents();
     },
     true},
    {"OtherItemThenTab", "Hélice bipale 250 mm",
     [](StepOneAnswered& s) {
         QTest::keyClick(s.combo, Qt::Key_Tab);
         QApplication::processEvents();
     },
     true},
    {"FreeTextThenTab", "xyz",
     [](StepOneAnswered& s) {
         QTest::keyClick(s.combo, Qt::Key_Tab);
         QApplication::processEvents();
     },
     true},
    {"CompletedPrefixThenReturn", "Hélice bipale 2",
     [](StepOneAnswered& s) { QTest::keyClick(s.combo, Qt::Key_Return); }},
    {"LowerCaseThenReturn", "hélice bipale 250 mm",
     [](StepOneAnswered& s) { QTest::keyClick(s.combo, Qt::Key_Return); }},
    {"FreeTextThenReturn", "Ma propre hélice",
     [](StepOneAnswered& s) { QTest::keyClick(s.combo, Qt::Key_Return); }},
};

class TypingIntoAList : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingIntoAList, ChangesItsTextAndNothingElse) {
    const TypingCase& row = GetParam();
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->setFocus(Qt::TabFocusReason);
    s.combo->lineEdit()->selectAll();
    typeText(s.combo, QString::fromUtf8(row.typed));
    const QString typed = s.combo->currentText();
    EXPECT_TRUE(typed.startsWith(QString::fromUtf8(row.typed)));
    DesignRecord expected = s.w.session().record();
    row.then(s);
    // Typed text that picked nothing does not stay once the pupil leaves the list.
    const QString shown = row.leaves ? QString("Hélice bipale 100 mm") : typed;
    EXPECT_EQ(s.combo->currentText(), shown);
    expected["Combo1"].text = shown.toStdString();
    EXPECT_TRUE(s.w.session().record() == expected)
        << "record text: " << s.w.session().record().text("Combo1");
    EXPECT_EQ(s.w.session().record().text("Text2"), "100");  // still the first propeller
    EXPECT_EQ(s.w.session().record().text("Combo1"), shown.toStdString());
}

// A list that takes the focus from the keyboard shows its chosen item from its start, not its
// end (« oipale 125 mm »), and so does an item picked with the arrows.
TEST(ListPicks, AFocusedListShowsItsItemFromItsStart) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->resize(60, s.combo->height());  // narrower than its item
    s.w.findChild<QPushButton*>("Command3")->setFocus(Qt::TabFocusReason);
    s.combo->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(s.combo->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(s.combo->lineEdit()->selectedText(), s.combo->currentText()) << "still all selected";
    QTest::keyClick(s.combo, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(s.combo->currentText(), "Hélice bipale 125 mm");
    EXPECT_EQ(s.combo->lineEdit()->cursorPosition(), 0);
}

INSTANTIATE_TEST_SUITE_P(Window, TypingIntoAList, ::testing::ValuesIn(kTyping),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ListPicks, TheArrowKeysOnTheListArePicks) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(s.combo, Qt::Key_Down);
    EXPECT_EQ(s.w.session().record().text("Text2"), "125");
    QTest::keyClick(s.combo, Qt::Key_Up);
    EXPECT_EQ(s.w.session().record().text("Text2"), "100");
}

TEST(ListPicks, AnItemTakenFromTheOpenListWithTheKeyboardIsAPick) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->setFocus(Qt::TabFocusReason);
    s.combo->showPopup();
    QTest::keyClick(s.combo->view(), Qt::Key_Down);
    QTest::keyClick(s.combo->view(), Qt::Key_Return);
    EXPECT_EQ(s.w.session().record().text("Text2"), "125");
}

void wheelOver(QWidget* target, int notches) {
    const QPoint at(target->width() / 2, target->height() / 2);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(
        &wheel);  // as from the mouse: an ignored wheel goes to the parents
    QApplication::sendEvent(target, &wheel);
}

TEST(Wheel, OverAListWithoutTheFocusScrollsTheWindowAndChoosesNothing) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.w.findChild<QPushButton*>("Command3")->setFocus();
    auto* area = s.w.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    const DesignRecord before = s.w.session().record();
    const int scrolled = area->verticalScrollBar()->value();
    ASSERT_GT(area->verticalScrollBar()->maximum(), 0) << s.w.width() << "x" << s.w.height();
    for (int i = 0; i < 3; ++i) wheelOver(s.combo, 1);
    EXPECT_TRUE(s.w.session().record() == before);
    EXPECT_EQ(s.combo->currentText(), "Hélice bipale 100 mm");
    EXPECT_GT(area->verticalScrollBar()->value(), scrolled);
    EXPECT_FALSE(s.combo->hasFocus());
}

TEST(Wheel, OverTheClearanceBarWithoutTheFocusLeavesTheClearance) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    auto* bar = s.w.findChild<QScrollBar*>("VScroll1");
    s.w.findChild<QPushButton*>("Command3")->setFocus();
    const DesignRecord before = s.w.session().record();
    wheelOver(bar, 3);
    EXPECT_TRUE(s.w.session().record() == before);
    EXPECT_EQ(bar->value(), 5);
}

TEST(Wheel, OverTheListThatHasTheFocusIsAPick) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->setFocus(Qt::TabFocusReason);
    wheelOver(s.combo, 1);
    EXPECT_EQ(s.w.session().record().text("Text2"), "125");
}

}  // namespace
