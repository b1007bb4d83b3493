#include "platform/system_path.h"

namespace ostrel {

// Paths here are byte strings, as the texts are.
std::filesystem::path PathOfSystemText(const std::string& text)
{
    return std::filesystem::path(text);
}

std::string SystemTextOfPath(const std::filesystem::path& path)
{
    return path.string();
}

}  // namespace ostrel
