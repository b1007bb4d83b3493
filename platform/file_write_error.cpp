#include "platform/file_replace.h"
#include "platform/system_path.h"

namespace ostrel {

FileWriteError::FileWriteError(const std::filesystem::path& path, const std::string& systemReason)
    : FileWriteError(path, "cannot write " + SystemTextOfPath(path) + ": " + systemReason, false)
{
    this->systemReason = systemReason;
}

FileWriteError FileWriteError::ReservedName(const std::filesystem::path& path)
{
    return FileWriteError(path,
                          "cannot write " + SystemTextOfPath(path) +
                              ": the name is reserved for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)",
                          true);
}

FileWriteError::FileWriteError(const std::filesystem::path& path, const std::string& message, bool reserved)
    : std::runtime_error(message), path(path), reservedName(reserved)
{
}

}  // namespace ostrel
