#pragma once

#include <map>
#include <string>

#include "catalogue/record_source.h"
#include "window/platform.h"

// The platform a class scan replays designs on: catalogues from one snapshot, pictures only
// looked for (a missing one fails as in the window) and never decoded, no dialog.
class ScanPlatform : public Platform {
  public:
    explicit ScanPlatform(std::string decimalSeparator) : separator_(std::move(decimalSeparator)) {}

    PictureSize loadPicture(const std::string& path) override;
    std::string decimalSeparator() override { return separator_; }
    void showStartWindow() override {}
    bool askYesNo(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    int askChoice(const std::string&, const std::string&, const std::string&,
                  const std::vector<std::string>&, int, int cancelButton) override {
        return cancelButton;
    }
    void showWarning(const std::string&) override {}
    void endProgram() override {}
    const RecordSource& records() override { return snapshot_; }

  private:
    std::string separator_;
    CatalogueSnapshot snapshot_;
    std::map<std::string, bool> pictures_;  // path, found
};
