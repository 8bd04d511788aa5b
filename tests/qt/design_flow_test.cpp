#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/temp_data_dir.h"

namespace {

// Picks an item the way a user does: the list's activated signal.
void pick(DesignWindow& w, const char* list, int index) {
    auto* combo = w.findChild<QComboBox*>(list);
    ASSERT_NE(combo, nullptr) << list;
    ASSERT_TRUE(combo->isEnabled()) << list;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void click(DesignWindow& w, const char* option) {
    auto* button = w.findChild<QRadioButton*>(option);
    ASSERT_NE(button, nullptr) << option;
    ASSERT_TRUE(button->isEnabled()) << option;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

std::set<QString> enabledSteps(DesignWindow& w) {
    std::set<QString> enabled;
    for (int i = 1; i <= 11; ++i) {
        if (w.findChild<QComboBox*>(QString("Combo%1").arg(i))->isEnabled())
            enabled.insert(QString("Combo%1").arg(i));
    }
    for (int i = 1; i <= 8; ++i) {
        if (w.findChild<QRadioButton*>(QString("Option%1").arg(i))->isEnabled())
            enabled.insert(QString("Option%1").arg(i));
    }
    return enabled;
}

TEST(DesignFlow, AWholeDesignThroughTheWidgets) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    const struct {
        std::function<void()> act;
        std::vector<QString> unlocked;
    } steps[] = {
        {[&] { pick(w, "Combo1", 0); }, {"Combo2"}},
        {[&] { pick(w, "Combo2", 0); }, {"Combo3"}},
        {[&] { pick(w, "Combo3", 0); }, {"Combo4"}},
        {[&] { pick(w, "Combo4", 0); }, {"Combo5", "Option7", "Option8"}},
        {[&] { pick(w, "Combo5", 1); }, {"Combo6"}},
        {[&] { pick(w, "Combo6", 1); }, {"Combo7"}},
        {[&] { pick(w, "Combo7", 1); }, {"Option1", "Option2"}},
        {[&] { click(w, "Option1"); }, {"Option3", "Option4"}},
        {[&] { click(w, "Option3"); }, {"Option5", "Option6"}},
        {[&] { click(w, "Option5"); }, {"Combo8"}},
        {[&] { pick(w, "Combo8", 0); }, {"Combo9"}},
        {[&] { pick(w, "Combo9", 0); }, {"Combo10"}},
        {[&] { pick(w, "Combo10", 0); }, {"Combo11"}},
        {[&] { pick(w, "Combo11", 0); }, {}},
    };
    std::set<QString> expected = {"Combo1"};
    int n = 0;
    for (const auto& step : steps) {
        ++n;
        step.act();
        expected.insert(step.unlocked.begin(), step.unlocked.end());
        EXPECT_EQ(enabledSteps(w), expected) << "after step " << n;
    }
    EXPECT_TRUE(w.findChild<QCheckBox*>("Check2")->isEnabled());
    EXPECT_EQ(w.findChild<QLineEdit*>("Text2")->text(), "100");
    EXPECT_EQ(w.findChild<QLabel*>("Picture1")->property("fileName").toString(),
              "Data/Hélice bipale 100 mm.jpg");
    EXPECT_EQ(w.findChild<QComboBox*>("Combo1")->currentText(), "Hélice bipale 100 mm");
    EXPECT_EQ(w.findChild<QLabel*>("Image17")->property("fileName").toString(), "Data/Cas11.gif");
    EXPECT_EQ(w.findChild<QLabel*>("Picture9")->property("fileName").toString(), "Data/Oui.jpg");
    EXPECT_TRUE(w.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_FALSE(w.findChild<QLineEdit*>("Text43")->isHidden());
    EXPECT_EQ(w.findChild<QLineEdit*>("Text91")->palette().color(QPalette::Text),
              QColor(0, 192, 0));
    auto* line8 = w.findChild<QWidget*>("Line8");
    EXPECT_EQ(line8->property("y2").toInt(), 2400);
    EXPECT_FALSE(line8->isHidden());
    // Image13 moves with the record.
    EXPECT_EQ(w.findChild<QLabel*>("Image13")->geometry().top(), 600 / 15);
    // The drawings hidden until the design is complete are drawn once they show, every one of
    // them, and one drawing used twice is the same picture.
    int drawn = 0;
    for (const Control& c : w.session().record().controls()) {
        if (c.designPicture.empty() || !c.visible) continue;
        auto* label = w.findChild<QLabel*>(QString::fromStdString(c.name));
        ASSERT_NE(label, nullptr) << c.name;
        if (!c.pictureFile.empty()) continue;  // a catalogue picture shows instead
        const QImage expected(QString::fromStdString(c.designPicture));
        ASSERT_FALSE(label->pixmap().isNull()) << c.name;
        EXPECT_EQ(label->pixmap().size(), expected.size()) << c.name;
        EXPECT_EQ(label->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << c.name;
        ++drawn;
    }
    EXPECT_GE(drawn, 2);  // at least Image11 and Image13, hidden at start

    // The clearance bar writes its value and reruns the estimation.
    const QString height = w.findChild<QLineEdit*>("Text43")->text();
    auto* bar = w.findChild<QScrollBar*>("VScroll1");
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w.findChild<QLineEdit*>("Text79")->text(), "6");
    EXPECT_EQ(w.findChild<QLineEdit*>("Text43")->text().toInt(), height.toInt() + 1);

    // Ticking the battery mass adds the batteries at once.
    const int mass = w.findChild<QLineEdit*>("Text91")->text().toInt();
    pick(w, "Combo4", 1);  // from two batteries and 12 g to four batteries and 20 g
    w.findChild<QCheckBox*>("Check2")->click();
    EXPECT_EQ(w.findChild<QLineEdit*>("Text91")->text().toInt(), mass - 12 + 20 + 4 * 23);
}

TEST(DesignFlow, TypingIntoAListRunsNoHandler) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    auto* combo = w.findChild<QComboBox*>("Combo1");
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Ma propre helice");
    EXPECT_EQ(w.session().record().text("Combo1"), "Ma propre helice");
    EXPECT_EQ(w.session().record().text("Text2"), "");
    EXPECT_FALSE(w.findChild<QComboBox*>("Combo2")->isEnabled());
    EXPECT_EQ(w.session().record().text("Text91"), "0");
    w.mirrorRecord();
    EXPECT_EQ(combo->currentText(), "Ma propre helice");
}

TEST(DesignFlow, AMissingPictureDuringTheSessionIsReportedAndTheWindowStays) {
    TempDataDir dir;
    dir.copySuppliedData();
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    QString message;
    whenModalAppears([&](QWidget* modal) {
        message = static_cast<QWidget*>(modal)->findChild<QLabel*>("qt_msgbox_label")->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    dir.remove("Hélice bipale 100 mm.jpg");
    pick(w, "Combo1", 0);
    EXPECT_EQ(
        message,
        "Le choix n'a pas été appliqué : Fichier « Data/Hélice bipale 100 mm.jpg » : l'image est "
        "introuvable. Votre conception est restée telle qu'elle était avant ce choix.");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.findChild<QLineEdit*>("Text2")->text(), "");
    EXPECT_EQ(w.findChild<QComboBox*>("Combo1")->currentText(), "Sélection");
    EXPECT_FALSE(w.findChild<QComboBox*>("Combo2")->isEnabled());
}

}  // namespace
