// MyVal on arbitrary text: never a NaN, never beyond a double, the same with either regional
// separator when the text holds no separator at all, and the same as its nullable variant.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/my_val.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::string_view separator : {",", "."}) {
        const double value = MyVal(text, separator);
        if (std::isnan(value) || std::isinf(value)) std::abort();
        const auto nullable = MyValNullable(text, separator);
        if (!nullable || *nullable != value) std::abort();
    }
    if (text.find_first_of(",.") == std::string_view::npos && MyVal(text, ",") != MyVal(text, "."))
        std::abort();
    return 0;
}
