#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "document/design_file.h"
#include "modal_helper.h"
#include "qt/app/data_folder.h"
#include "qt/app/main_window.h"
#include "qt/app/recovery_files.h"
#include "qt/path_text.h"
#include "support/design_fixture.h"
#include "support/system_rows.h"
#include "support/temp_data_dir.h"
#include "support/unprivileged.h"
#include "window/twips.h"
#include "window_driver.h"

namespace {

// A fresh main window, shown, with no settings or recovery file left by another test.
struct MainWindowTest : testing::Test {
    MainWindowTest() {
        QSettings().clear();
        clearRecoveryFolder();
    }
    static void clearRecoveryFolder() {
        QDir folder(RecoveryFiles::defaultFolder());
        for (const QString& name :
             folder.entryList({"recuperation*", ".recuperation*"}, QDir::Files | QDir::Hidden))
            folder.remove(name);
    }
    static QStringList recoveryFiles() {
        return QDir(RecoveryFiles::defaultFolder())
            .entryList({"recuperation*.ventakar"}, QDir::Files);
    }
    std::unique_ptr<MainWindow> open() {
        closeStartWindowSoon();
        auto window = std::make_unique<MainWindow>();
        window->show();
        // Shortcuts reach the active window only.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    QAction* action(MainWindow& w, const char* name) {
        auto* found = w.findChild<QAction*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A key pressed in the window as the pupil would: the window active (the offscreen platform
    // does not give it back after a dialog), the key going to the focused control.
    static void press(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &w, key, modifiers);
    }
    const DesignRecord& record(MainWindow& w) { return w.designWindow()->session().record(); }
    // The propeller a design file holds.
    static std::string propellerIn(const QString& file) {
        return readDesignFile(file.toStdString()).lists.at("Combo1").text;
    }

    // Runs then on the next modal widget; the question of whose the design is, which the first
    // save of an unnamed design asks, is answered first with no name.
    static void afterPupilQuestion(std::function<void(QWidget*)> then) {
        whenModalAppears([then](QWidget* modal) {
            if (modal->objectName() != "pupilDialog") {
                then(modal);
                return;
            }
            whenModalAppears(then);
            static_cast<QDialog*>(modal)->accept();
        });
    }
    // Answers the next file dialog with this file.
    static void answerFileDialog(const QString& file, bool* shown = nullptr) {
        afterPupilQuestion([file, shown](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modalText(modal).toStdString();
            if (shown) *shown = true;
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    // Answers the next message box with the button of that text; keeps what it said. then runs
    // just before the answer, to watch for what comes after the box.
    static void answerBox(const QString& button, QString* said = nullptr,
                          std::function<void()> then = {}) {
        whenModalAppears([button, said, then](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << modalText(modal).toStdString();
            if (said) *said = modalText(box);
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == button) {
                    if (then) then();
                    b->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << button.toStdString() << " in "
                          << modalText(box).toStdString();
            box->reject();
        });
    }

    QTemporaryDir dir;
};

TEST_F(MainWindowTest, MenusHoldEveryCommandWithItsShortcut) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    const struct {
        const char* action;
        const char* text;
        QList<QKeySequence> keys;
    } commands[] = {
        {"actionNew", "Nouvelle conception", {QKeySequence("Ctrl+N")}},
        {"actionOpen", "Ouvrir…", {QKeySequence("Ctrl+O")}},
        {"actionSave", "Enregistrer", {QKeySequence("Ctrl+S")}},
        {"actionSaveAs", "Enregistrer sous…", {QKeySequence("Ctrl+Shift+S")}},
        {"actionExportPdf", "Exporter le rapport en PDF…", {}},
        {"actionPrint", "Imprimer…", {QKeySequence("Ctrl+P")}},
        {"actionQuit", "Quitter", {QKeySequence("Ctrl+Q")}},
        {"actionUndo", "Annuler", {QKeySequence("Ctrl+Z")}},
        {"actionRedo", "Rétablir", {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {"actionAbout", "À propos de VENTAKAR", {QKeySequence("F1")}},
        {"actionHandIn", "Rendre au professeur…", {QKeySequence("Ctrl+R")}},
        {"actionWhatToChange", "Que changer ?", {QKeySequence("F9")}},
    };
    for (const auto& c : commands) {
        QAction* a = action(*w, c.action);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text().remove('&'), QString(c.text)) << c.action;
        EXPECT_EQ(a->shortcuts(), c.keys) << c.action;
    }
    QStringList menus;
    for (QAction* menu : w->menuBar()->actions()) menus << menu->text().remove('&');
    EXPECT_EQ(menus, QStringList({"Fichier", "Édition", "Conception", "Affichage", "Aide"}));
    expectPlainUniqueMnemonics(w->menuBar());
    auto* recent = w->findChild<QMenu*>("menuRecent");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->title().remove('&'), "Ouvrir un fichier récent");

    // The design surface keeps its client area and every control its place under the menus.
    DesignWindow* design = w->findChild<DesignWindow*>();
    ASSERT_EQ(design, w->designWindow());
    QWidget* surface = design->findChild<QWidget*>("Sélection");
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->size(), QSize(1440, 830));
    EXPECT_EQ(w->windowTitle(), "VENTAKAR");
    EXPECT_GE(design->geometry().top(), w->menuBar()->geometry().bottom());
    for (const Control& control : record(*w).controls()) {
        if (control.kind == ControlKind::Line) continue;
        QWidget* widget = design->findChild<QWidget*>(QString::fromStdString(control.name));
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->pos(),
                  QPoint(toPixels(control.geometry.left), toPixels(control.geometry.top)))
            << control.name;
    }
}

// The pupil's dialog keeps out what would reach a spreadsheet or a terminal as something else
// than text, whether typed or pasted; the name is stored as shown.
TEST_F(MainWindowTest, ThePupilsNameHoldsNoHiddenCharacter) {
    auto w = open();
    whenModalAppears([](QWidget* modal) {
        auto* name = modal->findChild<QLineEdit*>("pupilName");
        auto* group = modal->findChild<QLineEdit*>("pupilClass");
        ASSERT_TRUE(name && group);
        name->insert(QString::fromUtf8("L\x1b]0;x\x07é\u202ea\tb"));  // as a paste
        group->setFocus();
        QTest::keyClicks(group, QString::fromUtf8("5e\x08 B"));
        EXPECT_EQ(name->text(), QString::fromUtf8("L]0;xéab"));
        static_cast<QDialog*>(modal)->accept();
    });
    action(*w, "actionPupil")->trigger();
    EXPECT_EQ(w->designWindow()->session().pupil().name, "L]0;xéab");
    EXPECT_EQ(w->designWindow()->session().pupil().className.find('\x08'), std::string::npos);
}

TEST_F(MainWindowTest, PrintAndExportAreEnabledExactlyWithImprimer) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    auto* imprimer = w->designWindow()->findChild<QPushButton*>("Command1");
    EXPECT_FALSE(action(*w, "actionPrint")->isEnabled());
    EXPECT_FALSE(action(*w, "actionExportPdf")->isEnabled());
    driver::completePassingDesign(*w->designWindow());
    ASSERT_TRUE(imprimer->isEnabled());
    EXPECT_TRUE(action(*w, "actionPrint")->isEnabled());
    EXPECT_TRUE(action(*w, "actionExportPdf")->isEnabled());

