#include "platform/spooler.h"

#include <cstdlib>

namespace ostrel {

void ReleaseLocalText(char* text) noexcept
{
#ifdef _WIN32
    LocalFree(text);
#else
    std::free(text);
#endif
}

}  // namespace ostrel
