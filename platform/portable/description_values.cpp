#include "platform/portable/description_values.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <stdexcept>

namespace ostrel {

namespace {

struct DevModeField {
    const char* name;
    std::size_t offset;
    std::size_t size;
    bool isText;
};

#define DEVMODE_NUMBER(field) {#field, offsetof(DEVMODEA, field), sizeof(DEVMODEA::field), false}
#define DEVMODE_TEXT(field) {#field, offsetof(DEVMODEA, field), sizeof(DEVMODEA::field), true}

constexpr DevModeField DevModeFields[] = {
    DEVMODE_TEXT(dmDeviceName),          DEVMODE_NUMBER(dmSpecVersion),  DEVMODE_NUMBER(dmDriverVersion),
    DEVMODE_NUMBER(dmSize),       DEVMODE_NUMBER(dmDriverExtra),  DEVMODE_NUMBER(dmFields),
    DEVMODE_NUMBER(dmOrientation), DEVMODE_NUMBER(dmPaperSize),     DEVMODE_NUMBER(dmPaperLength),
    DEVMODE_NUMBER(dmPaperWidth),  DEVMODE_NUMBER(dmScale),         DEVMODE_NUMBER(dmCopies),
    DEVMODE_NUMBER(dmDefaultSource), DEVMODE_NUMBER(dmPrintQuality), DEVMODE_NUMBER(dmColor),
    DEVMODE_NUMBER(dmDuplex),      DEVMODE_NUMBER(dmYResolution),   DEVMODE_NUMBER(dmTTOption),
    DEVMODE_NUMBER(dmCollate),     DEVMODE_TEXT(dmFormName),              DEVMODE_NUMBER(dmLogPixels),
    DEVMODE_NUMBER(dmBitsPerPel), DEVMODE_NUMBER(dmPelsWidth),    DEVMODE_NUMBER(dmPelsHeight),
    DEVMODE_NUMBER(dmNup),        DEVMODE_NUMBER(dmDisplayFrequency), DEVMODE_NUMBER(dmICMMethod),
    DEVMODE_NUMBER(dmICMIntent),  DEVMODE_NUMBER(dmMediaType),    DEVMODE_NUMBER(dmDitherType),
    DEVMODE_NUMBER(dmReserved1),  DEVMODE_NUMBER(dmReserved2),    DEVMODE_NUMBER(dmPanningWidth),
    DEVMODE_NUMBER(dmPanningHeight),
};

#undef DEVMODE_TEXT
#undef DEVMODE_NUMBER

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw std::runtime_error(std::string("not a hexadecimal digit: '") + c + "'");
}

}  // namespace

std::string BytesOfJsonString(const Json& value)
{
    if (!value.is_string())
        throw std::runtime_error("expected a string, found " + value.dump());
    const auto& utf8 = value.get_ref<const std::string&>();
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
            bytes += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            throw std::runtime_error("a byte string holds a character above U+00FF: " + value.dump());
        }
    }
    return bytes;
}

Json JsonStringOfBytes(const std::string& bytes)
{
    std::string utf8;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::u16string Utf16OfJsonString(const Json& value)
{
    const std::string utf8 = value.get<std::string>();
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + length > utf8.size())
            throw std::runtime_error("broken UTF-8 in " + value.dump());
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            text += static_cast<char16_t>(0xD800 + (code >> 10));
            text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
    }
    return text;
}

Json JsonStringOfUtf16(const std::u16string& text)
{
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (code >> 18));
            utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::vector<BYTE> BytesOfHex(const std::string& hex)
{
    std::vector<BYTE> bytes;
    std::size_t i = 0;
    while (i < hex.size()) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= hex.size())
            throw std::runtime_error("odd number of hexadecimal digits");
        bytes.push_back(static_cast<BYTE>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
        i += 2;
    }
    return bytes;
}

std::string HexOfBytes(const BYTE* bytes, std::size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::size_t i = 0; i < count; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0xF];
    }
    return hex;
}

std::vector<BYTE> DevModeOfJson(const Json& value)
{
    if (!value.is_object())
        throw std::runtime_error("a device mode must be an object: " + value.dump());
    if (value.contains("hex"))
        return BytesOfHex(value.at("hex").get<std::string>());

    const std::vector<BYTE> extra = value.contains("extra") ? BytesOfHex(value.at("extra").get<std::string>())
                                                            : std::vector<BYTE>{};
    DEVMODEA record{};
    record.dmSize = sizeof(DEVMODEA);
    record.dmDriverExtra = static_cast<WORD>(extra.size());
    auto* bytes = reinterpret_cast<BYTE*>(&record);
    for (const auto& [name, field] : value.items()) {
        if (name == "extra")
            continue;
        const DevModeField* known = nullptr;
        for (const DevModeField& candidate : DevModeFields)
            if (name == candidate.name)
                known = &candidate;
        if (known == nullptr)
            throw std::runtime_error("unknown device-mode field: " + name);
        if (known->isText) {
            const std::string text = BytesOfJsonString(field);
            std::memcpy(bytes + known->offset, text.data(), std::min(text.size(), known->size));
        } else {
            const auto number = field.get<std::int64_t>();
            std::memcpy(bytes + known->offset, &number, known->size);  // little-endian: the low bytes
        }
    }
    std::vector<BYTE> result(bytes, bytes + std::min<std::size_t>(record.dmSize, sizeof record));
    result.resize(record.dmSize, 0);
    result.insert(result.end(), extra.begin(), extra.end());
    return result;
}

Json JsonOfDevMode(const BYTE* record, std::size_t size)
{
    return Json{{"hex", HexOfBytes(record, size)}};
}

}  // namespace ostrel