    // Exported: the chosen PDF, with no print dialog on the way.
    const QString pdf = dir.filePath("rapport.pdf");
    QString done;
    whenModalAppears([&](QWidget* modal) {
        // After the file dialog, only the report's closing message may come.
        whenModalAppears([&](QWidget* next) {
            done = modalText(next);
            if (auto* box = qobject_cast<QMessageBox*>(next)) {
                box->accept();
            } else {
                ADD_FAILURE() << "a dialog came after the file was chosen: " << done.toStdString();
                static_cast<QDialog*>(next)->reject();
            }
        });
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(pdf);
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionExportPdf")->trigger();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << done.toStdString();
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_EQ(done.trimmed(), "PDF enregistré : rapport.pdf");

    // Undoing the last choice takes Imprimer and both commands away again.
    action(*w, "actionUndo")->trigger();
    EXPECT_FALSE(imprimer->isEnabled());
    EXPECT_FALSE(action(*w, "actionPrint")->isEnabled());
    EXPECT_FALSE(action(*w, "actionExportPdf")->isEnabled());
}

TEST_F(MainWindowTest, SavedDesignReopensAsItWasAndTheTitleFollows) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::completePassingDesign(*w->designWindow());
    EXPECT_TRUE(w->isWindowModified());
    EXPECT_EQ(w->windowTitle(), "VENTAKAR[*]");
    const DesignRecord made = record(*w);

    const QString file = dir.filePath("Léa.ventakar");
    bool shown = false;
    answerFileDialog(dir.filePath("Léa"), &shown);  // the suffix is added
    action(*w, "actionSaveAs")->trigger();
    ASSERT_TRUE(shown);
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(w->windowTitle(), "Léa.ventakar — VENTAKAR");
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(QSettings().value("lastFolder").toString(), dir.path());

    // A new design: no question, since nothing is unsaved.
    action(*w, "actionNew")->trigger();
    EXPECT_EQ(w->windowTitle(), "VENTAKAR");
    EXPECT_NE(recordDifference(made, record(*w)), "");
    EXPECT_FALSE(action(*w, "actionUndo")->isEnabled());

    answerFileDialog(file);
    action(*w, "actionOpen")->trigger();
    EXPECT_EQ(recordDifference(made, record(*w)), "");
    EXPECT_EQ(w->windowTitle(), "Léa.ventakar — VENTAKAR");
    // The widgets show the reopened record.
    auto* propeller = w->designWindow()->findChild<QComboBox*>("Combo1");
    EXPECT_EQ(propeller->currentText().toStdString(), made.text("Combo1"));
    EXPECT_TRUE(w->designWindow()->findChild<QPushButton*>("Command1")->isEnabled());

    // One change: the marker; Ctrl+S saves to the same file without a dialog.
    driver::click(*w->designWindow(), "Option2");
    EXPECT_EQ(w->windowTitle(), "Léa.ventakar[*] — VENTAKAR");
    EXPECT_TRUE(w->isWindowModified());
    press(*w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w->isWindowModified());
    // The pupil's name once, whether the file already says it or not.
    w->designWindow()->session().setPupil({"Léa", "5e B"});
    w->designWindow()->session().markSaved(pathBytes(file));
    w->designWindow()->mirrorRecord();
    EXPECT_EQ(w->windowTitle(), "Léa.ventakar — VENTAKAR");
    w->designWindow()->session().setPupil({"Chloé", "5e B"});
    w->designWindow()->session().markSaved(pathBytes(file));
    w->designWindow()->mirrorRecord();
    EXPECT_EQ(w->windowTitle(), "Léa.ventakar — Chloé — VENTAKAR");
    EXPECT_EQ(w->designWindow()->session().documentPath(), pathBytes(file));

    auto* recent = w->findChild<QMenu*>("menuRecent");
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_EQ(recent->actions().first()->data().toString(), file);
    action(*w, "actionClearRecent")->trigger();
    EXPECT_TRUE(QSettings().value("recentFiles").toStringList().isEmpty());
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutBeforeTheyAreDropped) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::pick(*w->designWindow(), "Combo1", 1);
    const DesignRecord made = record(*w);

    QString said;
    answerBox("Annuler", &said);
    action(*w, "actionNew")->trigger();
    EXPECT_TRUE(said.startsWith("Enregistrer les modifications de votre conception ?"))
        << said.toStdString();
    EXPECT_EQ(recordDifference(made, record(*w)), "");

