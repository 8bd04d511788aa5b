#include "qt/export_file.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>

#include "catalogue/data_error.h"
#include "document/atomic_file.h"
#include "qt/message_box.h"
#include "qt/name_keeping_file_dialog.h"
#include "qt/path_text.h"
#include "qt/spreadsheet_file.h"
#include "qt/user_folders.h"

bool writeExport(const QString& file, const std::string& bytes, const std::string& notDone,
                 QWidget* parent) {
    try {
        writeOutputFile(pathBytes(file), bytes);
        sayExported(parent, file);
        return true;
    } catch (const DataError& error) {
        showOkBox(QMessageBox::Warning, notDone + " " + error.what(), parent);
        return false;
    }
}

bool writeWorkbookExport(const QString& file, const TeacherTable& table, const std::string& sheet,
                         const std::string& notDone, QWidget* parent) {
    const std::string path = pathBytes(file);
    SpreadsheetKind kind{};
    if (!spreadsheetKindOf(path, &kind)) {
        showOkBox(QMessageBox::Warning,
                  notDone + " " +
                      DataError(path,
                                "un classeur se nomme en .ods (OpenDocument) ou en .xlsx (Excel) ; "
                                "choisissez l'un de ces deux noms.")
                          .what(),
                  parent);
        return false;
    }
    return writeExport(file, spreadsheetBytes(table, sheet, kind), notDone, parent);
}

QString chooseWorkbookFile(QWidget* parent, const QString& title, const QString& proposedBase) {
    return chooseSaveFile(parent, title, "Classeurs OpenDocument ou Excel (*.ods *.xlsx)", "ods",
                          proposedBase + ".ods");
}

void sayExported(QWidget* parent, const QString& file) {
    QMainWindow* window = nullptr;
    for (QWidget* w = parent; w && !window; w = w->parentWidget())
        window = qobject_cast<QMainWindow*>(w);
    if (!window) return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    const QString kind = suffix == "pdf"                       ? "PDF"
                         : suffix == "csv"                     ? "CSV"
                         : suffix == "ods" || suffix == "xlsx" ? "Classeur"
                                                               : "Fichier";
    window->statusBar()->showMessage(kind + " enregistré : " + QFileInfo(file).absoluteFilePath());
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter,
                       const QString& suffix, const QString& proposedName) {
    NameKeepingFileDialog dialog(parent, title);
    frenchFileDialog(dialog, "Enregistrer");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({filter, "Tous les fichiers (*)"});
    dialog.setDefaultSuffix(suffix);
    // Each kind of file where the last one of its kind went.
    QSettings settings;
    const QString key = "dossiers/export-" + suffix;
    const QString last = settings.value(key).toString();
    dialog.setDirectory(!last.isEmpty() && QFileInfo(last).isDir() ? last : proposedFolder());
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString chosen = dialog.chosenFile();
    if (!chosen.isEmpty()) settings.setValue(key, QFileInfo(chosen).absolutePath());
    return chosen;
}

QString choosePdfWithoutPrinter(QWidget* parent, const QString& proposed) {
    return chooseSaveFile(parent, "Imprimer en PDF : aucune imprimante n'est installée",
                          "Documents PDF (*.pdf)", "pdf", proposed);
}
