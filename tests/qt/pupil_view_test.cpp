#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

#include "modal_helper.h"
#include "qt/system_number_format.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

namespace {

QColor shownColour(DesignWindow& w, const char* field) {
    return w.findChild<QLineEdit*>(field)->palette().color(QPalette::Text);
}

// The total mass as the widget colours it, through a pick of each motor mass in turn: the
// default before any judgement, then green, red, and a tie that shows the default whatever came
// before (red, then green).
TEST(PupilView, TheTotalMassShowsEveryComplianceState) {
    TempDataDir dir;
    dir.copySuppliedData();
    dir.write("Reglement.txt", "350,200,150,250,25\r\n");
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    const QColor defaultText =
        QApplication::palette(w.findChild<QLineEdit*>("Text91")).color(QPalette::Text);
    EXPECT_EQ(shownColour(w, "Text91"), defaultText);
    driver::pick(w, "Combo1", 0);  // 4 g
    const QColor green(0, 192, 0), red(255, 0, 0);
    EXPECT_EQ(shownColour(w, "Text91"), green);
    const struct {
        int motorMass;
        const char* total;
        QColor colour;
    } rows[] = {{300, "304", red},
                {246, "250", defaultText},
                {100, "104", green},
                {246, "250", defaultText}};
    for (const auto& row : rows) {
        dir.write("Moteur.txt", "\"Moteur RE-140\",20," + std::to_string(row.motorMass) +
                                    ",2,\"Non\",\"S\",RE140,1.60\r\n");
        driver::pick(w, "Combo2", 0);
        EXPECT_EQ(w.findChild<QLineEdit*>("Text91")->text(), row.total);
        EXPECT_EQ(shownColour(w, "Text91"), row.colour) << row.total;
    }
}

// Every caption and tooltip of the option buttons, check boxes and buttons, as the pupil sees them.
TEST(PupilView, EveryButtonCaptionAndTooltip) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    const std::map<QString, std::pair<QString, QString>> expected = {
        {"Option1", {"Châssis au dessus des roues avant", ""}},
        {"Option2", {"Châssis entre les roues avant", ""}},
        {"Option3", {"Châssis au dessus des roues arrière", ""}},
        {"Option4", {"Châssis entre les roues arrière", ""}},
        {"Option5", {"Avant", ""}},
        {"Option6", {"Arrière", ""}},
        {"Option7", {"Pile", ""}},
        {"Option8", {"Accu", ""}},
        {"Check1", {"Prendre en compte le coût des batteries", ""}},
        {"Check2", {"Prendre en compte la masse des batteries", ""}},
        {"Command3", {"A propos", "A propos"}},
        // Disabled at start-up, Imprimer says why.
        {"Command1", {"Imprimer", "Terminez les quatorze étapes pour obtenir l'estimation."}},
        {"quitter", {"Quitter", "Sortir"}},
        // Hidden until a verdict says the design fails.
        {"queChanger",
         {"Que changer ?",
          "Les changements d'une étape qui rendraient la conception conforme (F9)"}},
    };
    int buttons = 0;
    for (const Control& c : w.session().record().controls()) {
        if (c.kind != ControlKind::OptionButton && c.kind != ControlKind::CheckBox &&
            c.kind != ControlKind::Button) {
            continue;
        }
        ++buttons;
        const QString name = QString::fromStdString(c.name);
        ASSERT_TRUE(expected.count(name)) << c.name;
        auto* widget = w.findChild<QAbstractButton*>(name);
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->text(), expected.at(name).first) << c.name;
        EXPECT_EQ(widget->toolTip(), expected.at(name).second) << c.name;
    }
    EXPECT_EQ(buttons, static_cast<int>(expected.size()));
    for (int i = 1; i <= 11; ++i) {
        const QString list = QString("Combo%1").arg(i);
        EXPECT_EQ(w.findChild<QWidget*>(list)->toolTip().toStdString(),
                  w.session().record()[list.toStdString()].toolTip);
    }
}