    answerBox("Annuler");
    action(*w, "actionOpen")->trigger();  // cancelled before any file dialog
    EXPECT_EQ(recordDifference(made, record(*w)), "");

    // Enregistrer: the save dialog, then the new design.
    answerBox("Enregistrer", nullptr,
              [this] { answerFileDialog(dir.filePath("gardée.ventakar")); });
    action(*w, "actionNew")->trigger();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("gardée.ventakar")));
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(record(*w)["Combo1"].chosenItem, -1);

    driver::pick(*w->designWindow(), "Combo1", 1);
    answerBox("Ne pas enregistrer");
    action(*w, "actionNew")->trigger();
    EXPECT_EQ(record(*w)["Combo1"].chosenItem, -1);
}

TEST_F(MainWindowTest, AFileThatIsNoDesignLeavesTheDesignAndSaysWhy) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::pick(*w->designWindow(), "Combo1", 1);
    const DesignRecord made = record(*w);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } files[] = {
        {"notes.ventakar", "Hélice bipale", "ce fichier n'est pas une conception VENTAKAR."},
        {"future.ventakar", R"({"format": "ventakar-conception", "version": 7, "choices": {}})",
         "version plus récente de VENTAKAR (format 7)"},
        {"coupé.ventakar", R"({"format": "ventakar-conception", "version": 1, "choi)",
         "la conception est endommagée"},
        {"énorme.ventakar", QByteArray(1024 * 1024 + 1, ' '), "le fichier est trop grand (2 Mio)"},
    };
    for (const auto& f : files) {
        const QString path = dir.filePath(QString::fromUtf8(f.name));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.bytes);
        out.close();
        QString said;
        answerBox("OK", &said);
        EXPECT_FALSE(w->openDesign(path));
        EXPECT_TRUE(said.contains(QString::fromUtf8(f.name))) << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf8(f.reason))) << said.toStdString();
        EXPECT_TRUE(said.contains("La conception affichée n'a pas changé.")) << said.toStdString();
        EXPECT_EQ(recordDifference(made, record(*w)), "");
        EXPECT_TRUE(w->isWindowModified());
    }
}

TEST_F(MainWindowTest, UndoAndRedoReachTheDesignFromTheKeyboardInsideAList) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    DesignWindow& design = *w->designWindow();
    const DesignRecord start = record(*w);
    driver::pick(design, "Combo1", 1);
    const DesignRecord picked = record(*w);
    EXPECT_EQ(action(*w, "actionUndo")->text(), "Annuler le choix de l'hélice");
    design.findChild<QComboBox*>("Combo1")->setFocus();
    press(*w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(recordDifference(start, record(*w)), "");
    EXPECT_EQ(design.findChild<QComboBox*>("Combo1")->currentText(), "Sélection");
    EXPECT_EQ(action(*w, "actionRedo")->text(), "Rétablir le choix de l'hélice");
    press(*w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(recordDifference(picked, record(*w)), "");
    press(*w, Qt::Key_Z, Qt::ControlModifier);
    press(*w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(recordDifference(picked, record(*w)), "");
    EXPECT_FALSE(action(*w, "actionRedo")->isEnabled());
    // Typing in the list is still the list's own.
    press(*w, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(record(*w).text("Combo1"), "Hélice bipale 125 mma");
}

TEST_F(MainWindowTest, QuittingAsksAsDescribedAndSaysWhatIsLost) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::pick(*w->designWindow(), "Combo1", 1);
    const QString recovery = w->recoveryFilePath();
    ASSERT_TRUE(QFileInfo::exists(recovery));
    QMessageBox* seen = nullptr;
    QString said;
    whenModalAppears([&](QWidget* modal) {
        seen = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(seen, nullptr);
        said = modalText(seen);
        EXPECT_EQ(seen->windowTitle(), "Confirmation");
        EXPECT_EQ(seen->text(), "Voulez vous vraiment quitter ?");
        EXPECT_EQ(seen->informativeText(),
                  "Les modifications non enregistrées de votre conception seront perdues.");
        EXPECT_EQ(seen->icon(), QMessageBox::Question);
        // Return saves first: the button that discards the work is never the default.
        ASSERT_NE(seen->defaultButton(), nullptr);
        EXPECT_EQ(seen->defaultButton()->text().remove('&'), "Enregistrer et quitter");
        // The toolkit's own buttons speak French too.
        EXPECT_EQ(seen->button(QMessageBox::Yes)->text().remove('&'), "Oui");
        EXPECT_EQ(seen->button(QMessageBox::No)->text().remove('&'), "Non");
        // With unsaved changes it also offers to save first.
        QStringList buttons;
        for (QAbstractButton* b : seen->buttons()) buttons << b->text().remove('&');
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{"Enregistrer et quitter", "Non", "Oui"}));
        seen->button(QMessageBox::No)->click();
    });
    action(*w, "actionQuit")->trigger();
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(recovery));

    whenModalAppears([](QWidget* modal) {
        static_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    press(*w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(recovery)) << "a normal end";
}

TEST_F(MainWindowTest, EnregistrerEtQuitterSavesThenQuitsOrStaysWhenTheSaveIsCancelled) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::pick(*w->designWindow(), "Combo1", 1);
    const QString recovery = w->recoveryFilePath();
    QTemporaryDir dir;
    const QString file = dir.filePath("quitte.ventakar");
    // Save-and-quit, then the file dialog cancelled: nothing saved, the program goes on.
    answerBox("Enregistrer et quitter", nullptr, [] {
        whenModalAppears([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    });
    action(*w, "actionQuit")->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(recovery));
    // Save-and-quit with a name: the file written, then a normal end.
    answerBox("Enregistrer et quitter", nullptr, [file] { answerFileDialog(file); });
    action(*w, "actionQuit")->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(recovery));
}

