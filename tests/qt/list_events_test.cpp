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
    const char* diameter;  // the propeller the design holds afterwards
    const char* shown;     // the list's text afterwards
};

void press(StepOneAnswered& s, Qt::Key key) {
    QTest::keyClick(s.combo, key);
    QApplication::processEvents();
}

// Typed text either names an item, and picks it as a click would, or gives way to the chosen item
// once Return, Enter, Escape or Tab ends it or the focus leaves: the list never shows an item the
// design does not hold.
const TypingCase kTyping[] = {
    {"ExactItemPicksIt", "Hélice bipale 250 mm", [](StepOneAnswered&) {}, "250",
     "Hélice bipale 250 mm"},
    {"ExactItemThenReturnKeepsIt", "Hélice bipale 250 mm",
     [](StepOneAnswered& s) { press(s, Qt::Key_Return); }, "250", "Hélice bipale 250 mm"},
    {"ItemWithoutCaseOrAccentsPicksIt", "HELICE bipale 250 mm", [](StepOneAnswered&) {}, "250",
     "Hélice bipale 250 mm"},
    {"PrefixThenReturnGoesBack", "Hélice bipale 2",
     [](StepOneAnswered& s) { press(s, Qt::Key_Return); }, "100", "Hélice bipale 100 mm"},
    {"PrefixThenEnterGoesBack", "Hélice t", [](StepOneAnswered& s) { press(s, Qt::Key_Enter); },
     "100", "Hélice bipale 100 mm"},
    {"PrefixThenEscapeGoesBack", "Hélice t", [](StepOneAnswered& s) { press(s, Qt::Key_Escape); },
     "100", "Hélice bipale 100 mm"},
    {"PrefixIsNoCompletedItem", "Hélice t", [](StepOneAnswered&) {}, "100", "Hélice t"},
    {"FreeTextThenTabGoesBack", "xyz", [](StepOneAnswered& s) { press(s, Qt::Key_Tab); }, "100",
     "Hélice bipale 100 mm"},
    {"FreeTextThenFocusLeavesGoesBack", "Ma propre hélice",
     [](StepOneAnswered& s) {
         s.w.findChild<QPushButton*>("Command3")->setFocus(Qt::TabFocusReason);
         QApplication::processEvents();
     },
     "100", "Hélice bipale 100 mm"},
    {"AltLetterTypesNothing", "",
     [](StepOneAnswered& s) {
         QTest::keyClick(s.combo, Qt::Key_E, Qt::AltModifier);
         QApplication::processEvents();
     },
     "100", "Hélice bipale 100 mm"},
};

class TypingIntoAList : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingIntoAList, PicksTheItemItNamesOrGoesBack) {
    const TypingCase& row = GetParam();
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    s.combo->setFocus(Qt::TabFocusReason);
    s.combo->lineEdit()->selectAll();
    typeText(s.combo, QString::fromUtf8(row.typed));
    row.then(s);
    QApplication::processEvents();
    const DesignRecord& record = s.w.session().record();
    EXPECT_EQ(record.text("Text2"), row.diameter);
    EXPECT_EQ(s.combo->currentText(), QString::fromUtf8(row.shown));
    EXPECT_EQ(record.text("Combo1"), row.shown);
    const int chosen = record["Combo1"].chosenItem;
    EXPECT_EQ(s.combo->currentIndex(), chosen) << "the arrows move from the item shown";
    EXPECT_EQ(QString::fromStdString(record["Combo1"].items[chosen].text),
              row.diameter == std::string("100") ? "Hélice bipale 100 mm" : "Hélice bipale 250 mm");
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

// However the third propeller came to be chosen, Down and Up move from it.
struct ThirdItemChosen {
    const char* name;
    std::function<void(DesignWindow&)> choose;
};

const ThirdItemChosen kThirdChosen[] = {
    {"ByTheComparisonsChoice",  // « Choisir » picks through the session, not the widget
     [](DesignWindow& w) { w.forward([&] { w.session().listChosen("Combo1", 2); }); }},
    {"ByOpeningAFile",
     [](DesignWindow& w) {
         w.forward([&] { w.session().listChosen("Combo1", 2); });
         const std::string saved = w.session().designText();
         w.forward([&] {
             ASSERT_TRUE(w.session().newDesign());
             ASSERT_EQ(w.session().openDesign(saved, "/tmp/trois.ventakar"), OpenResult::Opened);
         });
     }},
    {"ByAnUndo",
     [](DesignWindow& w) {
         driver::pick(w, "Combo1", 2);
         driver::pick(w, "Combo1", 4);
         w.forward([&] { w.session().undo(); });
     }},
    {"ByTypingItsName",
     [](DesignWindow& w) {
         auto* combo = w.findChild<QComboBox*>("Combo1");
         combo->setFocus(Qt::TabFocusReason);
         combo->lineEdit()->selectAll();
         typeText(combo, combo->itemText(2));
     }},
};

class ArrowsAfterAChoice : public ::testing::TestWithParam<ThirdItemChosen> {};

TEST_P(ArrowsAfterAChoice, MoveFromTheItemShown) {
    StepOneAnswered s;
    ASSERT_TRUE(s.w.isLoaded());
    GetParam().choose(s.w);
    s.combo = s.w.findChild<QComboBox*>("Combo1");
    ASSERT_EQ(s.w.session().record()["Combo1"].chosenItem, 2);
    ASSERT_EQ(s.combo->currentText(), s.combo->itemText(2));
    s.combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(s.combo, Qt::Key_Down);
    EXPECT_EQ(s.w.session().record()["Combo1"].chosenItem, 3);
    QTest::keyClick(s.combo, Qt::Key_Up);
    QTest::keyClick(s.combo, Qt::Key_Up);
    EXPECT_EQ(s.w.session().record()["Combo1"].chosenItem, 1);
    EXPECT_EQ(s.combo->currentText(), s.combo->itemText(1));
}

INSTANTIATE_TEST_SUITE_P(Window, ArrowsAfterAChoice, ::testing::ValuesIn(kThirdChosen),
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
