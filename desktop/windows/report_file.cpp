#include "desktop/windows/report_file.h"

#include "desktop/user_messages.h"
#include "platform/file_replace.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/wide_text.h"

#include <filesystem>

namespace ostrel {

void WriteReportFile(const std::wstring& path, std::string_view bytes)
{
    try {
        WriteFileReplacing(std::filesystem::path(path), bytes);
    } catch (const FileWriteError& failure) {
        throw ui::MessageError(SaveFailureMessage(path, failure.reservedName, Widen(failure.systemReason)));
    }
}

}  // namespace ostrel
