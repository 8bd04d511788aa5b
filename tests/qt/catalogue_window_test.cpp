#include "qt/catalogues/catalogue_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "check/check_tables.h"
#include "modal_helper.h"
#include "qt/app/data_folder.h"
#include "qt/catalogues/catalogue_model.h"
#include "support/temp_data_dir.h"

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void answer(const QString& button, QString* said = nullptr) {
    whenModalAppears([button, said](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << modalText(modal).toStdString();
        if (said) *said = modalText(box);
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove('&') == button) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button.toStdString();
        box->reject();
    });
}

// The teacher's edit of a catalogue, from the cell to the file: what a cell refuses, what it
// writes, undo, the save whole with the versions before kept, a colleague's change on disk asked
// about, unsaved changes asked about at the end.
TEST(CatalogueWindow, ACellEditedIsSavedWholeAndNothingIsLost) {
    TempDataDir dir;
    dir.copySuppliedData();
    const QString folder = QString::fromStdString((dir.root() / "Data").string());
    const QString helice = folder + "/Helice.txt";
    const QByteArray original = bytesOf(helice);
    CatalogueWindow w(folder);
    w.show();
    ASSERT_EQ(w.tabCount(), 10);
    auto* tabs = w.findChild<QTabWidget*>("catalogueTabs");
    QStringList titles;
    for (int t = 0; t < tabs->count(); ++t) titles << tabs->tabText(t);
    EXPECT_EQ(titles,
              QStringList({"Hélices", "Moteurs", "Berceaux", "Alimentations", "Piles",
                           "Interrupteurs", "Roues", "Montages", "Matériaux", "Règlement"}));
    EXPECT_EQ(w.windowTitle(), "Catalogues — VENTAKAR") << "the supplied catalogues are sound";
    CatalogueModel* model = w.model(0);
    EXPECT_EQ(model->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), "Prix HT (€)");

    QSignalSpy refused(model, &CatalogueModel::refused);
    EXPECT_FALSE(model->setData(model->index(0, 5), "deux euros", Qt::EditRole));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0][0].toString().contains("n'est pas un nombre"));
    EXPECT_FALSE(w.isModified());

    ASSERT_TRUE(model->setData(model->index(0, 5), "1,95", Qt::EditRole));
    EXPECT_EQ(model->index(0, 5).data().toString(), "1.95");
    EXPECT_TRUE(w.isModified());
    EXPECT_TRUE(tabs->tabText(0).startsWith("Hélices *"));
    w.findChild<QAction*>("actionUndoCatalogue")->trigger();
    EXPECT_EQ(model->table().bytes(), original.toStdString()) << "undone byte for byte";
    w.findChild<QAction*>("actionRedoCatalogue")->trigger();
    ASSERT_TRUE(w.save(0));
    const QByteArray saved = bytesOf(helice);
    EXPECT_EQ(bytesOf(helice + ".1"), original) << "the version before kept beside it";
    // Only the line edited changed.
    const QList<QByteArray> before = original.split('\n'), after = saved.split('\n');
    ASSERT_EQ(before.size(), after.size());
    for (int i = 1; i < before.size(); ++i) EXPECT_EQ(before[i], after[i]) << "line " << i + 1;
    EXPECT_TRUE(after[0].contains(",1.95,"));

    // Five versions at most, the last first.
    for (const char* price : {"2", "3", "4", "5", "6", "7"}) {
        ASSERT_TRUE(model->setData(model->index(0, 5), price, Qt::EditRole));
        ASSERT_TRUE(w.save(0));
    }
    EXPECT_TRUE(bytesOf(helice + ".1").contains(",6,"));
    EXPECT_TRUE(QFile::exists(helice + ".5"));
    EXPECT_FALSE(QFile::exists(helice + ".6"));

    // A colleague saved meanwhile: reloaded on demand, never replaced unasked.
    QFile other(helice);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(original);
    other.close();
    ASSERT_TRUE(model->setData(model->index(1, 5), "9.99", Qt::EditRole));
    QString said;
    answer("Recharger", &said);
    EXPECT_FALSE(w.save(0));
    EXPECT_TRUE(said.contains("a changé sur le disque")) << said.toStdString();
    EXPECT_EQ(bytesOf(helice), original);
    EXPECT_EQ(model->table().bytes(), original.toStdString());

    // Unsaved changes are asked about at the end.
    ASSERT_TRUE(model->setData(model->index(1, 1), "130", Qt::EditRole));
    answer("Annuler");
    EXPECT_FALSE(w.close());
    answer("Ne pas enregistrer");
    EXPECT_TRUE(w.close());
    EXPECT_EQ(bytesOf(helice), original);
}

