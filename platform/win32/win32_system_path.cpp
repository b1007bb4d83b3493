#include "platform/system_path.h"

#include <windows.h>

namespace ostrel {

// The standard library would read narrow paths in its own locale, not in the ANSI code page.
std::filesystem::path PathOfSystemText(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return std::filesystem::path(wide);
}

std::string SystemTextOfPath(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr,
                            nullptr);
    return text;
}

}  // namespace ostrel
