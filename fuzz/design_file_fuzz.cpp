// Reading a design file from arbitrary bytes: accepted or refused with a DataError, never
// anything else; what is accepted is written back to a text that reads as the same choices.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/data_error.h"
#include "document/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DesignChoices choices;
    try {
        choices = readDesign(bytes, "fuzz.ventakar");
    } catch (const DataError&) {
        return 0;
    }
    if (!(readDesign(writeDesign(choices), "again.ventakar") == choices)) std::abort();
    return 0;
}
