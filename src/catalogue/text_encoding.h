#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a catalogue's bytes are text: today's editors save UTF-8, older ones Windows-1252.
enum class TextEncoding { Windows1252, Utf8, Utf8WithMark };

// UTF-8 when the bytes begin with its byte-order mark, or are valid UTF-8 holding at least one
// multi-byte sequence; Windows-1252 otherwise (plain ASCII included, which reads the same).
TextEncoding detectEncoding(std::string_view bytes);

// The name of the UTF-16 form the bytes are in (« UTF-16 LE »), which some editors offer and
// VENTAKAR does not read; nullptr when they are not UTF-16.
const char* utf16Name(std::string_view bytes);

// Why a UTF-16 catalogue is refused.
inline constexpr const char* kUtf16Refusal =
    "le fichier est enregistré en UTF-16, que VENTAKAR ne lit pas : enregistrez-le en UTF-8 ou en "
    "Windows-1252.";

// Bytes to skip at the start: the byte-order mark.
std::size_t encodingMarkSize(TextEncoding encoding);

// The encoding's name in the check's report.
const char* encodingName(TextEncoding encoding);

// Appends bytes of that encoding to out as UTF-8; a byte that is not valid UTF-8 in a UTF-8 file
// becomes U+FFFD.
void appendAsUtf8(std::string& out, std::string_view bytes, TextEncoding encoding);
