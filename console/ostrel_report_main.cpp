#include "console/report_tool.h"

#include <cstdio>
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
    // The runtime leaves standard output unbuffered when it is a character device (a console, NUL)
    // and then writes what follows the last whole 4096 bytes of a text one byte a call: over a
    // thousand system calls a report. With a buffer of its own, each flush is one or a few writes.
    constexpr std::size_t StandardOutputBuffer = 64 * 1024;
    std::setvbuf(stdout, nullptr, _IOFBF, StandardOutputBuffer);
    const ostrel::SystemSpoolerFactory systemSpooler = [] { return std::make_unique<ostrel::Win32Spooler>(); };
#else
    const ostrel::SystemSpoolerFactory systemSpooler;
#endif
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return ostrel::RunReportTool(arguments, systemSpooler, std::cout, std::cerr);
}
