#include "qt/name_keeping_file_dialog.h"

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
    QString name = field->text().trimmed();
    if (name.isEmpty() || name.contains('/')) {
        QFileDialog::accept();
        return;
    }
    if (!defaultSuffix().isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += "." + defaultSuffix();
    if (QFile::encodeName(name).size() > kMaxNameBytes) {
        QMessageBox box(QMessageBox::Warning, "VENTAKAR",
                        QString("Ce nom de fichier est trop long : %1 octets, quand le disque en "
                                "accepte %2 au plus. Choisissez un nom plus court.")
                            .arg(QFile::encodeName(name).size())
                            .arg(kMaxNameBytes),
                        QMessageBox::Ok, this);
        box.exec();
        return;  // the dialog stays open on the name, to shorten it
    }
    if (!name.contains('"')) {
        QFileDialog::accept();
        return;
    }
    const QString file = directory().absoluteFilePath(name);
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
