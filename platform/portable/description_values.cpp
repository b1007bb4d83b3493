#include "platform/portable/description_values.h"

#include "platform/portable/utf8.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

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

constexpr std::size_t ExcerptLength = 60;

// Counts the nesting while the parser reads, and stops it before a value nests too deep.
class DepthCheck final : public nlohmann::json_sax<Json> {
public:
    const std::string& Error() const { return error_; }

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool key(string_t&) override { return true; }
    bool start_object(std::size_t) override { return Enter(); }
    bool end_object() override { return Leave(); }
    bool start_array(std::size_t) override { return Enter(); }
    bool end_array() override { return Leave(); }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) override
    {
        position_ = position;
        // The parser's message quotes the last token read, which may be the whole of a long text.
        error_ = PlainJsonProblem(error.what()).substr(0, 2 * ExcerptLength);
        return false;
    }
    // Where the parser stopped, counted in bytes read; 0 when it did not stop at bad syntax.
    std::size_t Position() const { return position_; }

private:
    bool Enter()
    {
        if (++depth_ <= MaxDescriptionDepth)
            return true;
        error_ = "values nest deeper than " + std::to_string(MaxDescriptionDepth) + " levels";
        return false;
    }
    bool Leave()
    {
        --depth_;
        return true;
    }

    std::size_t depth_ = 0;
    std::size_t position_ = 0;
    std::string error_;
};

// "line 3, column 7" of the byte at which the parser stopped; columns count bytes from 1.
std::string PlaceOf(const std::string& text, std::size_t position)
{
    const std::size_t at = std::min(position > 0 ? position - 1 : 0, text.size());
    const std::size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    const std::size_t column = newline == std::string::npos ? at + 1 : at - newline;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Appends at most about ExcerptLength characters of value, descending at most depth levels.
void AppendExcerpt(const Json& value, int depth, std::string& out)
{
    if (out.size() > ExcerptLength)
        return;
    if (value.is_structured()) {
        const bool object = value.is_object();
        if (depth == 0 || value.empty()) {
            out += value.empty() ? (object ? "{}" : "[]") : (object ? "{...}" : "[...]");
            return;
        }
        out += object ? '{' : '[';
        bool first = true;
        for (auto item = value.begin(); item != value.end(); ++item) {
            if (out.size() > ExcerptLength) {
                out += ", ...";
                break;
            }
            if (!first)
                out += ", ";
            first = false;
            if (object)
                out += Json(item.key()).dump(-1, ' ', false, Json::error_handler_t::replace) + ": ";
            AppendExcerpt(*item, depth - 1, out);
        }
        out += object ? '}' : ']';
        return;
    }
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        out += Json(ShortText(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
        return;
    }
    out += value.dump();
}

}  // namespace

Json ParseDescription(const std::string& text)
{
    DepthCheck check;
    if (!Json::sax_parse(text, &check))
        throw std::runtime_error(check.Position() > 0 ? PlaceOf(text, check.Position()) + ": not valid JSON: " + check.Error()
                                                      : check.Error());
    return Json::parse(text);
}

std::string PlainJsonProblem(std::string message)
{
    // The library tags its messages ("[json.exception.parse_error.101] "), and a syntax error
    // also says where by its own count ("parse error at line 1, column 2: ") and in what
    // ("syntax error while parsing value - ").
    for (std::size_t tag = message.find("[json.exception."); tag != std::string::npos;
         tag = message.find("[json.exception.", tag)) {
        const std::size_t end = message.find("] ", tag);
        message.erase(tag, end == std::string::npos ? std::string::npos : end + 2 - tag);
    }
    if (message.rfind("parse error", 0) == 0) {
        const std::size_t dash = message.find(" - ");
        const std::size_t colon = message.find(": ");
        if (dash != std::string::npos)
            message.erase(0, dash + 3);
        else if (colon != std::string::npos)
            message.erase(0, colon + 2);
    }
    return message;
}

void CheckDepth(const Json& value)
{
    // Iterative: the value may be the very nesting that must not be walked recursively.
    std::vector<std::pair<const Json*, std::size_t>> pending{{&value, 0}};
    while (!pending.empty()) {
        const auto [at, depth] = pending.back();
        pending.pop_back();
        if (!at->is_structured())
            continue;
        if (depth + 1 > MaxDescriptionDepth)
            throw std::runtime_error("values nest deeper than " + std::to_string(MaxDescriptionDepth) + " levels");
        for (const Json& item : *at)
            pending.emplace_back(&item, depth + 1);
    }
}

std::string ShortText(const std::string& text)
{
    return text.size() > ExcerptLength ? text.substr(0, ExcerptLength) + "..." : text;
}

std::string Excerpt(const Json& value)
{
    std::string out;
    AppendExcerpt(value, 2, out);
    return out;
}

std::uint64_t CheckedInteger(const Json& value, std::int64_t min, std::uint64_t max)
{
    const auto outOfRange = [&] {
        return std::runtime_error(Excerpt(value) + " does not fit its field (" + std::to_string(min) + " to " +
                                  std::to_string(max) + ")");
    };
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > max)
            throw outOfRange();
        return number;
    }
    if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        if (number < min || (number > 0 && static_cast<std::uint64_t>(number) > max))
            throw outOfRange();
        return static_cast<std::uint64_t>(number);
    }
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (!std::isfinite(number) || number != std::trunc(number))
            throw std::runtime_error(Excerpt(value) + " is not an integer");
        // Both limits are powers of two, exact as doubles, so the conversions below are defined.
        const double below = -std::ldexp(1.0, std::bit_width(static_cast<std::uint64_t>(-(min + 1))));
        const double above = std::ldexp(1.0, std::bit_width(max));
        if (number < (min == 0 ? 0.0 : below) || number >= above)
            throw outOfRange();
        return number < 0 ? static_cast<std::uint64_t>(static_cast<std::int64_t>(number))
                          : static_cast<std::uint64_t>(number);
    }
    throw std::runtime_error("expected a number, found " + Excerpt(value));
}

