// File paths to and from text in the system code page, the program's text everywhere else
// (command-line arguments, printer names, messages).
#pragma once

#include <filesystem>
#include <string>

namespace ostrel {

std::filesystem::path PathOfSystemText(const std::string& text);
// Characters the code page lacks become '?'.
std::string SystemTextOfPath(const std::filesystem::path& path);

}  // namespace ostrel