// A picture chosen for a record is stored under the name the record gives it, in the format the
// window reads there; what cannot be stored so is refused with the reason, the folder untouched.
TEST(CatalogueWindow, APictureChosenIsStoredUnderTheRecordsName) {
    TempDataDir dir;
    dir.copySuppliedData();
    const QString folder = QString::fromStdString((dir.root() / "Data").string());
    QTemporaryDir sources;
    const QString png = sources.filePath("photo.png"), jpeg = sources.filePath("photo.jpg");
    QImage red(40, 30, QImage::Format_ARGB32);
    red.fill(QColor(200, 0, 0, 128));
    ASSERT_TRUE(red.save(png, "PNG"));
    ASSERT_TRUE(red.save(jpeg, "JPEG"));
    const QString gif = folder + "/TrainU.gif", text = folder + "/Helice.txt";
    struct Row {
        const char* name;
        int tab;
        const char* file;  // the picture the record names
        QString source;
        const char* stored;  // the format stored, or nothing: refused
        const char* reason;
    } rows[] = {
        {"PngPhotoAsJpeg", 0, "Hélice bipale 100 mm.jpg", png, "jpeg", nullptr},
        {"JpegPhotoAsItIs", 0, "Hélice bipale 100 mm.jpg", jpeg, "jpeg", nullptr},
        {"GifPhotoAsJpeg", 7, "TrainU.jpg", gif, "jpeg", nullptr},
        {"GifDrawingAsItIs", 7, "TrainU.gif", gif, "gif", nullptr},
        {"PngDrawingRefused", 7, "TrainU.gif", png, nullptr, "dessin GIF"},
        {"TextRefused", 0, "Hélice bipale 100 mm.jpg", text, nullptr,
         "n'est pas une image JPEG, GIF ou PNG"},
    };
    CatalogueWindow w(folder);
    w.show();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CatalogueTable& table = w.model(row.tab)->table();
        int k = 0, found = -1;
        for (int c = 0; c < table.columnCount(); ++c)
            for (const NamedPicture& p :
                 picturesNamedBy(table.rule(), table.rule().fields[c], table.cell(0, c))) {
                if (p.file == row.file) found = k;
                ++k;
            }
        ASSERT_GE(found, 0);
        const QString target = folder + "/" + QString::fromUtf8(row.file);
        const QByteArray before = bytesOf(target), source = bytesOf(row.source);
        QString said;
        answer(row.stored ? "Remplacer" : "OK", &said);
        EXPECT_EQ(w.setPicture(row.tab, 0, found, row.source), row.stored != nullptr);
        if (!row.stored) {
            EXPECT_TRUE(said.contains(row.reason)) << said.toStdString();
            EXPECT_EQ(bytesOf(target), before);
            continue;
        }
        EXPECT_TRUE(said.contains("Remplacer l'image")) << said.toStdString();
        QImageReader reader(target);
        EXPECT_EQ(reader.format(), row.stored);
        EXPECT_FALSE(reader.read().isNull());
        if (QImageReader(row.source).format() == row.stored) {
            EXPECT_EQ(bytesOf(target), source) << "copied as it is";
        }
    }
    EXPECT_EQ(w.windowTitle(), "Catalogues — VENTAKAR");

    // A designation renamed takes its picture along, when asked, at the save; undone, it does not.
    CatalogueModel* model = w.model(0);
    const QString old = folder + "/Hélice bipale 100 mm.jpg",
                  renamed = folder + "/Hélice neuve.jpg";
    answer("Renommer");
    ASSERT_TRUE(model->setData(model->index(0, 0), "Hélice neuve", Qt::EditRole));
    EXPECT_EQ(model->problemsOf(0, 0), "") << "renamed at the save, found meanwhile";
    EXPECT_TRUE(QFile::exists(old));
    ASSERT_TRUE(w.save(0));
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(renamed));
    answer("Renommer");
    ASSERT_TRUE(model->setData(model->index(0, 0), "Hélice encore", Qt::EditRole));
    w.findChild<QAction*>("actionUndoCatalogue")->trigger();
    ASSERT_TRUE(w.save(0));
    EXPECT_TRUE(QFile::exists(renamed));
    EXPECT_FALSE(QFile::exists(folder + "/Hélice encore.jpg"));
    // A picture gone is a problem of its record.
    ASSERT_TRUE(QFile::remove(renamed));
    model->recheck();
    EXPECT_TRUE(model->problemsOf(0, 0).contains("introuvable"))
        << model->problemsOf(0, 0).toStdString();
}

