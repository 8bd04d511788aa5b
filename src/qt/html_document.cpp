#include "qt/html_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <cstdio>

#include "catalogue/data_error.h"
#include "document/atomic_file.h"
#include "qt/message_box.h"
#include "qt/name_keeping_file_dialog.h"
#include "qt/user_folders.h"

namespace {

void layOut(QPrinter& printer, QPageLayout::Orientation orientation) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

}  // namespace

bool printHtml(const QString& html, QPageLayout::Orientation orientation, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    layOut(printer, orientation);
    printer.setDocName("VENTAKAR");
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
    return true;
}

bool writeHtmlPdf(const QString& html, QPageLayout::Orientation orientation, const QString& file,
                  const QString& what, QWidget* parent) {
    const std::string refusal = outputRefusal(QFile::encodeName(file).toStdString());
    if (!refusal.empty()) {
        showOkBox(QMessageBox::Warning,
                  (what + " n'a pas été exporté(e) en PDF : « " + file + " » : ").toStdString() +
                      refusal,
                  parent);
        return false;
    }
    const QString partial = QFile::decodeName(QByteArray::fromStdString(
        temporaryBeside(QFile::encodeName(QFileInfo(file).absoluteFilePath()).toStdString())));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(partial);
        layOut(printer, orientation);
        QTextDocument document;
        document.setHtml(html);
        document.print(&printer);
    }
    QFile written(partial);
    const bool whole = written.open(QIODevice::ReadOnly) && written.read(5) == "%PDF-";
    written.close();
    if (whole && std::rename(QFile::encodeName(partial).constData(),
                             QFile::encodeName(file).constData()) == 0)
        return true;
    QFile::remove(partial);
    showOkBox(QMessageBox::Warning,
              (what + " n'a pas été exporté(e) en PDF : le fichier « " + file +
               " » ne peut pas être écrit.")
                  .toStdString(),
              parent);
    return false;
}

bool writeExport(const QString& file, const std::string& bytes, const std::string& notDone,
                 QWidget* parent) {
    try {
        writeOutputFile(QFile::encodeName(file).toStdString(), bytes);
        return true;
    } catch (const DataError& error) {
        showOkBox(QMessageBox::Warning, notDone + " " + error.what(), parent);
        return false;
    }
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposedName) {
    NameKeepingFileDialog dialog(parent, title);
    frenchFileDialog(dialog, "Enregistrer");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({filter, "Tous les fichiers (*)"});
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(proposedFolder());
    dialog.selectFile(proposedName);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenFile() : QString();
}
