// Replacing a file's content so that a failure never leaves it empty, half written or gone.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ostrel {

// Writes bytes to path through a new, uniquely named temporary file beside it, and replaces path
// with it only when every write and the close succeeded. On failure throws FileWriteError, whose
// what() names the file and gives the system's reason; path is then as it was, and no temporary
// file remains.
struct FileWriteError : std::runtime_error {
    // The system's reason, in its own words.
    FileWriteError(const std::filesystem::path& path, const std::string& systemReason);
    // A name such as CON or LPT1 that opens a device instead of a file.
    static FileWriteError ReservedName(const std::filesystem::path& path);

    std::filesystem::path path;
    std::string systemReason;  // empty for a reserved name
    bool reservedName = false;

private:
    FileWriteError(const std::filesystem::path& path, const std::string& message, bool reserved);
};
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace ostrel
