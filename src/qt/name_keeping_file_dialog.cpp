#include "qt/name_keeping_file_dialog.h"
#include "qt/path_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

QString NameKeepingFileDialog::chosenFile() const {
    if (!typed_.isEmpty()) return typed_;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void NameKeepingFileDialog::accept() {
    typed_.clear();
    auto* field = findChild<QLineEdit*>("fileNameEdit");
    if (acceptMode() != AcceptSave || !field) {
        QFileDialog::accept();
        return;
    }
    const QString typed = field->text().trimmed();
    if (typed.isEmpty()) {
        QFileDialog::accept();
        return;
    }
    // A path typed whole gets the checks of a plain name, on its last part.
    const QFileInfo path(directory().absoluteFilePath(typed));
    if (path.isDir() || typed.endsWith('/')) {
        QFileDialog::accept();  // a folder: the dialog goes into it
        return;
    }
    const QDir folder = path.absoluteDir();
    QString name = path.fileName();
    if (!defaultSuffix().isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += "." + defaultSuffix();
    if (qsizetype(pathBytes(name).size()) > kMaxNameBytes) {
        QMessageBox box(QMessageBox::Warning, "VENTAKAR",
                        QString("Ce nom de fichier est trop long : %1 octets, quand le disque en "
                                "accepte %2 au plus. Choisissez un nom plus court.")
                            .arg(qsizetype(pathBytes(name).size()))
                            .arg(kMaxNameBytes),
                        QMessageBox::Ok, this);
        box.exec();
        return;  // the dialog stays open on the name, to shorten it
    }
    if (!name.contains('"') && !typed.contains('/')) {
        QFileDialog::accept();
        return;
    }
    const QString file = folder.absoluteFilePath(name);
    if (QFileInfo::exists(file)) {
        QMessageBox box(QMessageBox::Question, "VENTAKAR",
                        "« " + name + " » existe déjà. Voulez-vous le remplacer ?",
                        QMessageBox::Yes | QMessageBox::No, this);
        box.button(QMessageBox::Yes)->setText("Oui");
        box.button(QMessageBox::No)->setText("Non");
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) return;
    }
    typed_ = file;
    QDialog::accept();
}

void frenchFileDialog(QFileDialog& dialog, const QString& acceptText, const QString& nameLabel) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, "Dossier :");
    dialog.setLabelText(QFileDialog::FileName, nameLabel);
    dialog.setLabelText(QFileDialog::FileType, "Type :");
    dialog.setLabelText(QFileDialog::Accept, acceptText);
    dialog.setLabelText(QFileDialog::Reject, "Annuler");
}

QString chooseFolder(QWidget* parent, const QString& title, const QString& acceptText,
                     const QString& nameLabel, const QString& start) {
    QFileDialog dialog(parent, title);
    frenchFileDialog(dialog, acceptText, nameLabel);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!start.isEmpty()) dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
