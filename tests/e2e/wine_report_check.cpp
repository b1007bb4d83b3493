// Runs under Wine against the test bed's real printers: builds each printer's report through the
// same builder as the program, asks the spooler the same questions directly, and checks that the
// report shows what the spooler answers. Prints "N passed, N failed"; exit status 1 on a failure.
#include "names/error_text.h"
#include "platform/portable/memory_document.h"
#include "platform/printer_list.h"
#include "platform/win32/win32_spooler.h"
#include "report/report_builder.h"
#include "shell/item_id_list.h"
#include "tests/common/tally.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {
namespace {

testing::Tally tally;

void Check(bool ok, const std::string& printer, const std::string& what)
{
    tally.Check(ok, "[" + printer + "] " + what);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::string Item(const std::string& label, const std::string& value)
{
    char column[32];
    std::snprintf(column, sizeof column, "%-24.24s : ", label.c_str());
    return column + value;
}

bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Text(const char* text)
{
    return text != nullptr ? text : "";
}

std::vector<BYTE> Capability(const std::string& device, const std::string& port, WORD index, std::size_t size,
                             int& count)
{
    count = ::DeviceCapabilitiesA(device.c_str(), port.c_str(), index, nullptr, nullptr);
    std::vector<BYTE> bytes(count > 0 ? count * size : 0);
    if (count > 0)
        ::DeviceCapabilitiesA(device.c_str(), port.c_str(), index, reinterpret_cast<LPSTR>(bytes.data()), nullptr);
    return bytes;
}

template <class T>
std::vector<BYTE> Record(HANDLE printer, DWORD level, bool driver)
{
    DWORD needed = 0;
    driver ? ::GetPrinterDriverA(printer, nullptr, level, nullptr, 0, &needed)
           : ::GetPrinterA(printer, level, nullptr, 0, &needed);
    std::vector<BYTE> bytes(std::max<DWORD>(needed, sizeof(T)));
    const BOOL ok = driver ? ::GetPrinterDriverA(printer, nullptr, level, bytes.data(), needed, &needed)
                           : ::GetPrinterA(printer, level, bytes.data(), needed, &needed);
    if (!ok)
        return {};
    return bytes;  // moved, not copied: the record's pointers lead into this block
}

void CheckSectionOrder(const std::string& entry, const std::vector<std::string>& lines, bool current)
{
    std::vector<std::string> titles;
    for (const std::string& line : lines)
        if (line.size() > 4 && line.rfind("- ", 0) == 0 && line.compare(line.size() - 2, 2, " -") == 0)
            titles.push_back(line);
    std::vector<std::string> expected = {
        "- Ostrel -", "- PRINTER_INFO_1 -", "- PRINTER_INFO_2 -", "- PRINTER_INFO_4 [NT3.5] -",
        "- PRINTER_INFO_5 [95,NT4] -", "- PRINTER_INFO_6 [NT4] -", "- PRINTER_INFO_7 [2000] -", "- DRIVER_INFO_1 -",
        "- DRIVER_INFO_2 -", "- DRIVER_INFO_3 [95,NT4] -", "- DRIVER_INFO_4 [2000] -", "- DRIVER_INFO_5 [2000] -",
        "- DRIVER_INFO_6 [Me,2000] -", "- Default DEVMODE (PRINTER_INFO_2) -",
        "- User default DEVMODE (PRINTER_INFO_8 [2000]) -", "- Global default DEVMODE (PRINTER_INFO_9 [2000]) -",
        "- DEVMODE (DocumentProperties) -"};
    if (current)
        expected.push_back("- Current DEVMODE (TPrinter) -");
    Check(titles == expected, entry, "section titles in order");
    Check(std::find(lines.begin(), lines.end(), "*** EXCEPTION OCCURRED ***") == lines.end(), entry,
          "no exception marker");
}

void CheckCapabilities(const std::string& device, const std::string& port, const std::vector<std::string>& lines)
{
    int papers = 0, names = 0, bins = 0, binNames = 0, resolutions = 0;
    const std::vector<BYTE> paperNumbers = Capability(device, port, DC_PAPERS, 2, papers);
    const std::vector<BYTE> paperNames = Capability(device, port, DC_PAPERNAMES, 64, names);
    const std::vector<BYTE> binNumbers = Capability(device, port, DC_BINS, 2, bins);
    const std::vector<BYTE> binNameBytes = Capability(device, port, DC_BINNAMES, 24, binNames);
    const std::vector<BYTE> resolutionPairs = Capability(device, port, DC_ENUMRESOLUTIONS, 8, resolutions);
    Check(papers > 0 && papers == names, device, "paper list answered");

    const auto nameAt = [](const std::vector<BYTE>& bytes, int i, std::size_t width) {
        const auto* text = reinterpret_cast<const char*>(bytes.data() + i * width);
        return std::string(text, strnlen(text, width));
    };
    const auto listLines = [&](const char* label) {
        std::vector<std::string> found;
        bool inside = false;
        for (const std::string& line : lines) {
            if (line.rfind(label, 0) == 0 && line[std::string(label).size()] == ' ')
                inside = true;
            else if (inside && line.rfind(std::string(24, ' '), 0) != 0)
                break;
            if (inside)
                found.push_back(line);
        }
        return found;
    };

    const std::vector<std::string> paperLines = listLines("DC_PAPERS");
    Check(static_cast<int>(paperLines.size()) == papers, device, "one line per paper");
    for (int i = 0; i < papers && i < static_cast<int>(paperLines.size()); ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "[%5u:", unsigned{reinterpret_cast<const WORD*>(paperNumbers.data())[i]});
        const std::string& line = paperLines[i];
        Check(line.find(number) == 27 && line.size() >= 64 && line.substr(line.size() - nameAt(paperNames, i, 64).size()) ==
                                                                   nameAt(paperNames, i, 64),
              device, "paper " + std::to_string(i) + ": " + line);
    }
    const std::vector<std::string> binLines = listLines("DC_BINS");
    Check(static_cast<int>(binLines.size()) == bins && bins == binNames, device, "one line per bin");
    for (int i = 0; i < bins && i < static_cast<int>(binLines.size()); ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "[%3u:", unsigned{reinterpret_cast<const WORD*>(binNumbers.data())[i]});
        Check(binLines[i].find(number) == 27 && binLines[i].find("] " + nameAt(binNameBytes, i, 24)) == 51, device,
              "bin " + std::to_string(i) + ": " + binLines[i]);
    }
    const std::vector<std::string> resolutionLines = listLines("DC_ENUMRESOLUTIONS");
    Check(static_cast<int>(resolutionLines.size()) == resolutions, device, "one line per resolution");
    for (int i = 0; i < resolutions && i < static_cast<int>(resolutionLines.size()); ++i) {
        const auto* pair = reinterpret_cast<const LONG*>(resolutionPairs.data() + i * 8);
        char value[32];
        std::snprintf(value, sizeof value, "%5ld * %5ld dpi", pair[0], pair[1]);
        Check(resolutionLines[i].substr(27) == value, device, "resolution " + std::to_string(i));
    }
    const int copies = ::DeviceCapabilitiesA(device.c_str(), port.c_str(), DC_COPIES, nullptr, nullptr);
    Check(Has(lines, Item("DC_COPIES", copies == -1 ? "*** NOT SUPPORTED ***" : std::to_string(copies) + " papers")),
          device, "DC_COPIES");
}

