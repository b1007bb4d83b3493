// How a printer description file writes the values it records: byte strings as JSON strings whose
// characters U+0000 to U+00FF stand for the bytes 0x00 to 0xFF (so a capture keeps every byte of
// any code page), byte blocks as hexadecimal, device modes raw or field by field.
#pragma once

#include "platform/spooler.h"
#include "platform/win_records.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace ostrel {

using Json = nlohmann::json;

// No real description nests deeper than this; deeper input is refused before a value is built.
constexpr std::size_t MaxDescriptionDepth = 16;

// Parses a description file's text. Throws std::runtime_error naming what is wrong and where.
Json ParseDescription(const std::string& text);
// Throws std::runtime_error when value nests deeper than MaxDescriptionDepth.
void CheckDepth(const Json& value);

// A message of the JSON library in plain words: without its tags and its own place of a syntax
// error (ParseDescription says where by line and column).
std::string PlainJsonProblem(std::string message);

// A short quotation of a value for an error message, however large or deep the value is.
std::string Excerpt(const Json& value);
// The start of a text (a member name) for an error message.
std::string ShortText(const std::string& text);

// Runs read and prefixes what it throws with the name of the member being read.
template <class Read>
auto InMember(const std::string& name, Read&& read) -> decltype(read())
{
    try {
        return read();
    } catch (const std::exception& error) {
        throw std::runtime_error(name + ": " + error.what());
    }
}

// The integer a JSON number holds, as a 64-bit two's complement pattern, when it lies in [min, max].
// A number that is not an integer or lies outside throws; no conversion is left undefined.
std::uint64_t CheckedInteger(const Json& value, std::int64_t min, std::uint64_t max);

// A number the platform answers or takes as T: it must fit T.
template <class T>
T IntegerOf(const Json& value)
{
    return static_cast<T>(CheckedInteger(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// The bits of a field of the given size: any value that fits the field read as signed or as
// unsigned (-1 and 0xFFFF both fill a 16-bit field).
std::uint64_t FieldBitsOf(const Json& value, std::size_t size);

template <class T>
T BitsOf(const Json& value)
{
    return static_cast<T>(FieldBitsOf(value, sizeof(T)));
}

// A member name that stands for a number (an error code, an information level): decimal digits.
DWORD DwordOfKey(const std::string& key);

// Throws std::runtime_error naming what is wrong.
std::string BytesOfJsonString(const Json& value);
Json JsonStringOfBytes(const std::string& bytes);

// Wide texts (media type names) are ordinary JSON strings; a text that is not valid UTF-16 (a lone
// surrogate, as a name cut between the halves of a pair) is {"utf16": [unit, ...]}.
std::u16string Utf16OfJsonString(const Json& value);
Json JsonStringOfUtf16(const std::u16string& text);

// The layout a description was captured with: "win32" or "win64"; absent, the 32-bit one.
WindowsLayout WindowsLayoutOfJson(const Json& system);
Json JsonOfWindowsLayout(WindowsLayout layout);

std::vector<BYTE> BytesOfHex(const std::string& hex);
std::string HexOfBytes(const BYTE* bytes, std::size_t count);

// A device mode: {"hex": "..."} holds its bytes as they came; otherwise an object of DEVMODEA field
// names (absent fields are 0, dmSize defaults to 156, dmDriverExtra to the length of "extra") with
// the driver-private bytes in "extra" as hexadecimal.
std::vector<BYTE> DevModeOfJson(const Json& value);
Json JsonOfDevMode(const BYTE* record, std::size_t size);

}  // namespace ostrel
