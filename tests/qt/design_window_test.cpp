#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "support/temp_data_dir.h"

namespace {

QRect pixels(const Geometry& g) {
    return QRect(g.left / 15, g.top / 15, g.width / 15, g.height / 15);
}

TEST(DesignWindowTree, EveryControlIsAWidgetThatMirrorsTheRecord) {
    closeStartWindowSoon();
    DesignWindow window;
    ASSERT_TRUE(window.isLoaded());
    EXPECT_EQ(window.windowTitle(), "VENTAKAR");
    const DesignRecord& record = window.session().record();
    for (const Control& c : record.controls()) {
        const QString name = QString::fromStdString(c.name);
        QWidget* w = window.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(!w->isHidden(), c.visible) << c.name;
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
        // The described tooltip; a field whose text the machine's font cuts shows it whole
        // first.
        const std::string tip = w->toolTip().toStdString();
        EXPECT_TRUE(tip == c.toolTip ||
                    (c.kind == ControlKind::TextField &&
                     tip == c.text + (c.toolTip.empty() ? "" : "\n" + c.toolTip) &&
                     QFontMetrics(w->font()).horizontalAdvance(QString::fromStdString(c.text)) >
                         w->contentsRect().width() - 6))
            << c.name << ": " << tip;
        if (c.kind != ControlKind::Line) {
            EXPECT_EQ(w->geometry(), pixels(c.geometry)) << c.name;
        }
        const QString parentName = w->parentWidget()->objectName();
        EXPECT_EQ(parentName.toStdString(), c.parent.empty() ? "Sélection" : c.parent) << c.name;
        switch (c.kind) {
            case ControlKind::TextField: {
                auto* field = qobject_cast<QLineEdit*>(w);
                ASSERT_NE(field, nullptr) << c.name;
                EXPECT_EQ(field->text().toStdString(), c.text) << c.name;
                EXPECT_EQ(field->isReadOnly(), c.readOnly) << c.name;
                EXPECT_EQ(field->font().bold(), c.bold) << c.name;
                break;
            }
            case ControlKind::List: {
                auto* list = qobject_cast<QComboBox*>(w);
                ASSERT_NE(list, nullptr) << c.name;
                EXPECT_TRUE(list->isEditable());
                EXPECT_EQ(list->currentText().toStdString(), c.text) << c.name;
                ASSERT_EQ(list->count(), static_cast<int>(c.items.size())) << c.name;
                for (int i = 0; i < list->count(); ++i) {
                    EXPECT_EQ(list->itemText(i).toStdString(), c.items[i].text);
                    EXPECT_EQ(list->itemData(i).toInt(), c.items[i].tag);
                }
                break;
            }
            case ControlKind::OptionButton: {
                auto* option = qobject_cast<QRadioButton*>(w);
                ASSERT_NE(option, nullptr) << c.name;
                EXPECT_EQ(option->text().toStdString(), c.text);
                EXPECT_EQ(option->isChecked(), c.selected) << c.name;
                EXPECT_NE(option->group(), nullptr) << c.name;
                break;
            }
            case ControlKind::CheckBox:
                ASSERT_NE(qobject_cast<QCheckBox*>(w), nullptr) << c.name;
                EXPECT_EQ(qobject_cast<QCheckBox*>(w)->text().toStdString(), c.text);
                break;
            case ControlKind::PictureBox:
            case ControlKind::ImageBox:
                EXPECT_EQ(w->property("fileName").toString().toStdString(), c.pictureFile)
                    << c.name;
                if (c.visible && (!c.pictureFile.empty() || !c.designPicture.empty())) {
                    EXPECT_FALSE(qobject_cast<QLabel*>(w)->pixmap().isNull()) << c.name;
                }
                break;
            case ControlKind::Line:
                EXPECT_EQ(w->property("x1").toInt(), c.x1) << c.name;
                EXPECT_EQ(w->property("y1").toInt(), c.y1) << c.name;
                EXPECT_EQ(w->property("x2").toInt(), c.x2) << c.name;
                EXPECT_EQ(w->property("y2").toInt(), c.y2) << c.name;
                break;
            case ControlKind::ScrollBar: {
                auto* bar = qobject_cast<QScrollBar*>(w);
                ASSERT_NE(bar, nullptr);
                EXPECT_FALSE(bar->hasTracking());
                EXPECT_EQ(bar->minimum(), 1);
                EXPECT_EQ(bar->maximum(), 50);
                EXPECT_EQ(bar->singleStep(), 1);
                EXPECT_EQ(bar->pageStep(), 10);
                EXPECT_EQ(bar->value(), 5);
                break;
            }
            case ControlKind::Button:
                EXPECT_EQ(qobject_cast<QPushButton*>(w)->text().toStdString(), c.text);
                break;
            case ControlKind::Frame:
                EXPECT_EQ(qobject_cast<QGroupBox*>(w)->title().toStdString(), c.text);
                break;
            case ControlKind::Label:
                EXPECT_EQ(qobject_cast<QLabel*>(w)->text().toStdString(), c.text);
                break;
        }
    }
    EXPECT_EQ(window.findChild<QWidget*>("Sélection")->size(), QSize(1440, 830));
    EXPECT_EQ(window.findChild<QLabel*>("Picture1")->property("fileName").toString(),
              "Data/Choix1.jpg");
    EXPECT_EQ(window.findChild<QLineEdit*>("Text50")->palette().color(QPalette::Base),
              QColor(255, 255, 192));
}

TEST(DesignWindowSize, TheSurfaceScrollsInAWindowSmallerThanIt) {
    closeStartWindowSoon();
    DesignWindow window;
    ASSERT_TRUE(window.isLoaded());
    window.show();
    window.resize(900, 600);
    QApplication::processEvents();
    auto* area = window.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window.findChild<QWidget*>("Sélection")->size(), QSize(1440, 830));
    window.resize(2000, 1200);  // never larger than the design
    QApplication::processEvents();
    EXPECT_LE(window.width(), 1440);
}

