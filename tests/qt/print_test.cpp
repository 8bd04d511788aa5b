#include <gtest/gtest.h>

#include <QFileInfo>

#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "linux_tool.h"
#include "modal_helper.h"
#include "qt/design/design_window.h"
#include "window_driver.h"

namespace {

using linux_tool::run;

void pick(DesignWindow& w, const char* list, int index) {
    auto* combo = w.findChild<QComboBox*>(list);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

TEST(Printing, APassingDesignPrintsTwoPagesToPdf) {
    closeStartWindowSoon();
    DesignWindow w;
    ASSERT_TRUE(w.isLoaded());
    w.show();
    for (const char* list : {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Combo7"})
        pick(w, list, 0);
    for (const char* option : {"Option1", "Option3", "Option5"})
        w.findChild<QRadioButton*>(option)->click();
    for (const char* list : {"Combo8", "Combo9", "Combo10", "Combo11"}) pick(w, list, 0);
    auto* print = w.findChild<QPushButton*>("Command1");
    ASSERT_TRUE(print->isEnabled());

    QTemporaryDir dir;
    const QString pdf = dir.filePath("rapport.pdf");
    w.printer().setOutputFile(pdf);
    QString message;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title;
    whenModalAppears([&](QWidget* dialog) {
        // The printer dialog first, then the closing message.
        whenModalAppears([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                message = box->text();
                icon = box->icon();
                title = box->windowTitle();
                box->accept();
            }
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    print->click();
    // A file, not paper: the pupil is told so.
    EXPECT_EQ(message, "PDF enregistré : rapport.pdf");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(title, "VENTAKAR");

    // For looking at the pages: VENTAKAR_TEST_PDF names where to keep a copy.
    if (!qEnvironmentVariableIsEmpty("VENTAKAR_TEST_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("VENTAKAR_TEST_PDF"));
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\b"))) << info.toStdString();
    EXPECT_TRUE(info.contains("595.") || info.contains("A4")) << info.toStdString();
    const QString page1 = run("pdftotext", {"-f", "1", "-l", "1", "-layout", pdf, "-"});
    const QString page2 = run("pdftotext", {"-f", "2", "-l", "2", "-layout", pdf, "-"});
    for (const char* text :
         {"1. Liste des composants sélectionnés", "Hélice référence : Hélice bipale 100 mm",
          "Moteur référence :", "Berceau référence :", "Alimentation référence :",
          "Interrupteur référence :", "Roues avant référence :", "Roues arrière référence :",
          "2. Estimation du montage des composants", "Position des roues avant",
          "Châssis au dessus des roues avant", "Position des roues arrière"}) {
        EXPECT_TRUE(page1.contains(QString::fromUtf8(text))) << text << "\n" << page1.toStdString();
    }
    for (const char* text :
         {"Position de l'hélice", "Avant", "Montage roues avant : Support en U",
          "Montage roues arrière : Support en U", "Matériau du châssis et des supports de roues",
          "Châssis : Balsa 3 mm", "Supports de roues : Balsa 3 mm", "3. Bilan",
          "Estimation encombrement", "Masse Maxi (g) :"}) {
        EXPECT_TRUE(page2.contains(QString::fromUtf8(text))) << text << "\n" << page2.toStdString();
    }
    EXPECT_FALSE(page1.contains("3. Bilan"));

    // Pictures at their own size, 96 pixels to the inch: 9 on page 1, 5 on page 2; then the
    // sketch's drawings, scaled down from their source and so sharper than the screen.
    const QStringList images =
        run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_GT(images.size(), 14);
    int onPage1 = 0;
    for (int i = 0; i < images.size(); ++i) {
        const QStringList cells = images[i].simplified().split(' ');
        ASSERT_GE(cells.size(), 14) << images[i].toStdString();
        if (i < 14) {
            EXPECT_EQ(cells[12], "96") << images[i].toStdString();
        } else {
            EXPECT_EQ(cells[0], "2");
            EXPECT_GT(cells[12].toInt(), 96) << images[i].toStdString();
        }
        onPage1 += cells[0] == "1";
    }
    EXPECT_EQ(onPage1, 9);
    EXPECT_TRUE(page2.contains("4. Croquis coté"));
    EXPECT_FALSE(page2.contains("Liste des composants"));
}

TEST(Printing, CancellingTheDialogPrintsNothingAndSaysNothing) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("annule.pdf");
    w.printer().setOutputFile(pdf);
    bool anotherModal = false;
    bool dialogShown = false;
    whenModalAppears([&](QWidget* dialog) {
        dialogShown = driver::isReportDialog(dialog);
        whenModalAppears([&](QWidget* modal) {
            anotherModal = true;
            modal->close();
        });
        static_cast<QDialog*>(dialog)->reject();
    });
    w.session().printClicked(w.printer());
    QTest::qWait(50);
    EXPECT_TRUE(dialogShown);
    EXPECT_FALSE(anotherModal);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
