// Sets a printer's default paper through the spooler (its printer record's device mode), as an
// administrator's tool would: set_default_paper PRINTER PAPER_NUMBER. Exit status 0 when the
// spooler took it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: set_default_paper PRINTER PAPER_NUMBER\n");
        return 2;
    }
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(argv[1], &printer, &defaults)) {
        std::fprintf(stderr, "OpenPrinter: %lu\n", GetLastError());
        return 1;
    }
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    int status = 1;
    if (needed != 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
        if (info->pDevMode != nullptr) {
            info->pDevMode->dmPaperSize = static_cast<short>(std::atoi(argv[2]));
            info->pDevMode->dmFields |= DM_PAPERSIZE;
            info->pDevMode->dmFields &= ~(DM_FORMNAME | DM_PAPERLENGTH | DM_PAPERWIDTH);
            info->pSecurityDescriptor = nullptr;
            if (SetPrinterA(printer, 2, buffer.data(), 0))
                status = 0;
            else
                std::fprintf(stderr, "SetPrinter: %lu\n", GetLastError());
        }
    } else {
        std::fprintf(stderr, "GetPrinter: %lu\n", GetLastError());
    }
    ClosePrinter(printer);
    return status;
}
