#include "report/info_sections.h"

#include "report/record_section.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace ostrel {

namespace {

enum class Form { Text, Number, Flags };

struct PrinterField {
    const char* label;
    std::size_t offset;
    Form form;
    const char* unit;        // Number
    const NameEntry* table;  // Flags
};

constexpr PrinterField Text(const char* label, std::size_t offset)
{
    return {label, offset, Form::Text, nullptr, nullptr};
}

constexpr PrinterField Number(const char* label, std::size_t offset, const char* unit)
{
    return {label, offset, Form::Number, unit, nullptr};
}

constexpr PrinterField Flags(const char* label, std::size_t offset, const NameEntry* table)
{
    return {label, offset, Form::Flags, nullptr, table};
}

constexpr char Minutes[] = "min. since 12:00AM GMT";

constexpr PrinterField Level1[] = {
    Flags("Flags", offsetof(PRINTER_INFO_1A, Flags), PrinterEnumFlagNames),
    Text("pDescription", offsetof(PRINTER_INFO_1A, pDescription)),
    Text("pName", offsetof(PRINTER_INFO_1A, pName)),
    Text("pComment", offsetof(PRINTER_INFO_1A, pComment)),
};

// The device mode (listed by the device-mode sections) and the security descriptor are left out.
constexpr PrinterField Level2[] = {
    Text("pServerName", offsetof(PRINTER_INFO_2A, pServerName)),
    Text("pPrinterName", offsetof(PRINTER_INFO_2A, pPrinterName)),
    Text("pShareName", offsetof(PRINTER_INFO_2A, pShareName)),
    Text("pPortName", offsetof(PRINTER_INFO_2A, pPortName)),
    Text("pDriverName", offsetof(PRINTER_INFO_2A, pDriverName)),
    Text("pComment", offsetof(PRINTER_INFO_2A, pComment)),
    Text("pLocation", offsetof(PRINTER_INFO_2A, pLocation)),
    Text("pSepFile", offsetof(PRINTER_INFO_2A, pSepFile)),
    Text("pPrintProcessor", offsetof(PRINTER_INFO_2A, pPrintProcessor)),
    Text("pDataType", offsetof(PRINTER_INFO_2A, pDatatype)),
    Text("pParameters", offsetof(PRINTER_INFO_2A, pParameters)),
    Flags("Attributes", offsetof(PRINTER_INFO_2A, Attributes), PrinterAttributeNames),
    Number("Priority", offsetof(PRINTER_INFO_2A, Priority), "level"),
    Number("DefaultPriority", offsetof(PRINTER_INFO_2A, DefaultPriority), "level"),
    Number("StartTime", offsetof(PRINTER_INFO_2A, StartTime), Minutes),
    Number("UntilTime", offsetof(PRINTER_INFO_2A, UntilTime), Minutes),
    Flags("Status", offsetof(PRINTER_INFO_2A, Status), PrinterStatusNames),
    Number("cJobs", offsetof(PRINTER_INFO_2A, cJobs), "jobs queued"),
    Number("AveragePPM", offsetof(PRINTER_INFO_2A, AveragePPM), "pages per min."),
};

constexpr PrinterField Level4[] = {
    Text("pPrinterName", offsetof(PRINTER_INFO_4A, pPrinterName)),
    Text("pServerName", offsetof(PRINTER_INFO_4A, pServerName)),
    Flags("Attributes", offsetof(PRINTER_INFO_4A, Attributes), PrinterAttributeNames),
};

constexpr PrinterField Level5[] = {
    Text("pPrinterName", offsetof(PRINTER_INFO_5A, pPrinterName)),
    Text("pPortName", offsetof(PRINTER_INFO_5A, pPortName)),
    Flags("Attributes", offsetof(PRINTER_INFO_5A, Attributes), PrinterAttributeNames),
    Number("DeviceNotSelectedTimeout", offsetof(PRINTER_INFO_5A, DeviceNotSelectedTimeout), "msec."),
    Number("TransmissionRetryTimeout", offsetof(PRINTER_INFO_5A, TransmissionRetryTimeout), "msec."),
};

constexpr PrinterField Level6[] = {
    Flags("dwStatus", offsetof(PRINTER_INFO_6, dwStatus), PrinterStatusNames),
};

constexpr PrinterField Level7[] = {
    Text("pszObjectGUID", offsetof(PRINTER_INFO_7A, pszObjectGUID)),
    Flags("dwAction", offsetof(PRINTER_INFO_7A, dwAction), PublishActionNames),
};

// The record of a level at the start of its buffer, after checking that the buffer holds all of it.
using RecordStart = const BYTE* (*)(const SpoolerBuffer&);

template <class Record>
const BYTE* StartOf(const SpoolerBuffer& buffer)
{
    return reinterpret_cast<const BYTE*>(&buffer.RecordAtStart<Record>());
}

struct PrinterSection {
    DWORD level;
    const char* title;
    RecordStart record;
    std::span<const PrinterField> fields;
};

constexpr PrinterSection Sections[] = {
    {1, "PRINTER_INFO_1", StartOf<PRINTER_INFO_1A>, Level1},
    {2, "PRINTER_INFO_2", StartOf<PRINTER_INFO_2A>, Level2},
    {4, "PRINTER_INFO_4 [NT3.5]", StartOf<PRINTER_INFO_4A>, Level4},
    {5, "PRINTER_INFO_5 [95,NT4]", StartOf<PRINTER_INFO_5A>, Level5},
    {6, "PRINTER_INFO_6 [NT4]", StartOf<PRINTER_INFO_6>, Level6},
    {7, "PRINTER_INFO_7 [2000]", StartOf<PRINTER_INFO_7A>, Level7},
};

void WriteField(ReportWriter& writer, const SpoolerBuffer& buffer, const BYTE* record, const PrinterField& field)
{
    switch (field.form) {
    case Form::Text:
        writer.AddItemString(field.label, buffer.Text(ReadUnaligned<const char*>(record + field.offset)), false);
        break;
    case Form::Number:
        writer.AddItemLong(field.label, ReadUnaligned<DWORD>(record + field.offset), field.unit, false);
        break;
    case Form::Flags:
        writer.AddItemFlags(field.label, static_cast<std::int32_t>(ReadUnaligned<DWORD>(record + field.offset)),
                            field.table, false);
        break;
    }
}

// Read after the listing, so that a record the listing could not show keeps no facts either.
void KeepPrinterFacts(ReportFacts& facts, const SpoolerBuffer& buffer, const BYTE* record)
{
    const char* port = buffer.Text(ReadUnaligned<const char*>(record + offsetof(PRINTER_INFO_2A, pPortName)));
    facts.printerInfo2 = PrinterRecordFacts{port != nullptr ? port : "",
                                            ReadUnaligned<DWORD>(record + offsetof(PRINTER_INFO_2A, Status))};
}

}  // namespace

void WritePrinterInfoSections(ReportContext& context)
{
    for (const PrinterSection& section : Sections)
        WriteRecordSection(context, section.title, QueryPrinterInfo, section.level, [&](const SpoolerBuffer& buffer) {
            const BYTE* record = section.record(buffer);
            for (const PrinterField& field : section.fields)
                WriteField(context.writer, buffer, record, field);
            if (section.level == 2 && context.facts != nullptr)
                KeepPrinterFacts(*context.facts, buffer, record);
        });
}

}  // namespace ostrel
