// Picture names from catalogue fields: an accepted name always stays inside Data/, and the name
// a message shows has no control character and a bounded length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/safe_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    try {
        const std::string path = dataPicturePath(name, ".jpg");
        if (path.rfind("Data/", 0) != 0) std::abort();
        if (!name.empty() && (name.front() == '/' || name.front() == '\\')) std::abort();
        std::size_t start = 0;
        while (start <= name.size()) {
            std::size_t end = name.find_first_of("/\\", start);
            if (end == std::string::npos) end = name.size();
            if (name.compare(start, end - start, "..") == 0) std::abort();
            start = end + 1;
        }
    } catch (const DataError& error) {
        const std::string shown(error.what());
        if (shown.size() > 2000) std::abort();
    }
    const std::string shown = safeName(name);
    for (unsigned char c : shown) {
        if (c < 0x20 || c == 0x7F) std::abort();
    }
    if (shown.size() > kMaxShownChars * 4 + 3) std::abort();
    return 0;
}
