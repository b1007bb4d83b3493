// Texts between a code page (the system's ANSI code page unless another is named: the spooler's
// texts, the report) and UTF-16 (the window texts, the dialogs, the file system).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

std::wstring Widen(std::string_view text, UINT codePage = CP_ACP);

// Characters the code page lacks become a look-alike or the page's default character.
std::string Narrow(std::wstring_view text, UINT codePage = CP_ACP);
// Nothing when a character has no code of its own in the page, where Narrow would lose it.
std::optional<std::string> NarrowExactly(std::wstring_view text, UINT codePage = CP_ACP);

}  // namespace ostrel
