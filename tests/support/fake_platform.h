#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogue/data_error.h"
#include "window/platform.h"

// A Platform for core tests: pictures are 75 x 75 unless listed as missing, questions get the
// prepared answer, and every call is logged in order.
class FakePlatform : public Platform {
  public:
    PictureSize loadPicture(const std::string& path) override {
        log.push_back("picture " + path);
        if (missingPictures.count(path)) throw DataError(path, "l'image est introuvable.");
        if (undecodablePictures.count(path))
            throw DataError(path, "l'image ne peut pas être décodée.");
        return pictureSize;
    }
    std::string decimalSeparator() override { return separator; }
    void showStartWindow() override { log.push_back("start window"); }
    bool askYesNo(const std::string& question, const std::string& title,
                  const std::string& detail) override {
        log.push_back("ask " + title + ": " + question + (detail.empty() ? "" : " | " + detail));
        return answer;
    }
    int askChoice(const std::string& question, const std::string& title, const std::string& detail,
                  const std::vector<std::string>& buttons, int defaultButton,
                  int cancelButton) override {
        std::string names;
        for (const std::string& b : buttons) names += (names.empty() ? "" : "/") + b;
        log.push_back("choose " + title + ": " + question + (detail.empty() ? "" : " | " + detail) +
                      " [" + names + "] default " + buttons.at(defaultButton) + ", cancel " +
                      buttons.at(cancelButton));
        return choice;
    }
    void showWarning(const std::string& text) override {
        log.push_back("warning " + text);
        warnings.push_back(text);
    }
    void endProgram() override { log.push_back("end program"); }

    std::vector<std::string> picturesLoaded() const {
        std::vector<std::string> pictures;
        for (const std::string& entry : log) {
            if (entry.rfind("picture ", 0) == 0) pictures.push_back(entry.substr(8));
        }
        return pictures;
    }

    std::vector<std::string> log;
    std::set<std::string> missingPictures;
    std::set<std::string> undecodablePictures;
    std::vector<std::string> warnings;
    PictureSize pictureSize{75, 75};
    std::string separator = ",";
    bool answer = false;
    int choice = 0;
};
