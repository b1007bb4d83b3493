#include "platform/driver_text.h"

#include <cstdint>

namespace ostrel {

namespace {

// Readability is a property of whole pages: one check serves every byte up to the next boundary.
constexpr std::uintptr_t PageSize = 4096;

}  // namespace

std::optional<std::string> ReadDriverText(Spooler& spooler, const char* text)
{
    std::string result;
    const char* checkedUntil = text;
    for (const char* at = text;; ++at) {
        if (at == checkedUntil) {
            if (!spooler.IsReadableMemory(at, 1))
                return std::nullopt;
            const auto address = reinterpret_cast<std::uintptr_t>(at);
            checkedUntil = at + (PageSize - address % PageSize);
        }
        if (*at == '\0')
            return result;
        result += *at;
    }
}

}  // namespace ostrel
