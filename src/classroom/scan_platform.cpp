#include "classroom/scan_platform.h"

#include <filesystem>
#include <mutex>

#include "catalogue/data_error.h"
#include "files/file_system.h"

namespace {

std::mutex checkMutex;
PictureCheck& pictureCheck() {
    static PictureCheck check;
    return check;
}

}  // namespace

void setPictureCheck(PictureCheck check) {
    const std::lock_guard<std::mutex> lock(checkMutex);
    pictureCheck() = std::move(check);
}

PictureSize ScanPlatform::loadPicture(const std::string& path) {
    auto [it, fresh] = pictures_.try_emplace(path);
    if (fresh) {
        // As it is before it is looked at: a change made while it is checked counts.
        snapshot_->noteFile(path);
        std::error_code error;
        if (!std::filesystem::exists(systemPath(path), error)) {
            it->second = "l'image est introuvable.";
        } else {
            PictureCheck check;
            {
                const std::lock_guard<std::mutex> lock(checkMutex);
                check = pictureCheck();
            }
            if (check) it->second = check(path);
        }
    }
    if (!it->second.empty()) throw DataError(path, it->second);
    return {75, 75};
}
