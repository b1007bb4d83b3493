#include "platform/printer_list.h"

#include "platform/spooler_buffer.h"

#include <cctype>

namespace ostrel {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The ports of a Windows 95 printer: comma-separated, leading blanks skipped, an empty one ends the list.
std::vector<std::string> PortsOf(const char* ports)
{
    std::vector<std::string> result;
    std::string rest = ports != nullptr ? ports : "";
    while (true) {
        const std::string::size_type start = rest.find_first_not_of(' ');
        rest = start == std::string::npos ? std::string() : rest.substr(start);
        const std::string::size_type comma = rest.find(',');
        const std::string port = rest.substr(0, comma);
        if (port.empty())
            return result;
        result.push_back(port);
        if (comma == std::string::npos)
            return result;
        rest = rest.substr(comma + 1);
    }
}

}  // namespace

std::string DeviceNameOfEntry(const std::string& entry)
{
    const std::string::size_type stop = entry.find(". ");
    return stop == std::string::npos || stop == 0 ? entry : entry.substr(0, stop);
}

std::string PortNameOfDevicesValue(const std::string& value)
{
    const std::string::size_type comma = value.find(',');
    return comma == std::string::npos ? value : value.substr(comma + 1);
}

const std::vector<std::string>& PrinterList::Entries()
{
    if (!built_)
        Build();
    return entries_;
}

int PrinterList::IndexOf(const std::string& text)
{
    const std::vector<std::string>& entries = Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (EqualIgnoringCase(entries[i], text))
            return static_cast<int>(i);
    return -1;
}

void PrinterList::Build()
{
    entries_.clear();
    built_ = true;
    const bool nt = spooler_.GetVersionExA() == WindowsFamily::Nt;
    const DWORD flags = nt ? PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS : PRINTER_ENUM_LOCAL;
    const DWORD level = nt ? 4 : 5;
    DWORD needed = 0;
    DWORD returned = 0;
    spooler_.EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return;
    SpoolerBuffer buffer(needed);
    if (!spooler_.EnumPrintersA(flags, nullptr, level, buffer.Data(), needed, &needed, &returned))
        return;

    const std::size_t recordSize = nt ? sizeof(PRINTER_INFO_4A) : sizeof(PRINTER_INFO_5A);
    for (DWORD i = 0; i < returned; ++i) {
        const BYTE* record = buffer.Bytes(buffer.Data() + std::size_t{i} * recordSize, recordSize);
        if (nt) {
            const auto& info = *reinterpret_cast<const PRINTER_INFO_4A*>(record);
            entries_.emplace_back(buffer.Text(info.pPrinterName) ? info.pPrinterName : "");
        } else {
            const auto& info = *reinterpret_cast<const PRINTER_INFO_5A*>(record);
            const std::string printer = buffer.Text(info.pPrinterName) ? info.pPrinterName : "";
            for (const std::string& port : PortsOf(buffer.Text(info.pPortName)))
                entries_.push_back(printer + ". " + port);
        }
    }
}

}  // namespace ostrel