TEST_F(MainWindowTest, ADesignLeftByACrashIsOfferedAtTheNextStart) {
    DesignRecord made;
    QString left;
    {
        auto first = open();
        ASSERT_TRUE(first->isLoaded());
        driver::completePassingDesign(*first->designWindow());
        made = record(*first);
        left = first->recoveryFilePath();
        // The program stops here without quitting: the window is gone, its file stays.
    }
    ASSERT_TRUE(QFileInfo::exists(left));

    auto second = open();
    ASSERT_TRUE(second->isLoaded());
    QString said;
    answerBox("Oui", &said);
    second->resumeAfterStart();
    EXPECT_TRUE(
        said.startsWith("VENTAKAR s'est arrêté sans que votre dernière conception soit "
                        "enregistrée. Voulez-vous la retrouver ?"))
        << said.toStdString();
    EXPECT_TRUE(said.contains("Conception jamais enregistrée, modifiée le ")) << said.toStdString();
    EXPECT_EQ(recordDifference(made, record(*second)), "");
    EXPECT_TRUE(second->isWindowModified());
    EXPECT_EQ(second->windowTitle(), "VENTAKAR[*]");
    // Taken over: the design now lives in the second copy's own file.
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(QFileInfo::exists(second->recoveryFilePath()));
    left = second->recoveryFilePath();
    second.reset();

    auto third = open();
    answerBox("Non");
    third->resumeAfterStart();
    EXPECT_EQ(record(*third)["Combo1"].chosenItem, -1);
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(recoveryFiles().isEmpty()) << recoveryFiles().join(", ").toStdString();
}

TEST_F(MainWindowTest, TwoCopiesKeepTheirOwnRecoveryFilesAndNeverOfferARunningOne) {
    auto a = open();
    ASSERT_TRUE(a->isLoaded());
    driver::pick(*a->designWindow(), "Combo1", 1);
    ASSERT_TRUE(QFileInfo::exists(a->recoveryFilePath()));

    // B starts while A runs: no question, and nothing of A's is touched.
    auto b = open();
    ASSERT_TRUE(b->isLoaded());
    EXPECT_NE(b->recoveryFilePath(), a->recoveryFilePath());
    bool asked = false;
    whenModalAppears([&](QWidget* modal) {
        asked = true;
        static_cast<QDialog*>(modal)->reject();
    });
    b->resumeAfterStart();
    QTest::qWait(50);
    EXPECT_FALSE(asked) << "B offered A's design";
    driver::pick(*b->designWindow(), "Combo1", 0);
    answerBox("Oui");
    b->close();
    EXPECT_TRUE(QFileInfo::exists(a->recoveryFilePath())) << "B's quitting deleted A's file";
    EXPECT_EQ(record(*a)["Combo1"].chosenItem, 1);
}

TEST_F(MainWindowTest, SeveralLeftDesignsAreOfferedNewestFirstEachWithItsFileName) {
    QTemporaryDir dir;
    QStringList left;
    for (const char* name : {"ancienne.ventakar", "recente.ventakar"}) {
        auto w = open();
        ASSERT_TRUE(w->isLoaded());
        driver::pick(*w->designWindow(), "Combo1", 1);
        answerFileDialog(dir.filePath(name));
        action(*w, "actionSave")->trigger();
        driver::pick(*w->designWindow(), "Combo1", 0);
        left << w->recoveryFilePath();
        QFile(left.back()).open(QIODevice::Append);  // stamps it later than the one before
        QTest::qWait(1100);
    }
    auto w = open();
    QString first;
    QString second;
    answerBox("Non", &first, [&second] { answerBox("Oui", &second); });
    w->resumeAfterStart();
    EXPECT_TRUE(first.contains("Conception « recente.ventakar », modifiée le"))
        << first.toStdString();
    EXPECT_TRUE(second.contains("Conception « ancienne.ventakar »")) << second.toStdString();
    // The recovered design keeps its file: Ctrl+S saves there, not as « Conception.ventakar ».
    EXPECT_EQ(w->windowTitle(), "ancienne.ventakar[*] — VENTAKAR");
    action(*w, "actionSave")->trigger();
    EXPECT_FALSE(w->isWindowModified());
    EXPECT_EQ(record(*w)["Combo1"].chosenItem, 0);
    EXPECT_EQ(propellerIn(dir.filePath("ancienne.ventakar")), record(*w)["Combo1"].items[0].text);
}

TEST_F(MainWindowTest, SavingOverAFileChangedByAnotherCopyAsksFirst) {
    QTemporaryDir dir;
    const QString file = dir.filePath("x.ventakar");
    auto a = open();
    ASSERT_TRUE(a->isLoaded());
    driver::pick(*a->designWindow(), "Combo1", 1);
    answerFileDialog(file);
    action(*a, "actionSave")->trigger();
    auto b = open();
    ASSERT_TRUE(b->openDesign(file));
    driver::pick(*b->designWindow(), "Combo1", 0);
    action(*b, "actionSave")->trigger();  // B's file is its own: no question
    EXPECT_FALSE(b->isWindowModified());

    driver::pick(*a->designWindow(), "Combo1", 2);
    QMessageBox* seen = nullptr;
    whenModalAppears([&](QWidget* modal) {
        seen = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(seen->text(),
                  "Le fichier « x.ventakar » a été modifié par ailleurs depuis son ouverture.");
        EXPECT_EQ(seen->defaultButton()->text(), "Annuler");
        seen->defaultButton()->click();
    });
    action(*a, "actionSave")->trigger();
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(a->isWindowModified()) << "A shows itself saved though it was not";
    const ItemList& items = record(*a)["Combo1"].items;
    EXPECT_EQ(propellerIn(file), items[0].text) << "B's design was overwritten";

    answerBox("Remplacer");
    action(*a, "actionSave")->trigger();
    EXPECT_FALSE(a->isWindowModified());
    EXPECT_EQ(propellerIn(file), items[2].text);
}

