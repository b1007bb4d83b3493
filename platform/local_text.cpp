#include "platform/spooler.h"

#include <cstdlib>

namespace ostrel {

void LocalFreeDeleter::operator()(char* text) const noexcept
{
#ifdef _WIN32
    LocalFree(text);
#else
    std::free(text);
#endif
}

}  // namespace ostrel