std::uint64_t FieldBitsOf(const Json& value, std::size_t size)
{
    const unsigned bits = static_cast<unsigned>(8 * std::min<std::size_t>(size, 8));
    const std::uint64_t max = bits == 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t{1} << bits) - 1;
    const std::int64_t min = bits == 64 ? std::numeric_limits<std::int64_t>::min()
                                        : -static_cast<std::int64_t>(std::uint64_t{1} << (bits - 1));
    return CheckedInteger(value, min, max);
}

DWORD DwordOfKey(const std::string& key)
{
    const bool digits = !key.empty() && key.size() <= 10 &&
                        std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoull(key) > std::numeric_limits<DWORD>::max())
        throw std::runtime_error(Excerpt(Json(key)) + " is not a number from 0 to 4294967295");
    return static_cast<DWORD>(std::stoull(key));
}

std::string BytesOfJsonString(const Json& value)
{
    if (!value.is_string())
        throw std::runtime_error("expected a string, found " + Excerpt(value));
    const auto& utf8 = value.get_ref<const std::string&>();
    std::string bytes;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> code = NextUtf8Character(utf8, at);
        if (!code || *code > 0xFF)
            throw std::runtime_error("a byte string holds a character above U+00FF: " + Excerpt(value));
        bytes += static_cast<char>(*code);
    }
    return bytes;
}

Json JsonStringOfBytes(const std::string& bytes)
{
    std::string utf8;
    for (const char c : bytes)
        AppendUtf8(utf8, static_cast<unsigned char>(c));
    return utf8;
}

std::u16string Utf16OfJsonString(const Json& value)
{
    std::u16string text;
    if (value.is_object() && value.contains("utf16") && value.at("utf16").is_array()) {
        for (const Json& unit : value.at("utf16"))
            text += static_cast<char16_t>(IntegerOf<std::uint16_t>(unit));
        return text;
    }
    if (!value.is_string())
        throw std::runtime_error("expected a string or {\"utf16\": [...]}, found " + Excerpt(value));
    const auto& utf8 = value.get_ref<const std::string&>();
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> next = NextUtf8Character(utf8, at);
        if (!next)
            throw std::runtime_error("broken UTF-8 in " + Excerpt(value));
        char32_t code = *next;
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
    const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit < 0xDC00; };
    const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit < 0xE000; };
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (isHigh(code) && i + 1 < text.size() && isLow(text[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (isHigh(code) || isLow(code)) {
            // Half a pair has no UTF-8 form: keep the units themselves.
            Json units = Json::array();
            for (const char16_t unit : text)
                units.push_back(static_cast<unsigned>(unit));
            return Json{{"utf16", units}};
        }
        AppendUtf8(utf8, code);
    }
    return utf8;
}

WindowsLayout WindowsLayoutOfJson(const Json& system)
{
    if (!system.contains("layout"))
        return WindowsLayout::Win32;
    const Json& layout = system.at("layout");
    if (layout == "win32")
        return WindowsLayout::Win32;
    if (layout == "win64")
        return WindowsLayout::Win64;
    throw std::runtime_error("layout: expected \"win32\" or \"win64\", found " + Excerpt(layout));
}

Json JsonOfWindowsLayout(WindowsLayout layout)
{
    return layout == WindowsLayout::Win64 ? "win64" : "win32";
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
        throw std::runtime_error("a device mode must be an object: " + Excerpt(value));
    if (value.contains("hex"))
        return InMember("hex", [&] { return BytesOfHex(value.at("hex").get<std::string>()); });

    const std::vector<BYTE> extra =
        value.contains("extra") ? InMember("extra", [&] { return BytesOfHex(value.at("extra").get<std::string>()); })
                                : std::vector<BYTE>{};
    DEVMODEA record{};
    record.dmSize = sizeof(DEVMODEA);
    record.dmDriverExtra = static_cast<WORD>(extra.size());
    auto* bytes = reinterpret_cast<BYTE*>(&record);
    for (const auto& member : value.items()) {
        // Named references, not a structured binding: clang 14 cannot capture those in a lambda.
        const std::string& name = member.key();
        const Json& field = member.value();
        if (name == "extra")
            continue;
        const DevModeField* known = nullptr;
        for (const DevModeField& candidate : DevModeFields)
            if (name == candidate.name)
                known = &candidate;
        if (known == nullptr)
            throw std::runtime_error("unknown device-mode field: " + ShortText(name));
        InMember(name, [&] {
            if (known->isText) {
                const std::string text = BytesOfJsonString(field);
                std::memcpy(bytes + known->offset, text.data(), std::min(text.size(), known->size));
            } else {
                const std::uint64_t number = FieldBitsOf(field, known->size);
                std::memcpy(bytes + known->offset, &number, known->size);  // little-endian: the low bytes
            }
        });
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