void CheckRecords(const std::string& device, const std::vector<std::string>& lines)
{
    HANDLE printer = nullptr;
    std::vector<char> name(device.begin(), device.end());
    name.push_back('\0');
    if (!::OpenPrinterA(name.data(), &printer, nullptr)) {
        Check(false, device, "OpenPrinterA");
        return;
    }
    const std::vector<BYTE> info2 = Record<PRINTER_INFO_2A>(printer, 2, false);
    const std::vector<BYTE> driver3 = Record<DRIVER_INFO_3A>(printer, 3, true);
    ::ClosePrinter(printer);

    Check(!info2.empty() && !driver3.empty(), device, "level 2 and driver level 3 answered");
    if (info2.empty() || driver3.empty())
        return;
    const auto& p2 = *reinterpret_cast<const PRINTER_INFO_2A*>(info2.data());
    const std::pair<const char*, const char*> printerStrings[] = {
        {"pPrinterName", p2.pPrinterName}, {"pPortName", p2.pPortName}, {"pDriverName", p2.pDriverName},
        {"pComment", p2.pComment},         {"pLocation", p2.pLocation}, {"pPrintProcessor", p2.pPrintProcessor},
        {"pDataType", p2.pDatatype}};
    for (const auto& [label, value] : printerStrings)
        Check(Has(lines, Item(label, Text(value))), device, "PRINTER_INFO_2 line " + Item(label, Text(value)));

    const auto& d3 = *reinterpret_cast<const DRIVER_INFO_3A*>(driver3.data());
    const std::pair<const char*, const char*> driverStrings[] = {
        {"pDriverPath", d3.pDriverPath}, {"pDataFile", d3.pDataFile}, {"pConfigFile", d3.pConfigFile},
        {"pEnvironment", d3.pEnvironment}};
    for (const auto& [label, value] : driverStrings)
        Check(Has(lines, Item(label, Text(value))), device, "DRIVER_INFO_3 line " + Item(label, Text(value)));

    if (p2.pDevMode != nullptr) {
        const DEVMODEA& mode = *p2.pDevMode;
        char paper[64];
        std::snprintf(paper, sizeof paper, "0x%08x: ", static_cast<unsigned>(static_cast<int>(mode.dmPaperSize)));
        Check(Has(lines, Item("dmSize", std::to_string(mode.dmSize) + " bytes")), device, "dmSize");
        Check(Has(lines, Item("dmDriverExtra", std::to_string(mode.dmDriverExtra) + " bytes")), device, "dmDriverExtra");
        Check(std::any_of(lines.begin(), lines.end(),
                          [&](const std::string& l) { return l.rfind(Item("dmPaperSize", paper), 0) == 0; }),
              device, "dmPaperSize");
        Check(Has(lines, Item("dmCopies", std::to_string(mode.dmCopies) + " papers")), device, "dmCopies");
    }
}

