#pragma once

#include <QMessageBox>
#include <QPushButton>
#include <string>

// « Enregistrer les modifications … ? » answered Enregistrer (the default), Ne pas enregistrer or
// Annuler: QMessageBox::Save, Discard or Cancel.
inline int askToSaveChanges(const QString& question, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, "VENTAKAR", question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText("Enregistrer");
    box.button(QMessageBox::Discard)->setText("Ne pas enregistrer");
    box.button(QMessageBox::Cancel)->setText("Annuler");
    box.setDefaultButton(QMessageBox::Save);
    return box.exec();
}

// A message with the application's title and an OK button, shown modally.
inline void showOkBox(QMessageBox::Icon icon, const std::string& text, QWidget* parent) {
    QMessageBox box(icon, "VENTAKAR", QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}

// A question answered by doing it (the button says what) or « Annuler ».
inline bool confirmed(QMessageBox::Icon icon, const QString& question, const QString& doIt,
                      QWidget* parent) {
    QMessageBox box(icon, "VENTAKAR", question, QMessageBox::Yes | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(doIt);
    box.button(QMessageBox::Cancel)->setText("Annuler");
    return box.exec() == QMessageBox::Yes;
}
