#include "qt/qt_platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "catalogue/data_error.h"
#include "classroom/scan_platform.h"
#include "qt/image_errors.h"
#include "qt/message_box.h"
#include "qt/start_window.h"
#include "qt/system_number_format.h"

std::string decodePicture(const std::string& path, QImage* image) {
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (!info.exists()) return "l'image est introuvable.";
    if (!info.isFile() || !info.isReadable()) return "l'image ne peut pas être lue.";
    QImageReader reader(file);
    *image = reader.read();
    if (image->isNull())
        return "l'image ne peut pas être décodée (" + imageErrorInFrench(reader) + ").";
    return {};
}

void installPictureCheck() {
    setPictureCheck([](const std::string& path) {
        QImage image;
        return decodePicture(path, &image);
    });
}

PictureSize QtPlatform::loadPicture(const std::string& path) {
    QImage image;
    const std::string failure = decodePicture(path, &image);
    if (!failure.empty()) throw DataError(path, failure);
    const PictureSize size{image.width(), image.height()};
    images_[path] = std::move(image);
    return size;
}

std::string QtPlatform::decimalSeparator() {
    return systemDecimalSeparator();
}

void QtPlatform::showStartWindow() {
    StartWindow window(dialogParent_);
    window.exec();
}

bool QtPlatform::askYesNo(const std::string& question, const std::string& title,
                          const std::string& detail) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                    dialogParent_);
    box.setDefaultButton(QMessageBox::Yes);
    if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
    return box.exec() == QMessageBox::Yes;
}

int QtPlatform::askChoice(const std::string& question, const std::string& title,
                          const std::string& detail, const std::vector<std::string>& buttons,
                          int defaultButton, int cancelButton) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(question), QMessageBox::NoButton, dialogParent_);
    std::vector<QPushButton*> pushed;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QString text = QString::fromStdString(buttons[i]);
        // Oui and Non stay the toolkit's own buttons, as in every other question.
        if (text == "Oui" || text == "Non") {
            QPushButton* b = box.addButton(text == "Oui" ? QMessageBox::Yes : QMessageBox::No);
            b->setText(text);
            pushed.push_back(b);
            continue;
        }
        const auto role =
            int(i) == cancelButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        pushed.push_back(box.addButton(text, role));
    }
    box.setDefaultButton(pushed.at(defaultButton));
    box.setEscapeButton(pushed.at(cancelButton));
    if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
    box.exec();
    const auto it = std::find(pushed.begin(), pushed.end(), box.clickedButton());
    return it == pushed.end() ? cancelButton : int(it - pushed.begin());
}

void QtPlatform::showWarning(const std::string& text) {
    showOkBox(QMessageBox::Warning, text, dialogParent_);
}

void QtPlatform::endProgram() {
    if (endProgram_) endProgram_();
    QCoreApplication::exit(0);
}

QImage QtPlatform::takeImage(const std::string& path) {
    auto it = images_.find(path);
    if (it == images_.end()) return QImageReader(QString::fromStdString(path)).read();
    QImage image = std::move(it->second);
    images_.erase(it);
    return image;
}
