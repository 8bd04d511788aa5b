#include "qt/app/command_line.h"

#include <gtest/gtest.h>

#include <iostream>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/supplied_designs.h"

namespace {

TEST(CommandLine, ReadsTheOptionsAndTheDesignToOpen) {
    const struct {
        QStringList arguments;
        bool help, version;
        QStringList files;
        const char* error;
    } cases[] = {
        {{"ventakar"}, false, false, {}, ""},
        {{"ventakar", "Léa.ventakar"}, false, false, {"Léa.ventakar"}, ""},
        {{"ventakar", "--help"}, true, false, {}, ""},
        {{"ventakar", "-h"}, true, false, {}, ""},
        {{"ventakar", "--version"}, false, true, {}, ""},
        {{"ventakar", "-v"}, false, true, {}, ""},
        {{"ventakar", "--", "-fichier.ventakar"}, false, false, {"-fichier.ventakar"}, ""},
        {{"ventakar", "--imprimer"}, false, false, {}, "option inconnue « imprimer »"},
        {{"ventakar", "a.ventakar", "b.ventakar"}, false, false, {}, "une seule conception"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.help, c.help) << name;
        EXPECT_EQ(line.version, c.version) << name;
        EXPECT_TRUE(line.error.contains(QString::fromUtf8(c.error))) << name;
        EXPECT_EQ(line.error.isEmpty(), *c.error == 0) << name;
        if (line.error.isEmpty()) {
            EXPECT_EQ(line.files, c.files) << name;
        }
    }
}

#ifdef Q_OS_WIN
const QByteArray kTextLineEnd = "\r\n";
#else
const QByteArray kTextLineEnd = "\n";
#endif

// The real program answers --help and --version without any display, in French.
TEST(CommandLine, TheProgramAnswersWithoutADisplay) {
    const QString program = QStringLiteral(VENTAKAR_BINARY_DIR "/ventakar");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    // A class of one design, and an empty folder.
    QTemporaryDir classFolder;
    QTemporaryDir emptyFolder;
    {
        QFile design(classFolder.filePath("lea.ventakar"));
        EXPECT_TRUE(design.open(QIODevice::WriteOnly));
        design.write(R"({"format": "ventakar-conception", "version": 1,
            "pupil": {"name": "Léa", "class": "5e B"},
            "choices": {"propeller": {"text": "Hélice bipale 100 mm", "index": 0}}})");
    }
    QTemporaryDir failingFolder;  // one design that fails
    {
        QFile design(failingFolder.filePath("limite.ventakar"));
        EXPECT_TRUE(design.open(QIODevice::WriteOnly));
        design.write(kAtThePriceLimit);
    }
    QTemporaryDir outFolder, dropFolder;
    QFile pupils(outFolder.filePath("eleves.csv"));
    EXPECT_TRUE(pupils.open(QIODevice::WriteOnly));
    pupils.write("Léa;5e B\nTom;5e B\n");
    pupils.close();
    QFile::copy(classFolder.filePath("lea.ventakar"), outFolder.filePath("copie.ods"));
    const std::string header =
        "\xEF\xBB\xBF\xC3\x89l\xC3\xA8ve;Classe;\xC3\x89tat;Pourquoi;Masse (g);";
    const struct {
        QStringList arguments;
        int status;
        const char* out;
        const char* err;
        const char* contains = "";  // somewhere in the output
        const char* absent = "";    // nowhere in it
    } runs[] = {
        {{"--version"}, 0, "ventakar 1.0\n", ""},
        {{"--help"},
         0,
         "Utilisation : ventakar [OPTION] [FICHIER.ventakar]",
         "",
         "--verifier [DOSSIER]"},
        {{"--help"}, 0, "Utilisation", "", "share/ventakar/Data"},
        {{"--help"}, 0, "Utilisation", "", "--classe DOSSIER"},
        {{"--help"}, 0, "Utilisation", "", "recuperation-DATE-PID.ventakar"},
        {{"--classe", classFolder.path(), "--csv", "-"},
         0,
         header.c_str(),
         "",
         "Léa;5e B;Incomplète;"},
        // « Il suffirait de », the last column when asked for; the table as it was otherwise.
        {{"--classe", failingFolder.path(), "--csv", "-"},
         0,
         header.c_str(),
         "",
         ";Versions précédentes",
         "Il suffirait de"},
        {{"--classe", failingFolder.path(), "--csv", "-", "--il-suffirait-de"},
         0,
         header.c_str(),
         "",
         ";Versions précédentes;Il suffirait de"},
        {{"--il-suffirait-de"},
         1,
         "",
         "VENTAKAR : --il-suffirait-de s'emploie avec --classe DOSSIER."},
        {{"--classe", failingFolder.path(), "--csv", "-", "--il-suffirait-de"},
         0,
         header.c_str(),
         "",
         ";Alimentation : Panneau solaire 6 V, grand format → Coupleur 2 piles AA (prix "},
        {{"--classe", classFolder.filePath("absent"), "--csv", "-"},
         1,
         "",
         "VENTAKAR : le dossier « "},
        {{"--classe", emptyFolder.path(), "--csv", "-"},
         1,
         "",
         "VENTAKAR : aucune conception (fichier .ventakar) dans le dossier"},
        {{"--csv", "-"}, 1, "", "VENTAKAR : --csv s'emploie avec --classe DOSSIER ou --commande"},
        {{"--commande", classFolder.path()}, 1, "", "VENTAKAR : --commande s'emploie avec --csv"},
        {{"--commande", classFolder.path(), "--csv", "-"},
         1,
         "",
         "VENTAKAR : rien à commander : la conception du dossier n'est pas « Conforme »."},
        // Mistakes never start the window nor abort: a French message and status 1.
        {{"--classe", classFolder.path(), "--csv", ""},
         1,
         "",
         "VENTAKAR : --csv demande un FICHIER"},
        {{"--classe", "--csv", "x.csv"}, 1, "", "VENTAKAR : --classe demande un DOSSIER."},
        {{"--classe"}, 1, "", "VENTAKAR : --classe demande un DOSSIER."},
        {{"--commande"}, 1, "", "VENTAKAR : --commande demande un DOSSIER."},
        {{"--classe", classFolder.filePath("lea.ventakar"), "--csv", "-"}, 1, "", "VENTAKAR : « "},
        {{"--classe", classFolder.filePath("absent")}, 1, "", "VENTAKAR : le dossier « "},
        {{"--classe", classFolder.path()}, 1, "", "VENTAKAR : aucun écran n'est disponible"},
        {{"--classe", classFolder.path(), "--csv", classFolder.filePath("lea.ventakar")},
         1,
         "",
         "VENTAKAR : « "},
        {{"--imprimer"},
         1,
         "",
         "VENTAKAR : option inconnue « imprimer ».\nPour l'aide : ventakar --help"},
        {{"--classe", classFolder.path(), "--classeur", "classe.txt"},
         1,
         "",
         "VENTAKAR : --classeur demande un FICHIER dont le nom finit par .ods"},
        {{"--classeur", "x.ods"}, 1, "", "VENTAKAR : --classeur s'emploie avec --classe DOSSIER"},
        // The CSV on standard output and the same table as a spreadsheet, in one run.
        {{"--classe", classFolder.path(), "--csv", "-", "--classeur", outFolder.filePath("c.ODS")},
         0,
         header.c_str(),
         ""},
        {{"--classe", classFolder.path(), "--classeur", outFolder.filePath("copie.ods")},
         1,
         "",
         "VENTAKAR : « "},
        // A saved design handed in, then the teacher's table of the drop folder with the list.
        {{"--rendre", classFolder.filePath("lea.ventakar"), "--dossier-de-remise",
          dropFolder.path()},
         0,
         "Rendu le ",
         "",
         " : 5e B/Léa — "},
        {{"--classe", dropFolder.path(), "--csv", "-", "--liste", pupils.fileName(),
          "--date-limite", "2026-12-09 17:00"},
         0,
         header.c_str(),
         "",
         "Tom;5e B;Non rendu;"},
        {{"--rendre", classFolder.filePath("lea.ventakar"), "--dossier-de-remise",
          dropFolder.filePath("absent")},
         1,
         "",
         "VENTAKAR : La conception n'a pas été rendue : le dossier de remise est introuvable"},
        {{"--rendre", pupils.fileName(), "--dossier-de-remise", dropFolder.path()},
         1,
         "",
         "VENTAKAR : la conception n'a pas été rendue. Fichier « "},
        {{"--dossier-de-remise", dropFolder.path()},
         1,
         "",
         "VENTAKAR : --dossier-de-remise s'emploie avec --rendre FICHIER."},
        {{"--liste", pupils.fileName()}, 1, "", "VENTAKAR : --liste s'emploie avec --classe"},
        {{"--classe", dropFolder.path(), "--csv", "-", "--date-limite", "demain"},
         1,
         "",
         "VENTAKAR : --date-limite : « demain » n'est pas une date"},
    };
    for (const auto& run : runs) {
#ifdef Q_OS_WIN
        if (std::string(run.err).find("aucun écran") != std::string::npos) {
            std::cout << "[ note ] « " << run.err << " » : Windows always has a screen\n";
            continue;
        }
#endif
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, run.arguments);
        ASSERT_TRUE(process.waitForFinished(10000));
        // Messages are text, in the system's own line ends; the CSV is bytes, its own.
        const std::string out =
            process.readAllStandardOutput().replace(kTextLineEnd, "\n").toStdString();
        const std::string err =
            process.readAllStandardError().replace(kTextLineEnd, "\n").toStdString();
        EXPECT_EQ(process.exitCode(), run.status) << run.arguments.join(' ').toStdString();
        EXPECT_EQ(out.rfind(run.out, 0), 0u) << out;
        EXPECT_EQ(err.rfind(run.err, 0), 0u) << err;
        EXPECT_NE(out.find(run.contains), std::string::npos) << out;
        if (*run.absent) EXPECT_EQ(out.find(run.absent), std::string::npos) << out;
    }
    QFile workbook(outFolder.filePath("c.ODS"));
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_TRUE(workbook.read(90).mid(30).startsWith(
        "mimetypeapplication/vnd.oasis.opendocument.spreadsheet"));
    QFile design(outFolder.filePath("copie.ods"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    EXPECT_TRUE(design.readAll().startsWith("{")) << "a design is never replaced by a spreadsheet";
}

}  // namespace

namespace {

// The manual page knows every option --help gives, and the recovery files as they are.
TEST(CommandLine, TheManualPageNamesEveryOption) {
    QFile page(QStringLiteral(VENTAKAR_SOURCE_DIR "/packaging/ventakar.1"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(page.readAll()).remove('\\');
    const QString help = commandLineHelp();
    static const QRegularExpression option("--([a-z]+)");
    int options = 0;
    for (auto it = option.globalMatch(help); it.hasNext();) {
        const QString name = it.next().captured(0);
        EXPECT_TRUE(manual.contains(name)) << name.toStdString();
        ++options;
    }
    EXPECT_GE(options, 6);
    EXPECT_TRUE(manual.contains("recuperation-DATE-PID.ventakar"));
    EXPECT_FALSE(manual.contains("ventakar/recuperation.ventakar"));
}

}  // namespace
