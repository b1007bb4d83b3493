// The floor a report is measured against: a bare Windows program that makes exactly the spooler
// calls one report (or the printer list, or a report per printer) needs, with the same arguments
// and buffers, and does nothing else: no formatting, no document, no output beyond the entries.
//
//   report-floor PRINTER      the calls of one report
//   report-floor --list       the calls of the printer list, entries written one a line
//   report-floor --all        the printer list, then one report's calls per printer
//   report-floor --hold       loads a driver, says "ready" and waits until it is ended: keeps
//                             Wine's desktop process alive between the measured runs
#include <windows.h>
#include <winspool.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct ArrayCapability {
    WORD index;
    DWORD entrySize;
};

// The capability section's queries in its order: an array is counted first and, unless the driver
// answers -1, filled into room for eight spare entries.
constexpr DWORD Single = 0;
constexpr ArrayCapability Capabilities[] = {
    {DC_FIELDS, Single},           {DC_PAPERNAMES, 64},       {DC_PAPERS, 2},          {DC_PAPERSIZE, 8},
    {DC_MINEXTENT, Single},        {DC_MAXEXTENT, Single},    {DC_BINNAMES, 24},       {DC_BINS, 2},
    {DC_DUPLEX, Single},           {DC_SIZE, Single},         {DC_EXTRA, Single},      {DC_VERSION, Single},
    {DC_DRIVER, Single},           {DC_ENUMRESOLUTIONS, 8},   {DC_FILEDEPENDENCIES, 64}, {DC_TRUETYPE, Single},
    {DC_ORIENTATION, Single},      {DC_COPIES, Single},       {DC_BINADJUST, Single},  {DC_EMF_COMPLIANT, Single},
    {DC_DATATYPE_PRODUCED, sizeof(DOCINFOA)}, {DC_COLLATE, Single}, {DC_MANUFACTURER, Single}, {DC_MODEL, Single},
    {DC_PERSONALITY, 32},          {DC_PRINTRATE, Single},    {DC_PRINTRATEUNIT, Single}, {DC_PRINTERMEM, Single},
    {DC_MEDIAREADY, 64},           {DC_STAPLE, Single},       {DC_PRINTRATEPPM, Single}, {DC_COLORDEVICE, Single},
    {DC_NUP, 4},                   {DC_MEDIATYPENAMES, 128},  {DC_MEDIATYPES, 4},
};

std::vector<char> Writable(const std::string& text)
{
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

void QueryCapabilities(const std::string& device, const std::string& port)
{
    for (const ArrayCapability& capability : Capabilities) {
        const int count = DeviceCapabilitiesA(device.c_str(), port.c_str(), capability.index, nullptr, nullptr);
        if (capability.entrySize == Single || count < 0)
            continue;
        std::vector<char> entries((static_cast<size_t>(count) + 8) * capability.entrySize);
        DeviceCapabilitiesA(device.c_str(), port.c_str(), capability.index, entries.data(), nullptr);
    }
}

void PrinterLevel(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    GetPrinterA(printer, level, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    GetPrinterA(printer, level, buffer.empty() ? nullptr : buffer.data(), needed, &needed);
}

void DriverLevel(HANDLE printer, DWORD level)
{
    DWORD needed = 0;
    GetPrinterDriverA(printer, nullptr, level, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    GetPrinterDriverA(printer, nullptr, level, buffer.empty() ? nullptr : buffer.data(), needed, &needed);
}

void QueryDocumentProperties(HANDLE printer, const std::string& device)
{
    std::vector<char> name = Writable(device);
    const LONG size = DocumentPropertiesA(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (size < 0)
        return;
    std::vector<BYTE> record(static_cast<size_t>(size));
    DocumentPropertiesA(nullptr, printer, name.data(), reinterpret_cast<DEVMODEA*>(record.data()), nullptr,
                        DM_OUT_BUFFER);
}

// The application's printer object stands on the default printer; its device mode is loaded when
// a report of that printer shows it.
struct PrinterObject {
    bool named = false;
    std::string name;

    const std::string& Name()
    {
        if (!named) {
            named = true;
            DWORD size = 0;
            GetDefaultPrinterA(nullptr, &size);
            std::vector<char> buffer(size + 1, '\0');
            if (size > 0 && GetDefaultPrinterA(buffer.data(), &size))
                name = buffer.data();
        }
        return name;
    }

    void LoadDevMode()
    {
        std::vector<char> writable = Writable(name);
        HANDLE printer = nullptr;
        if (!OpenPrinterA(writable.data(), &printer, nullptr))
            return;
        PrinterLevel(printer, 2);
        QueryDocumentProperties(printer, name);
        ClosePrinter(printer);
    }
};

void Report(const std::string& entry, PrinterObject& printerObject)
{
    const std::string::size_type stop = entry.find(". ");
    const std::string device = stop == std::string::npos || stop == 0 ? entry : entry.substr(0, stop);

    char value[2048] = {};
    GetPrivateProfileStringA("devices", device.c_str(), "", value, sizeof value, "Win.ini");
    const char* comma = std::strchr(value, ',');
    QueryCapabilities(device, comma != nullptr ? comma + 1 : value);

    std::vector<char> name = Writable(device);
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(name.data(), &printer, &defaults)) {
        char* text = nullptr;
        FormatMessageA(0x11FF, nullptr, GetLastError(), 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
        LocalFree(text);
    }
    for (const DWORD level : {1, 2, 4, 5, 6, 7})
        PrinterLevel(printer, level);
    for (const DWORD level : {1, 2, 3, 4, 5, 6})
        DriverLevel(printer, level);
    for (const DWORD level : {2, 8, 9})
        PrinterLevel(printer, level);
    QueryDocumentProperties(printer, device);
    if (!printerObject.Name().empty() && printerObject.Name() == device)
        printerObject.LoadDevMode();
    ClosePrinter(printer);
}

std::vector<std::string> PrinterList()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    DWORD needed = 0;
    DWORD returned = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed);
    std::vector<std::string> entries;
    if (needed == 0 || !EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &returned))
        return entries;
    const auto* records = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        entries.emplace_back(records[i].pPrinterName != nullptr ? records[i].pPrinterName : "");
    return entries;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: report-floor PRINTER | --list | --all | --hold\n");
        return 2;
    }
    // Standard output as the report tool sets it up: the same bytes, in as many writes. Left
    // unbuffered on a character device such as NUL, it would take the list a byte a system call.
    _setmode(_fileno(stdout), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IOFBF, 64 * 1024);
    const std::string mode = argv[1];
    PrinterObject printerObject;
    if (mode == "--list") {
        std::string list;
        for (const std::string& entry : PrinterList())
            list += entry + "\n";
        std::fwrite(list.data(), 1, list.size(), stdout);
        std::fflush(stdout);
    } else if (mode == "--all") {
        for (const std::string& entry : PrinterList())
            Report(entry, printerObject);
    } else if (mode == "--hold") {
        const std::vector<std::string> entries = PrinterList();
        if (!entries.empty())
            DeviceCapabilitiesA(entries.front().c_str(), "", DC_COPIES, nullptr, nullptr);
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        Sleep(INFINITE);
    } else {
        Report(mode, printerObject);
    }
    return 0;
}