// The sketch's lines as painted: each visible line covers the pixels between its end points.
TEST(PupilView, SketchLinesAreDrawnBetweenTheirEndPoints) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    int checked = 0;
    for (const Control& c : w.session().record().controls()) {
        if (c.kind != ControlKind::Line || !c.visible) continue;
        QWidget* line = w.findChild<QWidget*>(QString::fromStdString(c.name));
        ASSERT_NE(line, nullptr);
        ASSERT_FALSE(line->isHidden()) << c.name;
        QImage image(line->size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        line->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QPoint origin = line->pos();
        for (double t : {0.1, 0.5, 0.9}) {
            const QPoint at(qRound((c.x1 + t * (c.x2 - c.x1)) / 15.0) - origin.x(),
                            qRound((c.y1 + t * (c.y2 - c.y1)) / 15.0) - origin.y());
            ASSERT_TRUE(image.rect().contains(at)) << c.name;
            EXPECT_GT(qAlpha(image.pixel(at)), 0) << c.name << " not painted at " << t;
        }
        // Nothing painted far off the line: the box's corner away from a slanted line stays empty.
        if (c.x1 != c.x2 && c.y1 != c.y2 && image.width() > 12 && image.height() > 12) {
            const bool falling = (c.x2 - c.x1) * (c.y2 - c.y1) > 0;
            const QPoint corner = falling ? QPoint(image.width() - 2, 1) : QPoint(1, 1);
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << c.name;
        }
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// The quit question, by the button and by closing the window: asked once, ends once on Yes.
TEST(PupilView, TheQuitQuestionIsAskedOnceAndEndsOnceOnYes) {
    const struct {
        const char* name;
        bool viaButton;
        QMessageBox::StandardButton answer;
        bool ends;
    } rows[] = {{"ButtonNo", true, QMessageBox::No, false},
                {"ButtonYes", true, QMessageBox::Yes, true},
                {"CloseNo", false, QMessageBox::No, false},
                {"CloseYes", false, QMessageBox::Yes, true}};
    for (const auto& row : rows) {
        closeStartWindowSoon();
        DesignWindow w;
        ASSERT_TRUE(w.isLoaded());
        w.show();
        int asked = 0;
        QString question;
        std::function<void()> answerNext;
        answerNext = [&] {
            whenModalAppears([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box) {
                    ADD_FAILURE() << "not a message box: " << modal->metaObject()->className()
                                  << " " << modalText(modal).toStdString();
                    return;
                }
                ++asked;
                question = box->text();
                if (asked == 1) answerNext();  // a second question would be answered, and counted
                box->button(row.answer)->click();
            });
        };
        answerNext();
        if (row.viaButton) {
            w.findChild<QPushButton*>("quitter")->click();
        } else {
            w.close();
        }
        QTest::qWait(100);
        cancelModalWatchers();
        resetAfterProgramEnd();
        EXPECT_EQ(asked, 1) << row.name;
        EXPECT_EQ(question, "Voulez vous vraiment quitter ?") << row.name;
        EXPECT_EQ(w.isVisible(), !row.ends) << row.name;
    }
}

// Run by the test below with the system's language set from outside.
TEST(NumberFormatChild, ShowsThePropellerPriceInTheSystemFormat) {
    if (qEnvironmentVariableIsEmpty("VENTAKAR_LOCALE_CHILD"))
        GTEST_SKIP() << "run by PupilView.DecimalSeparator";
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    driver::pick(w, "Combo1", 0);
    std::printf("SEPARATOR<%s> PRICE<%s>\n", systemDecimalSeparator().c_str(),
                w.findChild<QLineEdit*>("Text6")->text().toUtf8().constData());
    std::fflush(stdout);
}

TEST(PupilView, DecimalSeparatorFollowsTheSystemLanguage) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows takes its language from the account's regional settings, which a "
                    "child cannot be given as it is given LANG";
#endif
    const struct {
        const char* locale;
        const char* output;
    } rows[] = {{"fr_FR.UTF-8", "SEPARATOR<,> PRICE<1,2>"},
                {"en_GB.UTF-8", "SEPARATOR<.> PRICE<1.2>"}};
    for (const auto& row : rows) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VENTAKAR_LOCALE_CHILD", "1");
        env.insert("LC_ALL", row.locale);
        env.insert("LANG", row.locale);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=NumberFormatChild.*"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        EXPECT_TRUE(out.contains(row.output)) << row.locale << "\n" << out.toStdString();
    }
}

}  // namespace