// A file too large to check at each edit is checked behind the table, and the problems shown are
// those of the table as it stands after the last edit, never of one before it.
TEST(CatalogueModel, ALargeFileIsCheckedBehindTheTableAsItLastStands) {
    std::string bytes;
    for (int i = 0; i <= CatalogueModel::kCheckedAtOnce; ++i)
        bytes += "\"Helice " + std::to_string(i) + "\",100,4,\"F\",\"R\",1.20,12,2,\"o\"\r\n";
    CatalogueModel model(fileRules().front(), bytes, "/nonexistent", nullptr,
                         [](const std::string&) { return std::string(); });
    EXPECT_TRUE(model.checking());
    ASSERT_TRUE(model.setData(model.index(0, 0), "Helice 1", Qt::EditRole));
    EXPECT_FALSE(model.setData(model.index(5, 1), "abc", Qt::EditRole)) << "refused, no check";
    model.finishCheck();
    EXPECT_FALSE(model.checking());
    EXPECT_TRUE(model.problemsOf(1, 0).contains("figure déjà ligne 1"))
        << model.problemsOf(1, 0).toStdString();
    EXPECT_EQ(model.errors() + model.warnings(), 1);

    // Problems beyond those the check lists are counted, and said.
    std::string same;
    for (int i = 0; i < 300; ++i) same += "\"Helice\",100,4,\"F\",\"R\",1.20,12,2,\"o\"\r\n";
    CatalogueModel many(fileRules().front(), same, "/nonexistent", nullptr,
                        [](const std::string&) { return std::string(); });
    EXPECT_EQ(many.errors() + many.warnings(), 299);
    ASSERT_FALSE(many.fileProblems().empty());
    EXPECT_EQ(many.fileProblems().back().text.rfind("… et 99 autres problèmes", 0), 0u)
        << many.fileProblems().back().text;
}

}  // namespace

