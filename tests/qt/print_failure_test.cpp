#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>

#include "modal_helper.h"
#include "window_driver.h"

namespace {

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Run by the test below in a child process whose file sizes are limited, as on a full disk.
TEST(PrintChild, PrintsUnderTheFileSizeLimitItIsGiven) {
    const QByteArray pdf = qgetenv("VENTAKAR_CHILD_PDF");
    const long limit = qEnvironmentVariableIntValue("VENTAKAR_CHILD_FSIZE");
    if (pdf.isEmpty() || limit <= 0) GTEST_SKIP() << "run by Printing.AFullDiskLeavesNoPartialFile";
#ifdef _WIN32
    GTEST_SKIP() << "a file-size limit (setrlimit) stands for the full disk on POSIX only";
#else
    std::signal(SIGXFSZ, SIG_IGN);  // as the program does
    const rlimit rl{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &rl), 0);
#endif
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    const QString message = driver::printToPdf(w, QString::fromUtf8(pdf));
    std::printf("MESSAGE<%s>\n", message.toUtf8().constData());
    std::fflush(stdout);
}

QString childMessage(const QString& pdf, qint64 limit) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VENTAKAR_CHILD_PDF", pdf);
    env.insert("VENTAKAR_CHILD_FSIZE", QString::number(limit));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=PrintChild.*"});
    EXPECT_TRUE(child.waitForFinished(60000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    const int begin = out.indexOf("MESSAGE<");
    return begin < 0 ? QString() : out.mid(begin + 8, out.indexOf(">\n", begin) - begin - 8);
}

TEST(Printing, AFullDiskLeavesNoPartialFileAndNeverReplacesAGoodReport) {
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    QTemporaryDir dir;
    const QString good = dir.filePath("rapport.pdf");
    ASSERT_EQ(driver::printToPdf(w, good), "PDF enregistré : " + QFileInfo(good).fileName());
    const QByteArray report = contents(good);
    ASSERT_GT(report.size(), 20000);
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the full disk is a file-size limit (setrlimit), POSIX's only";
#endif

    // A second print that runs out of room: the good report stays as it was, nothing is left over.
    const QString again = childMessage(good, report.size() / 2);
    EXPECT_TRUE(again.startsWith("Impression impossible : ")) << again.toStdString();
    // Said as it is: the file outgrew what it may be, not a printer refusing a page.
    EXPECT_TRUE(again.contains("dépasse la taille de fichier permise")) << again.toStdString();
    EXPECT_FALSE(again.contains("nouvelle page")) << again.toStdString();
    EXPECT_EQ(contents(good), report);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rapport.pdf"});

    // A first print that runs out of room leaves no file at all.
    const QString fresh = dir.filePath("nouveau.pdf");
    const QString first = childMessage(fresh, report.size() / 2);
    EXPECT_TRUE(first.startsWith("Impression impossible : ")) << first.toStdString();
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rapport.pdf"});

    // With room enough the child writes the report whole.
    EXPECT_EQ(childMessage(fresh, report.size() * 4),
              "PDF enregistré : " + QFileInfo(fresh).fileName());
    EXPECT_EQ(contents(fresh).size(), report.size());
}

TEST(Printing, TheDialogProposesAPdfNamedAfterTheDesignInAFolderThatExists) {
    const QString proposed = QtPrinter::proposedPdfFile();
    EXPECT_EQ(QFileInfo(proposed).fileName(), "Conception.pdf");
    EXPECT_TRUE(QFileInfo(QFileInfo(proposed).absolutePath()).isWritable())
        << proposed.toStdString();
    EXPECT_EQ(QFileInfo(QtPrinter::proposedPdfFile("/x/voiture1.ventakar")).fileName(),
              "voiture1.pdf");
    driver::PassingDesign design;
    ASSERT_TRUE(design.w.isLoaded());
    DesignWindow& w = design.w;
    QString offered;
    whenModalAppears([&](QWidget* modal) {
        ASSERT_TRUE(driver::isReportDialog(modal));
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            offered = files->selectedFiles().value(0);
            files->reject();
            return;
        }
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            offered = dialog->printer()->outputFileName();
        } else if (auto* field = dialog->findChild<QLineEdit*>("filename")) {
            offered = field->text();
        }
        dialog->reject();
    });
    w.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(offered, proposed);
}

}  // namespace
