#include "names/error_text.h"

namespace ostrel {

LocalText GetErrorString(Spooler& system, DWORD code)
{
    return system.FormatMessageA(code);
}

LocalText GetLastErrorString(Spooler& system)
{
    return GetErrorString(system, system.GetLastError());
}

}  // namespace ostrel