TEST_F(MainWindowTest, ADamagedRecoveryFileIsSetAsideAndStartUpGoesOn) {
    const QString damagedFile =
        QDir(RecoveryFiles::defaultFolder()).filePath("recuperation.ventakar");
    QDir().mkpath(RecoveryFiles::defaultFolder());
    QFile damaged(damagedFile);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(R"({"format": "ventakar-conception", "version": 1, "choices": {"propel)");
    damaged.close();

    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    QString said;
    answerBox("OK", &said);
    w->resumeAfterStart();
    EXPECT_TRUE(said.contains("ne peut pas être reprise")) << said.toStdString();
    EXPECT_TRUE(said.contains("mis de côté")) << said.toStdString();
    EXPECT_FALSE(QFileInfo::exists(damagedFile));
    const QStringList aside =
        QDir(RecoveryFiles::defaultFolder()).entryList({"recuperation.ventakar.endommage-*"});
    EXPECT_EQ(aside.size(), 1);
    // The program goes on and keeps the next design safe again.
    driver::pick(*w->designWindow(), "Combo1", 1);
    EXPECT_TRUE(QFileInfo::exists(w->recoveryFilePath()));
}

// An account as a school server makes it: a home folder, no Documents in it.
// (A POSIX account: on Windows the user's folders do not follow HOME.)
#ifndef _WIN32
struct HomeWithoutDocuments {
    HomeWithoutDocuments() : oldHome(qgetenv("HOME")), oldMask(::umask(022)) {
        qputenv("HOME", home.path().toUtf8());
        EXPECT_FALSE(QDir(home.path()).exists("Documents"));
    }
    ~HomeWithoutDocuments() {
        qputenv("HOME", oldHome);
        ::umask(oldMask);
    }
    QTemporaryDir home;
    QByteArray oldHome;
    mode_t oldMask;
};
#endif

QByteArray readWhole(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lock a copy of VENTAKAR leaves when it is killed: as a lock of this process would be, but
// naming a process that has ended.
void leaveLockOfAGoneCopy(const QString& path) {
    QTemporaryDir dir;
    QByteArray ours;
    {
        QLockFile lock(dir.filePath("modele.lock"));
        ASSERT_TRUE(lock.tryLock(0));
        ours = readWhole(dir.filePath("modele.lock"));
    }
    QProcess ended;
#ifdef _WIN32
    ended.start("cmd.exe", {"/c", "exit"});
#else
    ended.start("true", {});
#endif
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 child = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    QFile lock(path);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(child) + ours.mid(ours.indexOf('\n')));
}

// folder made a small disk of its own (as root), an intact recovery file left on it.
bool smallDiskWithARecoveryFile(const QString& folder) {
    const QByteArray where = QFile::encodeName(folder);
    if (!runAsRoot() ||
        std::system(("mount -t tmpfs -o size=16k tmpfs '" + where + "'").constData()) != 0)
        return false;
    QFile left(folder + "/recuperation-1.ventakar");
    left.open(QIODevice::WriteOnly);
    left.write(R"({"format": "ventakar-conception", "version": 1, "choices": {}})");
    return true;
}

// What a start finds of an earlier copy: a recovery file that is no regular file is set aside,
// never opened; an intact one is offered even when the disk is too full for its lock.
TEST_F(MainWindowTest, AnEarlierRecoveryFileIsOfferedOrSetAside) {
    QTemporaryDir home;
    const struct {
        const char* name;
        std::function<bool(const QString&)> leave;  // false: cannot be made here
        int offered;
        bool setAside;
    } rows[] = {
        {"APipe",
         [](const QString& folder) {
             return makeFifo((folder + "/recuperation-1.ventakar").toStdString());
         },
         0, true},
        {"AFileOnAFullDisk",
         [](const QString& folder) {
             if (!smallDiskWithARecoveryFile(folder)) return false;
             QFile filler(folder + "/remplissage");
             filler.open(QIODevice::WriteOnly);
             while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
             }
             return true;
         },
         1, false},
        {"AKillDuringASaveOnAFullDisk",
         [](const QString& folder) {
             if (!smallDiskWithARecoveryFile(folder)) return false;
             // The copy that kept it was killed: its lock stays, naming a process that is gone.
             leaveLockOfAGoneCopy(folder + "/recuperation-1.ventakar.lock");
             // ... in the middle of a save, whose temporary file took what the disk had left.
             const int gone = QString(readWhole(folder + "/recuperation-1.ventakar.lock"))
                                  .section('\n', 0, 0)
                                  .toInt();
             QFile filler(folder + QString("/.devoir.ventakar.tmp-%1-0").arg(gone));
             filler.open(QIODevice::WriteOnly);
             while (filler.write(QByteArray(512, 'x')) > 0 && filler.flush()) {
             }
             return true;
         },
         1, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString folder = home.filePath(row.name);
        QDir().mkpath(folder);
        if (!row.leave(folder)) {
            std::cout << "[ note ] " << row.name << " cannot be made here (root mounts a disk)\n";
            continue;
        }
        {
            RecoveryFiles files(folder);
            EXPECT_EQ(int(files.orphans().size()), row.offered);
        }
        EXPECT_EQ(QFileInfo::exists(folder + "/recuperation-1.ventakar.mis-de-cote"), row.setAside);
        if (QString(row.name).contains("FullDisk")) {
            EXPECT_EQ(std::system(("umount '" + QFile::encodeName(folder) + "'").constData()), 0);
        }
    }
}