// Allocated, from the system table, without line breaks, inserts left as they stand.
constexpr DWORD SystemTextFlags = 0x11FF | FORMAT_MESSAGE_IGNORE_INSERTS;

// Texts with inserts ("%1 is not a valid Win32 application.") come back with them as they stand:
// no argument that was never passed is read.
void CheckErrorTextsWithInserts(Win32Spooler& spooler)
{
    const std::string what = "system error texts";
    int withInserts = 0;
    for (DWORD code = 1; code < 2000; ++code) {
        char* expected = nullptr;
        ::FormatMessageA(SystemTextFlags, nullptr, code, 0x400, reinterpret_cast<LPSTR>(&expected), 0, nullptr);
        const LocalText text = GetErrorString(spooler, code);
        if (expected != nullptr && std::strstr(expected, "%1") != nullptr)
            ++withInserts;
        if ((expected == nullptr) != !text || (expected != nullptr && std::strcmp(expected, text.get()) != 0))
            Check(false, what, "text of error " + std::to_string(code));
        LocalFree(expected);
    }
    Check(withInserts > 0, what, "some texts have inserts");
}

void CheckUnknownPrinter(Win32Spooler& spooler)
{
    const std::string name = "No Such Printer 42";
    MemoryDocument document;
    ReportBuilder(spooler, document).MakeReport(name);
    const std::vector<std::string> lines = Lines(document.Text());

    char* message = nullptr;
    ::FormatMessageA(SystemTextFlags, nullptr, 1801, 0x400, reinterpret_cast<LPSTR>(&message), 0, nullptr);
    const std::string expected = "*** CANNOT OPEN PRINTER ***: 1801: " + Text(message);
    LocalFree(message);
    Check(Has(lines, expected), name, "open failure line: " + expected);
    CheckSectionOrder(name, lines, false);
}

// The item-ID list functions on the real shell: a file in the desktop directory is named below the
// desktop itself when rebased, through the drives otherwise.
void CheckItemIdLists()
{
    const std::string what = "item-ID lists";
    char desktop[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop))) {
        Check(false, what, "desktop directory");
        return;
    }
    const std::string path = std::string(desktop) + "\\ostrel-e2e.txt";
    FILE* file = std::fopen(path.c_str(), "w");
    Check(file != nullptr, what, "create " + path);
    if (file == nullptr)
        return;
    std::fclose(file);

    ITEMIDLIST* rebased = PathToIDList(path.c_str(), 1);
    ITEMIDLIST* full = PathToIDList(path.c_str(), 0);
    Check(rebased != nullptr && GetNumOfItemID(rebased) == 1, what, "rebased path is one item below the desktop");
    Check(full != nullptr && GetNumOfItemID(full) > 2, what, "path through the drives");
    ITEMIDLIST* folder = ChopItemIDList(full);
    ITEMIDLIST* last = CopyItemIDList(GetNthItemID(full, GetNumOfItemID(full) - 1));
    ITEMIDLIST* joined = ConcatItemIDList(folder, last);
    Check(joined != nullptr && GetItemIDListSize(joined) == GetItemIDListSize(full) &&
              std::memcmp(joined, full, GetItemIDListSize(full)) == 0,
          what, "chop and concat give the list back");
    Check(PathToIDList("C:\\no-such-folder\\x.txt", 0) == nullptr, what, "a path that does not exist does not parse");
    for (ITEMIDLIST* list : {rebased, full, folder, last, joined})
        CoTaskMemFree(list);
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace ostrel

int main()
{
    using namespace ostrel;
    Win32Spooler spooler;
    PrinterList printers(spooler);
    const std::string current = spooler.GetCurrentPrinter().deviceName;
    Check(!printers.Entries().empty(), "-", "the spooler lists printers");
    for (const std::string& entry : printers.Entries()) {
        MemoryDocument document;
        const PrinterNames names = ReportBuilder(spooler, document).MakeReport(entry);
        const std::vector<std::string> lines = Lines(document.Text());
        CheckSectionOrder(entry, lines, names.deviceName == current);
        CheckCapabilities(names.deviceName, names.portName, lines);
        CheckRecords(names.deviceName, lines);
    }
    CheckUnknownPrinter(spooler);
    CheckErrorTextsWithInserts(spooler);
    CheckItemIdLists();
    std::printf("%s\n", tally.Summary().c_str());
    return tally.Failed() == 0 ? 0 : 1;
}
