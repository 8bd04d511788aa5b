#pragma once

#include "window/platform.h"

// A platform answering as another one does, but reading catalogue records from a source of its
// own: a choice made from a table computed on a snapshot is made on that same reading.
class PlatformReadingFrom : public Platform {
  public:
    PlatformReadingFrom(Platform& base, const RecordSource& records)
        : base_(base), records_(records) {}

    PictureSize loadPicture(const std::string& path) override { return base_.loadPicture(path); }
    std::string decimalSeparator() override { return base_.decimalSeparator(); }
    void showStartWindow() override { base_.showStartWindow(); }
    bool askYesNo(const std::string& question, const std::string& title,
                  const std::string& detail) override {
        return base_.askYesNo(question, title, detail);
    }
    int askChoice(const std::string& question, const std::string& title, const std::string& detail,
                  const std::vector<std::string>& buttons, int defaultButton,
                  int cancelButton) override {
        return base_.askChoice(question, title, detail, buttons, defaultButton, cancelButton);
    }
    void showWarning(const std::string& text) override { base_.showWarning(text); }
    void endProgram() override { base_.endProgram(); }
    const RecordSource& records() override { return records_; }

  private:
    Platform& base_;
    const RecordSource& records_;
};
