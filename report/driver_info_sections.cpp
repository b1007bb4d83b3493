#include "report/info_sections.h"

#include "report/record_section.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ostrel {

namespace {

enum class Form {
    Text,
    TextList,  // texts ended by an empty one, each on its own line
    Hex32,
    Hex64,
    FileTime,
    Enum,
};

constexpr unsigned Level(DWORD level) { return 1u << level; }

constexpr unsigned Levels2To6 = Level(2) | Level(3) | Level(4) | Level(5) | Level(6);
constexpr unsigned FileLevels = Level(3) | Level(4) | Level(6);

struct DriverField {
    const char* label;
    unsigned levels;  // Level(n) set: DRIVER_INFO_n lists the field
    std::size_t offset;
    Form form;
    const NameEntry* table;  // Enum
};

// Levels 2 to 6 begin with the fields of level 2, and levels 3, 4 and 6 go on with those of level 3
// (4 and 6 with those of 4), so one offset serves every level that lists a field. Level 1 holds
// nothing but the name, at its start.
static_assert(offsetof(DRIVER_INFO_2A, pConfigFile) == offsetof(DRIVER_INFO_6A, pConfigFile) &&
              offsetof(DRIVER_INFO_5A, pConfigFile) == offsetof(DRIVER_INFO_6A, pConfigFile) &&
              offsetof(DRIVER_INFO_3A, pDefaultDataType) == offsetof(DRIVER_INFO_6A, pDefaultDataType) &&
              offsetof(DRIVER_INFO_4A, pszzPreviousNames) == offsetof(DRIVER_INFO_6A, pszzPreviousNames));

constexpr DriverField Fields[] = {
    {"cVersion", Levels2To6, offsetof(DRIVER_INFO_6A, cVersion), Form::Enum, DriverVersionNames},
    {"pName", Level(1), offsetof(DRIVER_INFO_1A, pName), Form::Text, nullptr},
    {"pName", Levels2To6, offsetof(DRIVER_INFO_6A, pName), Form::Text, nullptr},
    {"pEnvironment", Levels2To6, offsetof(DRIVER_INFO_6A, pEnvironment), Form::Text, nullptr},
    {"pDriverPath", Levels2To6, offsetof(DRIVER_INFO_6A, pDriverPath), Form::Text, nullptr},
    {"pDataFile", Levels2To6, offsetof(DRIVER_INFO_6A, pDataFile), Form::Text, nullptr},
    {"pConfigFile", Levels2To6, offsetof(DRIVER_INFO_6A, pConfigFile), Form::Text, nullptr},
    {"pHelpFile", FileLevels, offsetof(DRIVER_INFO_6A, pHelpFile), Form::Text, nullptr},
    {"pDependentFiles", FileLevels, offsetof(DRIVER_INFO_6A, pDependentFiles), Form::TextList, nullptr},
    {"pMonitorName", FileLevels, offsetof(DRIVER_INFO_6A, pMonitorName), Form::Text, nullptr},
    {"pDefaultDataType", FileLevels, offsetof(DRIVER_INFO_6A, pDefaultDataType), Form::Text, nullptr},
    {"pszzPreviousNames", Level(4) | Level(6), offsetof(DRIVER_INFO_6A, pszzPreviousNames), Form::TextList, nullptr},
    {"dwDriverAttributes", Level(5), offsetof(DRIVER_INFO_5A, dwDriverAttributes), Form::Enum, DriverModeNames},
    {"dwConfigVersion", Level(5), offsetof(DRIVER_INFO_5A, dwConfigVersion), Form::Hex32, nullptr},
    {"dwDriverVersion", Level(5), offsetof(DRIVER_INFO_5A, dwDriverVersion), Form::Hex32, nullptr},
    {"ftDriverDate", Level(6), offsetof(DRIVER_INFO_6A, ftDriverDate), Form::FileTime, nullptr},
    {"dwlDriverVersion", Level(6), offsetof(DRIVER_INFO_6A, dwlDriverVersion), Form::Hex64, nullptr},
    {"pszMfgName", Level(6), offsetof(DRIVER_INFO_6A, pszMfgName), Form::Text, nullptr},
    {"pszOEMUrl", Level(6), offsetof(DRIVER_INFO_6A, pszOEMUrl), Form::Text, nullptr},
    {"pszHardwareID", Level(6), offsetof(DRIVER_INFO_6A, pszHardwareID), Form::Text, nullptr},
    {"pszProvider", Level(6), offsetof(DRIVER_INFO_6A, pszProvider), Form::Text, nullptr},
};

// The record of a level at the start of its buffer, after checking that the buffer holds all of it.
using RecordStart = const BYTE* (*)(const SpoolerBuffer&);

template <class Record>
const BYTE* StartOf(const SpoolerBuffer& buffer)
{
    return reinterpret_cast<const BYTE*>(&buffer.RecordAtStart<Record>());
}

struct DriverSection {
    DWORD level;
    const char* title;
    RecordStart record;
};

constexpr DriverSection Sections[] = {
    {1, "DRIVER_INFO_1", StartOf<DRIVER_INFO_1A>},
    {2, "DRIVER_INFO_2", StartOf<DRIVER_INFO_2A>},
    {3, "DRIVER_INFO_3 [95,NT4]", StartOf<DRIVER_INFO_3A>},
    {4, "DRIVER_INFO_4 [2000]", StartOf<DRIVER_INFO_4A>},
    {5, "DRIVER_INFO_5 [2000]", StartOf<DRIVER_INFO_5A>},
    {6, "DRIVER_INFO_6 [Me,2000]", StartOf<DRIVER_INFO_6A>},
};

// An empty unit asks the writer for the hexadecimal form.
constexpr char Hexadecimal[] = "";

// Each text of a list is written as it is read: a list that runs out of the buffer before its
// final empty text keeps the lines before, and the fault then ends the section. An empty first
// text is the end of an empty list.
void WriteTextList(ReportWriter& writer, const std::string& label, const SpoolerBuffer& buffer, const char* list)
{
    const char* first = buffer.Text(list);
    if (first != nullptr)
        writer.BeginList(label);
    writer.AddItemString(label, first, false);
    if (list == nullptr || *list == '\0')
        return;
    for (const char* item = list + std::strlen(list) + 1; *buffer.Text(item) != '\0'; item += std::strlen(item) + 1)
        writer.AddItemString({}, item, false);
}

void WriteField(ReportWriter& writer, const SpoolerBuffer& buffer, const BYTE* record, const DriverField& field)
{
    switch (field.form) {
    case Form::Text:
        writer.AddItemString(field.label, buffer.Text(ReadUnaligned<const char*>(record + field.offset)), false);
        break;
    case Form::TextList:
        WriteTextList(writer, field.label, buffer, ReadUnaligned<const char*>(record + field.offset));
        break;
    case Form::Hex32:
        writer.AddItemLong(field.label, ReadUnaligned<DWORD>(record + field.offset), Hexadecimal, false);
        break;
    case Form::Hex64:
        writer.AddItemLongLong(field.label, ReadUnaligned<DWORDLONG>(record + field.offset), Hexadecimal);
        break;
    case Form::FileTime:
        writer.AddItemFileTime(field.label, ReadUnaligned<FILETIME>(record + field.offset));
        break;
    case Form::Enum:
        writer.AddItemEnum(field.label, static_cast<std::int32_t>(ReadUnaligned<DWORD>(record + field.offset)),
                           field.table, false);
        break;
    }
}


}  // namespace

void WriteDriverInfoSections(ReportContext& context)
{
    for (const DriverSection& section : Sections)
        WriteRecordSection(context, section.title, QueryDriverInfo, section.level, [&](const SpoolerBuffer& buffer) {
            const BYTE* record = section.record(buffer);
            for (const DriverField& field : Fields)
                if ((field.levels & Level(section.level)) != 0)
                    WriteField(context.writer, buffer, record, field);
        });
}

}  // namespace ostrel
