#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "modal_helper.h"
#include "support/temp_data_dir.h"
#include "window_driver.h"

namespace {

struct WidgetFailure {
    const char* name;
    std::function<void(TempDataDir&)> breakData;
    std::function<void(DesignWindow&)> event;
    const char* list;  // the list picked, whose text must come back
};

const WidgetFailure kFailures[] = {
    {"HeavyMotorWhosePictureIsMissing",
     [](TempDataDir& d) {
         d.write("Moteur.txt", "\"Moteur RE-140\",20,500,2,\"Non\",\"S\",RE140,1.60\r\n");
         d.remove("Moteur RE-140.jpg");
     },
     [](DesignWindow& w) { driver::pick(w, "Combo2", 0); }, "Combo2"},
    {"FailingDesignWhileNonJpgIsMissing", [](TempDataDir& d) { d.remove("Non.jpg"); },
     [](DesignWindow& w) { driver::pick(w, "Combo1", 5); }, "Combo1"},
    {"PictureUndecodable", [](TempDataDir& d) { d.write("Roue 60 mm.jpg", "pas une image"); },
     [](DesignWindow& w) { driver::pick(w, "Combo7", 5); }, "Combo7"},
    {"CatalogueRemoved", [](TempDataDir& d) { d.remove("Helice.txt"); },
     [](DesignWindow& w) { driver::pick(w, "Combo1", 1); }, "Combo1"},
    {"CatalogueCutShort", [](TempDataDir& d) { d.write("Helice.txt", "\"Hélice\",100,4\r\n"); },
     [](DesignWindow& w) { driver::pick(w, "Combo1", 1); }, "Combo1"},
    {"ChassisCaseUndecodable", [](TempDataDir& d) { d.write("Cas31.gif", "GIF89a cassé"); },
     [](DesignWindow& w) { driver::pick(w, "Combo6", 5); }, "Combo6"},
};

class FailedWidgetEvent : public ::testing::TestWithParam<WidgetFailure> {};

TEST_P(FailedWidgetEvent, TheWindowShowsTheDesignAsBeforeAndImprimerStays) {
    const WidgetFailure& row = GetParam();
    TempDataDir dir;
    dir.copySuppliedData();
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    auto* print = w.findChild<QPushButton*>("Command1");
    ASSERT_TRUE(print->isEnabled());
    const DesignRecord before = w.session().record();
    const QString listText = w.findChild<QComboBox*>(row.list)->currentText();
    const QString total = w.findChild<QLineEdit*>("Text91")->text();

    row.breakData(dir);
    QString message;
    whenModalAppears([&](QWidget* modal) {
        if (auto* label = modal->findChild<QLabel*>("qt_msgbox_label")) message = label->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    row.event(w);

    EXPECT_TRUE(w.session().record() == before);
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(w.findChild<QComboBox*>(row.list)->currentText(), listText);
    EXPECT_EQ(w.findChild<QLineEdit*>("Text91")->text(), total);
    EXPECT_EQ(w.findChild<QLabel*>("Picture9")->property("fileName").toString(), "Data/Oui.jpg");
    EXPECT_TRUE(message.startsWith("Le choix n'a pas été appliqué : Fichier « Data/"))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith("Votre conception est restée telle qu'elle était avant ce choix."))
        << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Window, FailedWidgetEvent, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
