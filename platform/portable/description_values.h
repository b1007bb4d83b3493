// How a printer description file writes the values it records: byte strings as JSON strings whose
// characters U+0000 to U+00FF stand for the bytes 0x00 to 0xFF (so a capture keeps every byte of
// any code page), byte blocks as hexadecimal, device modes raw or field by field.
#pragma once

#include "platform/win_records.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace ostrel {

using Json = nlohmann::json;

// Throws std::runtime_error naming what is wrong.
std::string BytesOfJsonString(const Json& value);
Json JsonStringOfBytes(const std::string& bytes);

// Wide texts (media type names) are ordinary JSON strings.
std::u16string Utf16OfJsonString(const Json& value);
Json JsonStringOfUtf16(const std::u16string& text);

std::vector<BYTE> BytesOfHex(const std::string& hex);
std::string HexOfBytes(const BYTE* bytes, std::size_t count);

// A device mode: {"hex": "..."} holds its bytes as they came; otherwise an object of DEVMODEA field
// names (absent fields are 0, dmSize defaults to 156, dmDriverExtra to the length of "extra") with
// the driver-private bytes in "extra" as hexadecimal.
std::vector<BYTE> DevModeOfJson(const Json& value);
Json JsonOfDevMode(const BYTE* record, std::size_t size);

}  // namespace ostrel
