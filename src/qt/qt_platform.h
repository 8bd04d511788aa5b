#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "window/platform.h"

// The Platform on Qt: pictures decoded with QImageReader and kept for the view, the system
// number format, the start window and the message boxes.
class QtPlatform : public Platform {
public:
    PictureSize loadPicture(const std::string& path) override;
    std::string decimalSeparator() override;
    void showStartWindow() override;
    bool askYesNo(const std::string& question, const std::string& title) override;
    void endProgram() override;

    // The picture last loaded from path (a null image if it never was).
    QImage image(const std::string& path) const;
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    void setEndProgramAction(std::function<void()> action) { endProgram_ = std::move(action); }

private:
    std::map<std::string, QImage> images_;
    QPointer<QWidget> dialogParent_;
    std::function<void()> endProgram_;
};
