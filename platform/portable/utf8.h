// UTF-8, read one character at a time and written one character at a time. Description files,
// Linux names and the console's output are UTF-8; the rest of the program works in code pages and
// UTF-16, and converts at these two functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The character of utf8 that starts at at, moving at past it; nothing, and at unmoved, when the bytes
// there are no UTF-8 (cut short, overlong, a surrogate or above U+10FFFF). at must be inside utf8.
std::optional<char32_t> NextUtf8Character(std::string_view utf8, std::size_t& at);

// Appends code, a Unicode scalar value, in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace ostrel
