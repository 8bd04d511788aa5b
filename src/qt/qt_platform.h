#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "window/platform.h"

// Decodes the picture at path into image; why it cannot be, in the window's words, or empty.
std::string decodePicture(const std::string& path, QImage* image);

// Gives class scans and comparisons the window's way of decoding pictures.
void installPictureCheck();

// The Platform on Qt: pictures decoded with QImageReader and kept until the view takes them, the
// system number format, the start window and the message boxes.
class QtPlatform : public Platform {
  public:
    PictureSize loadPicture(const std::string& path) override;
    std::string decimalSeparator() override;
    void showStartWindow() override;
    int askChoice(const std::string& question, const std::string& title, const std::string& detail,
                  const std::vector<std::string>& buttons, int defaultButton,
                  int cancelButton) override;
    bool askYesNo(const std::string& question, const std::string& title,
                  const std::string& detail) override;
    void showWarning(const std::string& text) override;
    void endProgram() override;

    // Hands over the picture loaded from path during this event, or decodes it again (a null
    // image when that fails).
    QImage takeImage(const std::string& path);
    // Drops every picture decoded and not yet handed over.
    void releasePictures() { images_.clear(); }
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    void setEndProgramAction(std::function<void()> action) { endProgram_ = std::move(action); }

  private:
    std::map<std::string, QImage> images_;
    QPointer<QWidget> dialogParent_;
    std::function<void()> endProgram_;
};