namespace {

// The room's catalogues, named once in the machine's settings, come before those installed with
// the program; a setting that names nothing usable leaves the installed ones.
TEST(DataFolder, TheRoomsCataloguesComeBeforeTheInstalledOnes) {
    QTemporaryDir machine, room, installed, elsewhere;
    ASSERT_TRUE(QDir(room.path()).mkpath("partage/Data"));
#ifdef Q_OS_WIN
    const QString installedHome = installed.path() + "/bin";  // Data/ beside ventakar.exe
#else
    const QString installedHome = installed.path() + "/share/ventakar";
#endif
    ASSERT_TRUE(QDir(installedHome).mkpath("Data"));
    ASSERT_TRUE(QDir(installed.path()).mkpath("bin"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, machine.path());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());  // no Data/ where the program starts
    const QString program = installed.path() + "/bin";
    const QString shared = room.path() + "/partage";
    const struct {
        const char* name;
        QString setting;  // empty: none
        QString home;
    } rows[] = {
        {"NoSettingTheInstalledOnes", "", installedHome},
        {"TheDataFolderItself", shared + "/Data", shared},
        {"TheFolderThatHoldsIt", shared, shared},
        {"AFolderGoneTheInstalledOnes", room.path() + "/disparu/Data", installedHome},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        QSettings settings(QSettings::SystemScope, "VENTAKAR", "ventakar");
        if (r.setting.isEmpty())
            settings.remove("dataFolder");
        else
            settings.setValue("dataFolder", r.setting);
        settings.sync();
        EXPECT_EQ(roomDataFolder(), r.setting);
        EXPECT_EQ(QDir(findDataHome(program)).canonicalPath(), QDir(r.home).canonicalPath());
    }
    QSettings(QSettings::SystemScope, "VENTAKAR", "ventakar").remove("dataFolder");
    EXPECT_TRUE(dataFolderMissing(program).contains("dossier de travail"));
    QDir::setCurrent(previous);
}

}  // namespace

namespace {

// Catalogues installed where this copy may not write open read-only; « Enregistrer dans un autre
// dossier… » takes every file there, the edits with them, and the editor goes on there.
TEST(CatalogueWindow, AFolderNotWritableIsSavedElsewhere) {
    TempDataDir dir;
    dir.copySuppliedData();
    const QString data = QString::fromStdString((dir.root() / "Data").string());
    const QString shown = QString::fromStdString((dir.root() / "lecture-seule").string());
    QDir().mkpath(shown);
    const std::string mount = "mount --bind '" + data.toStdString() + "' '" + shown.toStdString() +
                              "' 2>/dev/null && mount -o remount,ro,bind '" + shown.toStdString() +
                              "' 2>/dev/null";
    if (std::system(mount.c_str()) != 0) {
        // Mounted but not made read-only: taken down again.
        if (std::system(("umount '" + shown.toStdString() + "' 2>/dev/null").c_str()) != 0) {
        }
        GTEST_SKIP() << "a read-only bind mount needs root and a kernel that allows it here";
    }
    QString readOnlyTitle;
    bool wasReadOnly = false;
    const QString target = QString::fromStdString((dir.root() / "classe-2027").string());
    {
        CatalogueWindow w(shown);
        wasReadOnly = w.isReadOnly();
        readOnlyTitle = w.windowTitle();
        ASSERT_TRUE(w.model(0)->setData(w.model(0)->index(0, 1), "101", Qt::EditRole));
        EXPECT_TRUE(w.saveElsewhere(target));
        EXPECT_FALSE(w.isReadOnly());
        EXPECT_EQ(w.folder(), target);
        EXPECT_FALSE(w.isModified());
    }
    EXPECT_EQ(std::system(("umount '" + shown.toStdString() + "'").c_str()), 0);
    EXPECT_TRUE(wasReadOnly);
    EXPECT_TRUE(readOnlyTitle.contains("lecture seule")) << readOnlyTitle.toStdString();
    EXPECT_TRUE(bytesOf(target + "/Helice.txt").contains(",101,"));
    EXPECT_EQ(bytesOf(target + "/Moteur.txt"), bytesOf(data + "/Moteur.txt"));
    EXPECT_EQ(bytesOf(target + "/Oui.jpg"), bytesOf(data + "/Oui.jpg")) << "the pictures too";
    EXPECT_FALSE(bytesOf(data + "/Helice.txt").contains(",101,")) << "the installed ones untouched";
}

}  // namespace
