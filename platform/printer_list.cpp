#include "platform/printer_list.h"

#include "platform/spooler_buffer.h"

#include <algorithm>
#include <cctype>
#include <string_view>

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

// The ports of a Windows 95 printer: comma-separated, leading blanks skipped, an empty one ends the
// list. One pass: a printer may name very many ports.
std::vector<std::string_view> PortsOf(const char* ports)
{
    std::vector<std::string_view> result;
    std::string_view rest = ports != nullptr ? ports : "";
    while (true) {
        rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
        const std::string_view port = rest.substr(0, rest.find(','));
        if (port.empty())
            return result;
        result.push_back(port);
        if (port.size() == rest.size())
            return result;
        rest.remove_prefix(port.size() + 1);
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

const std::vector<BrokenRecord>& PrinterList::BrokenRecords()
{
    if (!built_)
        Build();
    return broken_;
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
    broken_.clear();
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

    // One broken record costs its own entries only.
    const std::size_t recordSize = nt ? sizeof(PRINTER_INFO_4A) : sizeof(PRINTER_INFO_5A);
    for (std::size_t i = 0; i < returned; ++i) {
        if (i >= buffer.Size() / recordSize) {
            broken_.push_back({i, returned - i == 1 ? "the record lies past the end of the returned buffer"
                                                    : "this and the following " + std::to_string(returned - i - 1) +
                                                          " records lie past the end of the returned buffer"});
            break;
        }
        try {
            const BYTE* record = buffer.Bytes(buffer.Data() + i * recordSize, recordSize);
            if (nt) {
                const auto info = ReadUnaligned<PRINTER_INFO_4A>(record);
                const char* name = buffer.Text(info.pPrinterName);
                entries_.emplace_back(name != nullptr ? name : "");
            } else {
                const auto info = ReadUnaligned<PRINTER_INFO_5A>(record);
                const char* name = buffer.Text(info.pPrinterName);
                const std::string printer = name != nullptr ? name : "";
                for (const std::string_view port : PortsOf(buffer.Text(info.pPortName)))
                    entries_.push_back(printer + ". " + std::string(port));
            }
        } catch (const DataFault& fault) {
            broken_.push_back({i, fault.what()});
        }
    }
}

}  // namespace ostrel
