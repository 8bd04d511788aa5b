#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh working directory with a Data/ folder for one test; the previous directory comes back
// when it goes out of scope.
class TempDataDir {
  public:
    TempDataDir();
    ~TempDataDir();
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    // Writes bytes to Data/<name> as they stand (no newline or code page conversion).
    void write(const std::string& name, std::string_view bytes) const;
    // Copies the supplied Data/ of the source tree into this one.
    void copySuppliedData() const;
    void remove(const std::string& name) const;
    std::filesystem::path root() const { return root_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
};
