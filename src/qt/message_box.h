#pragma once

#include <QMessageBox>
#include <string>

// A message with the application's title and an OK button, shown modally.
inline void showOkBox(QMessageBox::Icon icon, const std::string& text, QWidget* parent) {
    QMessageBox box(icon, "VENTAKAR", QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}
