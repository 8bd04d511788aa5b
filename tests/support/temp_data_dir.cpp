#include "support/temp_data_dir.h"

#include <fstream>

#include <random>
#include "files/file_system.h"

namespace fs = std::filesystem;

TempDataDir::TempDataDir() : previous_(fs::current_path()) {
    std::random_device device;
    root_ = fs::temp_directory_path() / ("ventakar-test-" + std::to_string(device()));
    fs::create_directories(root_ / "Data");
    fs::current_path(root_);
}

TempDataDir::~TempDataDir() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(root_, ignored);
}

void TempDataDir::write(const std::string& name, std::string_view bytes) const {
    const fs::path path = root_ / "Data" / systemPath(name);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempDataDir::copySuppliedData() const {
    // File by file: one recursive copy into an existing folder fails with Windows' library.
    const fs::path from = fs::path(VENTAKAR_SOURCE_DIR) / "Data";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path to = root_ / "Data" / entry.path().lexically_relative(from);
        if (entry.is_directory()) {
            fs::create_directories(to);
        } else {
            fs::remove(to);  // (overwrite_existing fails on Windows with GCC 12's library)
            fs::copy_file(entry.path(), to);
        }
    }
}

void TempDataDir::remove(const std::string& name) const {
    fs::remove(root_ / "Data" / systemPath(name));
}