// When this copy cannot have its recovery file, the pupil is told once why, and the design can
// still be saved and the program quit. Each cause under a data folder of its own.
TEST_F(MainWindowTest, NoRecoveryFileIsToldOnceWithItsReason) {
    QTemporaryDir home;
    const QString base = home.path();
    const struct {
        const char* name;
        std::function<QString()> folder;  // the recovery folder, made to fail
        const char* reason;
        bool unprivileged = false;  // as a pupil, who may not write everywhere
    } rows[] = {
        {"TheFolderIsAFile",
         [&] {
             QFile(base + "/fichier").open(QIODevice::WriteOnly);
             return base + "/fichier";
         },
         "est un fichier et non un dossier"},
        {"TheFolderCannotBeMade",
         [&] {
             QFile(base + "/plat").open(QIODevice::WriteOnly);
             return base + "/plat/ventakar";
         },
         "un élément du chemin n'est pas un dossier"},
        {"TheFolderIsNotWritable",
         [&] {
             QDir(base).mkpath("ferme");
             QFile::setPermissions(base + "/ferme", QFile::ReadOwner | QFile::ExeOwner |
                                                        QFile::ReadOther | QFile::ExeOther);
             openToOthers(QFile::encodeName(base).toStdString());
             return base + "/ferme";
         },
         "droits d'accès", true},
        {"AFolderThatCannotBeMadeForWantOfRights",
         [&] { return base + "/ferme/ventakar"; },  // inside the folder above
         "droits d'accès", true},
        {"AReadOnlyMount",
         [&] {
             QDir(base).mkpath("lecture");
             const QByteArray where = QFile::encodeName(base + "/lecture");
             if (!runAsRoot() ||
                 std::system(("mount -t tmpfs -o ro,size=16k tmpfs '" + where + "'").constData()) !=
                     0)
                 return QString();
             return base + "/lecture/ventakar";
         },
         "lecture seule"},
        {"TheDiskIsFull",
         [&] {
             QDir(base).mkpath("plein");
             const QByteArray where = QFile::encodeName(base + "/plein");
             if (!runAsRoot() ||
                 std::system(("mount -t tmpfs -o size=16k tmpfs '" + where + "'").constData()) != 0)
                 return QString();
             QFile filler(base + "/plein/remplissage");
             filler.open(QIODevice::WriteOnly);
             while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
             }
             return base + "/plein";
         },
         "le disque est plein"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
#ifdef Q_OS_WIN
        if (row.unprivileged) {
            std::cout << "[ note ] " << row.name << ": rights on Windows are ACLs, not set here\n";
            continue;
        }
#endif
        const QString folder = row.folder();
        if (folder.isEmpty()) {
            std::cout << "[ note ] " << row.name << " needs root to mount a small disk\n";
            continue;
        }
        const std::string problem = asUnprivileged([&] {
            if (!row.unprivileged && !runAsRoot()) return std::string();
            return RecoveryFiles(folder).problem().toStdString();
        });
        const std::string here =
            row.unprivileged ? problem : RecoveryFiles(folder).problem().toStdString();
        EXPECT_NE(here.find(row.reason), std::string::npos) << here;
        if (std::string(row.name) == "TheDiskIsFull") {
            EXPECT_EQ(std::system(("umount '" + QFile::encodeName(folder) + "'").constData()), 0);
        }
        if (std::string(row.name) == "AReadOnlyMount") {
            EXPECT_EQ(
                std::system(("umount '" + QFile::encodeName(base + "/lecture") + "'").constData()),
                0);
        }
    }

    // The program's own: told once at the start, then the design saved and the program quit.
#ifdef Q_OS_WIN
    // No XDG folders here: the test mode's own data folder, a file standing where its parent
    // folder should be.
    QStandardPaths::setTestModeEnabled(true);
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString parent = QFileInfo(own).path();
    QDir(parent).removeRecursively();
    QDir().mkpath(QFileInfo(parent).path());
    QFile(parent).open(QIODevice::WriteOnly);
    auto w = open();
    QFile::remove(parent);
    QStandardPaths::setTestModeEnabled(false);
#else
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(base + "/fichier"));
    auto w = open();
    qputenv("XDG_DATA_HOME", dataHome);
