#include "app/report_tool.h"

#include <iostream>

#ifdef _WIN32
#include "platform/win32/win32_spooler.h"
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Reports carry their own CR LF line breaks.
    _setmode(_fileno(stdout), _O_BINARY);
    const ostrel::SystemSpoolerFactory systemSpooler = [] { return std::make_unique<ostrel::Win32Spooler>(); };
#else
    const ostrel::SystemSpoolerFactory systemSpooler;
#endif
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return ostrel::RunReportTool(arguments, systemSpooler, std::cout, std::cerr);
}
