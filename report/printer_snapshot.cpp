#include "report/printer_snapshot.h"

#include "platform/data_fault.h"
#include "platform/driver_text.h"
#include "platform/capability_layouts.h"
#include "platform/record_fields.h"
#include "platform/scoped_printer.h"
#include "platform/spooler_queries.h"
#include "platform/text_and_time.h"
#include "report/capability_query.h"
#include "report/devmode_fields.h"
#include "report/report_builder.h"

#include <cstring>
#include <utility>

namespace ostrel {

namespace {

constexpr DWORD PrinterLevels[] = {1, 2, 4, 5, 6, 7, 8, 9};
constexpr DWORD DriverLevels[] = {1, 2, 3, 4, 5, 6};

Json ForeignText(Spooler& spooler, const char* text)
{
    if (text == nullptr)
        return nullptr;
    const std::optional<std::string> result = ReadDriverText(spooler, text);
    return result ? JsonStringOfBytes(*result) : Json{{"unreadable", true}};
}

Json Entry(Spooler& spooler, const CapabilityLayout& layout, const BYTE* entry)
{
    switch (layout.kind) {
    case EntryKind::Word:
        return ReadUnaligned<WORD>(entry);
    case EntryKind::Dword:
        return ReadUnaligned<DWORD>(entry);
    case EntryKind::Pair:
        return Json::array({ReadUnaligned<std::int32_t>(entry), ReadUnaligned<std::int32_t>(entry + 4)});
    case EntryKind::Name: {
        const auto* text = reinterpret_cast<const char*>(entry);
        return JsonStringOfBytes(std::string(text, strnlen(text, layout.entrySize)));
    }
    case EntryKind::WideName: {
        std::u16string text;
        for (std::size_t i = 0; i < layout.entrySize / 2 && ReadUnaligned<char16_t>(entry + 2 * i) != 0; ++i)
            text += ReadUnaligned<char16_t>(entry + 2 * i);
        return JsonStringOfUtf16(text);
    }
    case EntryKind::DocInfo: {
        const auto record = ReadUnaligned<DOCINFOA>(entry);
        return Json{{"cbSize", record.cbSize},
                    {"lpszDocName", ForeignText(spooler, record.lpszDocName)},
                    {"lpszOutput", ForeignText(spooler, record.lpszOutput)},
                    {"lpszDatatype", ForeignText(spooler, record.lpszDatatype)},
                    {"fwType", record.fwType}};
    }
    case EntryKind::None:
        break;
    }
    return nullptr;
}

Json Capabilities(Spooler& spooler, const std::string& device, const std::string& port)
{
    Json capabilities = Json::object();
    CapabilityQuery query(spooler, device.c_str(), port.c_str());
    for (WORD index = 1; index <= 35; ++index) {
        const CapabilityLayout& layout = *CapabilityByIndex(index);
        if (layout.kind == EntryKind::None) {
            const std::int32_t answer = query.Value(index);
            if (answer != NotSupportedAnswer)
                capabilities[layout.name] = answer;
            continue;
        }
        try {
            const CapabilityArray array = query.Array(index);
            if (array.Count() == NotSupportedAnswer)
                continue;
            Json entries = Json::array();
            for (std::int32_t i = 0; i < array.Count(); ++i)
                entries.push_back(Entry(spooler, layout, array.Entry(i)));
            if (array.FillAnswer() == array.Count())
                capabilities[layout.name] = entries;
            else
                capabilities[layout.name] =
                    Json{{"answer", array.Count()}, {"fill_answer", array.FillAnswer()}, {"entries", entries}};
        } catch (const std::exception&) {
            // A count that cannot be sized: keep the counting answer, which renders as the same fault.
            capabilities[layout.name] = Json{{"answer", query.Value(index)}};
        }
    }
    return capabilities;
}

// The device mode may lie at any address in the buffer: its sizes are read unaligned.
Json DevModeBytes(const SpoolerBuffer& buffer, const BYTE* record)
{
    const std::size_t available = buffer.BytesFrom(record);
    if (available < DevModeSizeFieldsEnd)
        return Json{{"hex", HexOfBytes(record, available)}};
    const std::size_t size =
        std::size_t{ReadUnaligned<WORD>(record + DevModeSizeOffset)} + ReadUnaligned<WORD>(record + DevModeDriverExtraOffset);
    return JsonOfDevMode(record, std::min(size, available));
}

Json Field(const SpoolerBuffer& buffer, const BYTE* record, const RecordField& field)
{
    const BYTE* at = record + field.offset;
    const auto pointer = field.kind == FieldKind::Text || field.kind == FieldKind::MultiText || field.kind == FieldKind::DevMode
                             ? ReadUnaligned<const char*>(at)
                             : nullptr;
    try {
        switch (field.kind) {
        case FieldKind::Dword:
            return ReadUnaligned<DWORD>(at);
        case FieldKind::Qword:
            return ReadUnaligned<std::uint64_t>(at);
        case FieldKind::FileTime: {
            const auto time = ReadUnaligned<FILETIME>(at);
            return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
        }
        case FieldKind::Text:
            return pointer != nullptr ? JsonStringOfBytes(buffer.Text(pointer)) : Json(nullptr);
        case FieldKind::MultiText: {
            if (pointer == nullptr)
                return nullptr;
            Json list = Json::array();
            try {
                for (const char* item = buffer.MultiText(pointer); *item != '\0'; item += std::strlen(item) + 1)
                    list.push_back(JsonStringOfBytes(item));
                return list;
            } catch (const DataFault&) {
                if (buffer.BytesFrom(pointer) == 0)
                    throw;
                // The list runs into the end of the buffer: keep its complete texts.
                const char* end = pointer + buffer.BytesFrom(pointer);
                for (const char* item = pointer; item < end && std::memchr(item, 0, end - item) != nullptr;
                     item += std::strlen(item) + 1)
                    list.push_back(JsonStringOfBytes(item));
                return Json{{"unterminated", list}};
            }
        }
        case FieldKind::DevMode:
            return pointer != nullptr ? DevModeBytes(buffer, reinterpret_cast<const BYTE*>(pointer)) : Json(nullptr);
        case FieldKind::Pointer:
            break;
        }
    } catch (const DataFault&) {
        return Json{{"outside", true}};
    }
    return nullptr;
}

Json Record(Spooler& spooler, const RecordLayout& layout, const std::optional<SpoolerBuffer>& buffer)
{
    if (!buffer)
        return Json{{"error", spooler.GetLastError()}};
    Json record = Json::object();
    if (buffer->Size() < layout.size) {
        record["record_size"] = buffer->Size();
        return record;
    }
    for (const RecordField& field : layout.fields) {
        if (field.kind == FieldKind::Pointer)
            continue;
        Json value = Field(*buffer, buffer->Data(), field);
        if (!value.is_null())
            record[field.name] = std::move(value);
    }
    return record;
}

// A record query as the report makes it. A size beyond any real record is kept alone, so that it
// renders as the same fault.
Json Level(Spooler& spooler, PrinterHandle printer, DWORD level, bool driver)
{
    std::optional<SpoolerBuffer> buffer;
    try {
        buffer = driver ? QueryDriverInfo(spooler, printer, level) : QueryPrinterInfo(spooler, printer, level);
    } catch (const DataFault&) {
        DWORD needed = 0;
        if (driver)
            spooler.GetPrinterDriverA(printer, nullptr, level, nullptr, 0, &needed);
        else
            spooler.GetPrinterA(printer, level, nullptr, 0, &needed);
        return Json{{"record_size", needed}};
    }
    return Record(spooler, driver ? *DriverInfoLayout(level) : *PrinterInfoLayout(level), buffer);
}

Json DocumentProperties(Spooler& spooler, PrinterHandle printer, const std::string& device)
{
    const std::int32_t size = spooler.DocumentPropertiesA(printer, device.c_str(), nullptr, 0, nullptr, 0);
    if (size < 0 || static_cast<std::size_t>(size) > MaxAnswerBufferSize)
        return Json{{"size", size}};
    SpoolerBuffer buffer(static_cast<std::size_t>(size));
    const std::int32_t result = spooler.DocumentPropertiesA(printer, device.c_str(),
                                                            reinterpret_cast<DEVMODEA*>(buffer.Data()), buffer.Size(),
                                                            nullptr, DM_OUT_BUFFER);
    return Json{{"size", size}, {"fill_result", result}, {"devmode", JsonOfDevMode(buffer.Data(), buffer.Size())}};
}

Json CurrentPrinterOf(Spooler& spooler)
{
    try {
        const CurrentPrinter current = spooler.GetCurrentPrinter();
        Json printer = {{"name", JsonStringOfBytes(current.deviceName)},
                        {"driver", JsonStringOfBytes(current.driverName)},
                        {"port", JsonStringOfBytes(current.portName)},
                        {"devmode", nullptr}};
        if (current.devMode != nullptr) {
            // A handle that does not lock is recorded as no device mode, and is not unlocked.
            if (const auto* bytes = static_cast<const BYTE*>(spooler.GlobalLock(current.devMode))) {
                printer["devmode"] = JsonOfDevMode(bytes, spooler.GlobalSize(current.devMode));
                spooler.GlobalUnlock(current.devMode);
            }
        }
        return printer;
    } catch (const std::exception& error) {
        return Json{{"error", JsonStringOfBytes(error.what())}};
    }
}

}  // namespace

Json SnapshotPrinter(Spooler& spooler, const std::string& entry)
{
    const std::string device = DeviceNameOfEntry(entry);
    const std::string devices = spooler.GetPrivateProfileStringA("devices", device.c_str(), "", "Win.ini");
    Json system = {{"family", spooler.GetVersionExA() == WindowsFamily::Windows95 ? "95" : "nt"},
                   {"code_page", spooler.GetACP()},
                   {"layout", JsonOfWindowsLayout(spooler.LayoutOfAnswers(device.c_str()))},
                   {"messages", Json::object()},
                   {"current_printer", CurrentPrinterOf(spooler)}};
    Json printer = {{"name", JsonStringOfBytes(device)}};
    if (!devices.empty())
        printer["devices"] = JsonStringOfBytes(devices);
    printer["capabilities"] = Capabilities(spooler, device, PortNameOfDevicesValue(devices));

    ScopedPrinter printerHandle(spooler);
    if (printerHandle.Open(device)) {
        const PrinterHandle handle = printerHandle.Get();
        Json levels = Json::object();
        for (const DWORD level : PrinterLevels)
            levels[std::to_string(level)] = Level(spooler, handle, level, false);
        printer["printer_info"] = levels;
        Json drivers = Json::object();
        for (const DWORD level : DriverLevels)
            drivers[std::to_string(level)] = Level(spooler, handle, level, true);
        printer["driver_info"] = drivers;
        printer["document_properties"] = DocumentProperties(spooler, handle, device);
    } else {
        const DWORD code = spooler.GetLastError();
        printer["open_error"] = code;
        if (const LocalText message = spooler.FormatMessageA(code))
            system["messages"][std::to_string(code)] = JsonStringOfBytes(message.get());
    }
    return Json{{"system", system}, {"printers", Json::array({printer})}};
}

}  // namespace ostrel