#endif
    EXPECT_TRUE(w->recoveryFilePath().isEmpty());
    EXPECT_NE(w->recoveryProblem().toStdString().find("un élément du chemin"), std::string::npos)
        << w->recoveryProblem().toStdString();
    QString said;
    answerBox("OK", &said);
    w->resumeAfterStart();
    EXPECT_TRUE(said.startsWith("Votre conception n'aura pas de copie de secours : "))
        << said.toStdString();
    driver::pick(*w->designWindow(), "Combo1", 0);
    driver::pick(*w->designWindow(), "Combo1", 1);  // no second warning: nobody answers one
    answerFileDialog(dir.filePath("sans-secours.ventakar"));
    action(*w, "actionSaveAs")->trigger();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("sans-secours.ventakar")));
    whenModalAppears([](QWidget* modal) {
        static_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(w->close());
}

TEST_F(MainWindowTest, AnAccountWithoutDocumentsSavesAndExportsInItsHomeFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "a home folder without Documents (HOME, umask) is a POSIX account's";
#else
    HomeWithoutDocuments account;
    const QString home = QFileInfo(account.home.path()).absoluteFilePath();
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    driver::completePassingDesign(*w->designWindow());

    // The first export: the home folder, the design's own name, then a message naming the file.
    QString shownFolder, shownName, done;
    auto answerWithProposal = [&](std::function<void(QFileDialog*)> then) {
        afterPupilQuestion([&, then](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modalText(modal).toStdString();
            shownFolder = dialog->directory().absolutePath();
            auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(field, nullptr);
            shownName = field->text();
            then(dialog);
        });
    };
    answerWithProposal([&](QFileDialog* dialog) {
        answerBox("OK", &done);
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionExportPdf")->trigger();
    EXPECT_EQ(shownFolder, home);
    EXPECT_EQ(shownName, "Conception.pdf");
    EXPECT_EQ(done.trimmed(), "PDF enregistré : Conception.pdf");
    const QString pdf = QDir(home).filePath("Conception.pdf");
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(QFileInfo(pdf).permissions() & 0x7777,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther)
        << "a new PDF gets the permissions of the umask (0644)";

    // The first save: the same folder, a name only in its field; a name with quotes kept.
    answerWithProposal([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("mon \"super\" engin");
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionSave")->trigger();
    EXPECT_EQ(shownFolder, home);
    EXPECT_EQ(shownName, "Conception.ventakar");
    const QString saved = QDir(home).filePath("mon \"super\" engin.ventakar");
    EXPECT_TRUE(QFileInfo::exists(saved)) << QDir(home).entryList().join(", ").toStdString();
    EXPECT_EQ(w->windowTitle(), "mon \"super\" engin.ventakar — VENTAKAR");

    // A name too long for the file system is told, the dialog staying open to shorten it.
    QString tooLong;
    answerWithProposal([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString(300, 'a'));
        answerBox("OK", &tooLong,
                  [dialog] { QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); }); });
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionSaveAs")->trigger();
    EXPECT_TRUE(tooLong.contains("trop long")) << tooLong.toStdString();
    EXPECT_EQ(QDir(home).entryList({"aaa*"}).size(), 0);
    // A whole path typed gets the same checks as a name: too long, or holding quotes.
    tooLong.clear();
    answerWithProposal([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(home + "/" + QString(300, 'b'));
        answerBox("OK", &tooLong,
                  [dialog] { QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); }); });
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionSaveAs")->trigger();
    EXPECT_TRUE(tooLong.contains("trop long")) << tooLong.toStdString();
    QDir(home).mkpath("sous");
    answerWithProposal([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(home + "/sous/le \"bolide\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionSaveAs")->trigger();
    EXPECT_TRUE(QFileInfo::exists(home + "/sous/le \"bolide\".ventakar"))
        << QDir(home + "/sous").entryList().join(", ").toStdString();
    answerWithProposal([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(saved);
        answerBox("Oui");
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionSaveAs")->trigger();  // back to the design's own file

    // The PDF is named after the design now, and replacing keeps the file's own permissions.
    const QString named = QDir(home).filePath("mon \"super\" engin.pdf");
    {
        QFile old(named);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    }
    std::filesystem::permissions(named.toStdString(), std::filesystem::perms(0640));
    answerWithProposal([&](QFileDialog* dialog) {
        answerBox("Oui", nullptr, [&] { answerBox("OK", &done); });
        static_cast<QDialog*>(dialog)->accept();
    });
    action(*w, "actionExportPdf")->trigger();
    EXPECT_EQ(shownName, "mon \"super\" engin.pdf");
    EXPECT_EQ(done.trimmed(), "PDF enregistré : mon \"super\" engin.pdf");
    if (!kOnWindows) {
        EXPECT_EQ(std::filesystem::status(named.toStdString()).permissions(),
                  std::filesystem::perms(0640));
    }
#endif
}

TEST_F(MainWindowTest, TemporaryFilesOfKilledCopiesAreSweptOthersKept) {
    QDir folder(RecoveryFiles::defaultFolder());
    folder.mkpath(".");
    const QString running = QString(".recuperation-x.ventakar.tmp-%1-0").arg(testProcessId());
    const QString gone = ".recuperation-y.ventakar.tmp-999999-3";  // above pid_max: never running
    const QString notOurs = ".recuperation-z.ventakar.tmp-abc";
    for (const QString& name : {running, gone, notOurs}) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    auto w = open();
    EXPECT_TRUE(folder.exists(running));
    EXPECT_FALSE(folder.exists(gone));
    EXPECT_TRUE(folder.exists(notOurs));
}

}  // namespace

namespace {

TEST_F(MainWindowTest, TheCatalogueCheckShowsItsLinesInACopyableDialog) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    QString shown;
    whenModalAppears([&](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), "catalogueCheck");
        EXPECT_EQ(modal->windowTitle(), "Vérification des catalogues");
        auto* text = modal->findChild<QPlainTextEdit*>("checkReport");
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->isReadOnly());
        shown = text->toPlainText();
        QApplication::clipboard()->clear();
        modal->findChild<QPushButton*>("copyReport")->click();
        EXPECT_EQ(QApplication::clipboard()->text(), shown);
        static_cast<QDialog*>(modal)->reject();
    });
    action(*w, "actionCheckCatalogues")->trigger();
    EXPECT_TRUE(shown.startsWith("Vérification des catalogues du dossier « Data »"))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("Aucun problème : les catalogues sont prêts."))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("Helice.txt : lu en Windows-1252, 7 enregistrement(s)."));
}

TEST_F(MainWindowTest, AFaultyCatalogueAtStartUpSaysTheCheckCauseAndPointsToTheCheck) {
    const struct {
        const char* file;
        const char* from;  // replaced in the supplied file, or the whole file when to is null
        const char* to;
        const char* cause;
    } faults[] = {
        {"Moteur.txt", "\"Moteur RE-140\",20,18\r\n", nullptr,
         "Cause : ligne 1 : 3 champs trouvés sur 8 attendus : il en manque 5"},
        {"Helice.txt", ",1.90,", ",1,90,",
         "Cause : ligne 3 : 10 champs trouvés sur 9 attendus : une virgule dans un nombre ? "
         "écrivez 1.90"},
        {"Helice.txt", ",\"Technoplast\",TP-0150C", ",\"Technoplast,TP-0150C",
         "guillemet non fermé"},
    };
    for (const auto& fault : faults) {
        TempDataDir data;
        data.copySuppliedData();
        std::string bytes = fault.from;
        if (fault.to) {
            QFile supplied(QString::fromStdString((data.root() / "Data" / fault.file).string()));
            ASSERT_TRUE(supplied.open(QIODevice::ReadOnly));
            bytes = supplied.readAll().toStdString();
            ASSERT_NE(bytes.find(fault.from), std::string::npos) << fault.from;
            bytes.replace(bytes.find(fault.from), std::string(fault.from).size(), fault.to);
        }
        data.write(fault.file, bytes);
        QString said;
        whenModalAppears([&](QWidget* start) {
            QTest::keyClick(start, Qt::Key_Space);
            answerBox("OK", &said);
        });
        MainWindow window;
        EXPECT_FALSE(window.isLoaded());
        EXPECT_TRUE(said.contains(fault.file)) << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf8(fault.cause))) << said.toStdString();
        EXPECT_TRUE(
            said.trimmed().endsWith("Pour la liste de tous les problèmes : ventakar --verifier"))
            << said.toStdString();
    }
}

}  // namespace

