#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "catalogue/record_source.h"
#include "window/platform.h"

// Why the picture at path cannot be decoded, in the window's words; empty when it can.
using PictureCheck = std::function<std::string(const std::string& path)>;

// The program's way of decoding a picture, given once at start where pictures can be decoded;
// without one, a scan only looks whether a picture is there.
void setPictureCheck(PictureCheck check);

// The platform a class scan replays designs on: catalogues from one snapshot (its own, or one
// shared by several platforms), each picture checked once as the window would load it, no dialog.
class ScanPlatform : public Platform {
  public:
    explicit ScanPlatform(std::string decimalSeparator,
                          std::shared_ptr<const CatalogueSnapshot> snapshot = nullptr)
        : separator_(std::move(decimalSeparator)),
          snapshot_(snapshot ? std::move(snapshot) : std::make_shared<CatalogueSnapshot>()) {}

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
    const RecordSource& records() override { return *snapshot_; }
    const std::shared_ptr<const CatalogueSnapshot>& snapshot() const { return snapshot_; }

  private:
    std::string separator_;
    std::shared_ptr<const CatalogueSnapshot> snapshot_;
    std::map<std::string, std::string> pictures_;  // path, why it fails (empty: it loads)
};
