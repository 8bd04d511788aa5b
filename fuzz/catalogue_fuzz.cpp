// Feeds arbitrary bytes to the catalogue reader: the record syntax, the number display, the
// picture names and MyVal on every field it yields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_error.h"
#include "catalogue/my_val.h"
#include "catalogue/record_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int fieldCount = 1 + data[0] % 9;
    const std::string_view separator = (data[0] & 0x80) ? "." : ",";
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        RecordParser parser(bytes, "Data/Fuzz.txt", fieldCount, separator);
        FieldList fields;
        while (parser.next(&fields)) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                volatile double value = MyVal(fields[i], separator);
                (void)value;
            }
            try {
                (void)dataPicturePath(std::string(fields.front()), ".jpg");
            } catch (const DataError&) {
            }
        }
    } catch (const DataError&) {
    }
    return 0;
}