namespace {

TEST_F(MainWindowTest, RecentFilesReopenTheirDesignAndForgetOnesThatAreGone) {
    auto w = open();
    ASSERT_TRUE(w->isLoaded());
    DesignSession& session = w->designWindow()->session();
    // Nine designs saved in turn: the list keeps the last eight, newest first.
    QStringList saved;
    for (int i = 0; i < 9; ++i) {
        driver::pick(*w->designWindow(), "Combo1", i % 2);
        const QString file = dir.filePath(QString("conception-%1.ventakar").arg(i));
        answerFileDialog(file);
        action(*w, "actionSaveAs")->trigger();
        saved.prepend(file);
    }
    auto* recent = w->findChild<QMenu*>("menuRecent");
    QStringList listed;
    for (QAction* a : recent->actions()) {
        if (!a->data().toString().isEmpty()) listed << a->data().toString();
    }
    EXPECT_EQ(listed, saved.mid(0, MainWindow::kMaxRecentFiles));

    // The fourth one, reopened from the list.
    action(*w, "actionNew")->trigger();
    auto reopen = [&](const QString& file) {
        for (QAction* a : recent->actions()) {
            if (a->data().toString() == file) {
                a->trigger();  // rebuilds the menu from inside the action's own signal
                return;
            }
        }
        ADD_FAILURE() << file.toStdString() << " is not in the list";
    };
    reopen(saved[3]);
    EXPECT_EQ(session.documentPath(), QFile::encodeName(saved[3]).toStdString());
    EXPECT_EQ(session.record()["Combo1"].chosenItem, (8 - 3) % 2);

    // One deleted meanwhile: the message, and it leaves the list.
    QFile::remove(saved[1]);
    QString said;
    answerBox("OK", &said);
    reopen(saved[1]);
    EXPECT_TRUE(said.contains("le fichier est introuvable")) << said.toStdString();
    EXPECT_FALSE(QSettings().value("recentFiles").toStringList().contains(saved[1]));
}

}  // namespace

namespace {

// « Rendre au professeur » as a pupil meets it: the name asked when the design has none, a design
// not complete handed in after saying so, the receipt beside the menus, each hand-in a new file;
// a folder gone or none set told, the design kept as it was and « Rendre » still there.
TEST_F(MainWindowTest, HandingInAsksWhatItNeedsAndGivesAReceipt) {
    QTemporaryDir drop;
    const QString folder = drop.filePath("remise");
    QDir().mkpath(folder);
    setTeachersHandInFolder(folder);
    auto w = open();
    driver::pick(*w->designWindow(), "Combo1", 0);
    QString asked, said;
    whenModalAppears([&](QWidget* modal) {
        ASSERT_EQ(modal->objectName(), "pupilDialog");
        modal->findChild<QLineEdit*>("pupilName")->setText("Léa/../Martin");
        modal->findChild<QLineEdit*>("pupilClass")->setText("5e B");
        answerBox("Rendre quand même", &asked, [&] { answerBox("OK", &said); });
        static_cast<QDialog*>(modal)->accept();
    });
    action(*w, "actionHandIn")->trigger();
    EXPECT_TRUE(asked.contains("n'est pas complète")) << asked.toStdString();
    EXPECT_TRUE(said.startsWith("Rendu le ")) << said.toStdString();
    const QStringList made = QDir(folder + "/5e B").entryList(QDir::Files);
    ASSERT_EQ(made.size(), 1) << made.join(", ").toStdString();
    EXPECT_TRUE(made[0].startsWith(QString::fromUtf8("Léa-..-Martin — "))) << made[0].toStdString();
    EXPECT_TRUE(said.trimmed().endsWith(made[0])) << said.toStdString();
    auto* receipt = w->findChild<QLabel*>("handInReceipt");
    ASSERT_NE(receipt, nullptr);
    EXPECT_TRUE(receipt->text().startsWith("Rendu le ")) << receipt->text().toStdString();
    EXPECT_TRUE(receipt->toolTip().endsWith(made[0]));
    EXPECT_EQ(readDesignDocument(readDesignBytes((folder + "/5e B/" + made[0]).toStdString()), "")
                  .choices,
              choicesOf(record(*w)));

    // Named now: no question of whose it is; a second hand-in is a second file.
    answerBox("Rendre quand même", nullptr, [&] { answerBox("OK"); });
    w->findChild<QToolButton*>("handInButton")->click();
    EXPECT_EQ(QDir(folder + "/5e B").entryList(QDir::Files).size(), 2);

    const struct {
        const char* name;
        std::function<void()> make;
        const char* said;
    } failures[] = {
        {"TheFolderIsGone", [&] { QDir(folder).removeRecursively(); }, "introuvable"},
        {"NoFolderIsSet", [&] { setTeachersHandInFolder({}); }, "Aucun dossier de remise"},
    };
    for (const auto& row : failures) {
        SCOPED_TRACE(row.name);
        row.make();
        const DesignChoices before = choicesOf(record(*w));
        QString told;
        whenModalAppears([&](QWidget* modal) {
            told = modalText(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->buttons().size() > 1) {
                answerBox("OK", &told);
                box->button(QMessageBox::Yes)->click();  // « Rendre quand même »
                return;
            }
            static_cast<QDialog*>(modal)->accept();
        });
        action(*w, "actionHandIn")->trigger();
        EXPECT_TRUE(told.contains(row.said)) << told.toStdString();
        EXPECT_EQ(choicesOf(record(*w)), before);
        EXPECT_TRUE(action(*w, "actionHandIn")->isEnabled());
    }
}

}  // namespace