TEST(DesignWindowQuit, NoKeepsTheDesignAndTheTitleBarAsksToo) {
    closeStartWindowSoon();
    DesignWindow window;
    ASSERT_TRUE(window.isLoaded());
    window.show();
    QString text, title;
    bool yesIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    for (int attempt = 0; attempt < 2; ++attempt) {
        whenModalAppears([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
            box->button(QMessageBox::No)->click();
        });
        if (attempt == 0) {
            window.findChild<QPushButton*>("quitter")->click();
        } else {
            window.close();
        }
        EXPECT_EQ(text, "Voulez vous vraiment quitter ?");
        EXPECT_EQ(title, "Confirmation");
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_TRUE(yesIsDefault);
        EXPECT_TRUE(window.isVisible()) << attempt;
    }
}

TEST(DesignWindowAbout, ShowsTheStartWindowAgainEachTime) {
    closeStartWindowSoon();
    DesignWindow window;
    ASSERT_TRUE(window.isLoaded());
    int shown = 0;
    for (int i = 0; i < 2; ++i) {
        whenModalAppears([&](QWidget* modal) {
            EXPECT_EQ(modal->objectName(), "Démarrage");
            ++shown;
            QTest::keyClick(modal, Qt::Key_Return);
        });
        window.findChild<QPushButton*>("Command3")->click();
    }
    EXPECT_EQ(shown, 2);
}

TEST(DesignWindowStartUp, AFileThatFailsGivesAMessageAndNoWindow) {
    const struct {
        const char* name;
        const char* file;
        const char* content;  // nullptr: the file is removed
        const char* reasonPart;
    } rows[] = {{"MissingPicture", "Choix5.jpg", nullptr, "introuvable"},
                {"UndecodablePicture", "Apercu.jpg", "ceci n'est pas une image", "décodée"},
                {"MissingCatalogue", "Train.txt", nullptr, "introuvable"},
                {"RecordCutShort", "Reglement.txt", "350,200\r\n", "2 champ(s) trouvé(s) sur 5"}};
    for (const auto& row : rows) {
        TempDataDir dir;
        dir.copySuppliedData();
        if (row.content) {
            dir.write(row.file, row.content);
        } else {
            dir.remove(row.file);
        }
        QString message;
        closeStartWindowSoon();
        QTimer::singleShot(50, [&] {
            whenModalAppears([&](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    message = box->text();
                    box->accept();
                }
            });
        });
        DesignWindow window;
        EXPECT_FALSE(window.isLoaded()) << row.name;
        EXPECT_TRUE(message.contains(QString("Data/") + row.file))
            << row.name << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(row.reasonPart)))
            << row.name << ": " << message.toStdString();
    }
}

}  // namespace
