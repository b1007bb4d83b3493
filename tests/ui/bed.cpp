#include "tests/ui/bed.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

namespace ostrel::uitest {

namespace {

// The driver of an existing printer, for a new one: each queue's driver is its PPD, and a queue
// added during a test has none of its own.
std::wstring DriverOf(const wchar_t* printer) {
    HANDLE handle = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer), &handle, nullptr)) return {};
    DWORD needed = 0;
    GetPrinterW(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::wstring driver;
    if (needed && GetPrinterW(handle, 2, buffer.data(), needed, &needed)) {
        driver = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pDriverName;
    }
    ClosePrinter(handle);
    return driver;
}

}  // namespace

void Bed::Screenshot(const std::wstring& name, HWND window) const {
    RECT r{};
    GetWindowRect(window, &r);
    const std::wstring rectangle = std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top) +
                                   L"+" + std::to_wstring(r.left < 0 ? 0 : r.left) + L"+" +
                                   std::to_wstring(r.top < 0 ? 0 : r.top);
    RunHostTool(Quoted(screenshotTool) + L" " + Quoted(artefacts + L"/" + name) + L" \"\" " + rectangle);
}

// Wine copies the print server's queues into its spooler only when the first process of a session
// loads the spooler; while Ostrel.exe runs, no later process does. So besides the print server's
// queue, the spooler gets the printer as that copy would make it.
void AddQueue(const std::wstring& name) {
    RunHostTool(L"/usr/sbin/lpadmin -p " + Quoted(name) + L" -v file:/dev/null -E");
    std::wstring driver = DriverOf(L"Raw-Queue");
    std::wstring printer = name;
    std::wstring port = L"CUPS:" + name;
    wchar_t processor[] = L"WinPrint";
    wchar_t dataType[] = L"RAW";
    PRINTER_INFO_2W info{};
    info.pPrinterName = printer.data();
    info.pPortName = port.data();
    info.pDriverName = driver.data();
    info.pPrintProcessor = processor;
    info.pDatatype = dataType;
    if (HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info))) ClosePrinter(added);
}

void RemoveQueue(const std::wstring& name) {
    RunHostTool(L"/usr/sbin/lpadmin -x " + Quoted(name));
    std::wstring printer = name;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE handle = nullptr;
    if (OpenPrinterW(printer.data(), &handle, &access)) {
        DeletePrinter(handle);
        ClosePrinter(handle);
    }
}

}  // namespace ostrel::uitest
