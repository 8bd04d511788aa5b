#pragma once

#include <stdexcept>
#include <string>

// A data file or picture of Data/ that cannot be used; carries the file and a French explanation.
class DataError : public std::runtime_error {
  public:
    DataError(std::string file, std::string reason);

    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

  private:
    std::string file_;
    std::string reason_;
};
