// Replacing a file's content so that a failure never leaves it empty, half written or gone.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace ostrel {

// Writes bytes to path through a new, uniquely named temporary file beside it, and replaces path
// with it only when every write and the close succeeded. On failure throws FileWriteError, whose
// what() names the file and gives the system's reason; path is then as it was, and no temporary
// file remains.
struct FileWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace ostrel
