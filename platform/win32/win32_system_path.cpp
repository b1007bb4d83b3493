#include "platform/system_path.h"

#include "platform/win32/wide_text.h"

namespace ostrel {

// The standard library would read narrow paths in its own locale, not in the ANSI code page.
std::filesystem::path PathOfSystemText(const std::string& text)
{
    return std::filesystem::path(Widen(text));
}

std::string SystemTextOfPath(const std::filesystem::path& path)
{
    return Narrow(path.native());
}

}  // namespace ostrel
