#include "platform/win32/system_error_text.h"

#include "platform/spooler.h"

namespace ostrel {

std::string SystemErrorText(DWORD error)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const LocalText owner(text);
    std::string reason = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
    reason.erase(reason.find_last_not_of(" \r\n") + 1);
    return reason;
}

}  // namespace ostrel
