#include "platform/record_fields.h"

namespace ostrel {

namespace {

#define FIELD(record, field, kind) RecordField{#field, offsetof(record, field), FieldKind::kind}

constexpr RecordField PrinterInfo1[] = {
    FIELD(PRINTER_INFO_1A, Flags, Dword),
    FIELD(PRINTER_INFO_1A, pDescription, Text),
    FIELD(PRINTER_INFO_1A, pName, Text),
    FIELD(PRINTER_INFO_1A, pComment, Text),
};

constexpr RecordField PrinterInfo2[] = {
    FIELD(PRINTER_INFO_2A, pServerName, Text),
    FIELD(PRINTER_INFO_2A, pPrinterName, Text),
    FIELD(PRINTER_INFO_2A, pShareName, Text),
    FIELD(PRINTER_INFO_2A, pPortName, Text),
    FIELD(PRINTER_INFO_2A, pDriverName, Text),
    FIELD(PRINTER_INFO_2A, pComment, Text),
    FIELD(PRINTER_INFO_2A, pLocation, Text),
    FIELD(PRINTER_INFO_2A, pDevMode, DevMode),
    FIELD(PRINTER_INFO_2A, pSepFile, Text),
    FIELD(PRINTER_INFO_2A, pPrintProcessor, Text),
    FIELD(PRINTER_INFO_2A, pDatatype, Text),
    FIELD(PRINTER_INFO_2A, pParameters, Text),
    FIELD(PRINTER_INFO_2A, pSecurityDescriptor, Pointer),
    FIELD(PRINTER_INFO_2A, Attributes, Dword),
    FIELD(PRINTER_INFO_2A, Priority, Dword),
    FIELD(PRINTER_INFO_2A, DefaultPriority, Dword),
    FIELD(PRINTER_INFO_2A, StartTime, Dword),
    FIELD(PRINTER_INFO_2A, UntilTime, Dword),
    FIELD(PRINTER_INFO_2A, Status, Dword),
    FIELD(PRINTER_INFO_2A, cJobs, Dword),
    FIELD(PRINTER_INFO_2A, AveragePPM, Dword),
};

constexpr RecordField PrinterInfo4[] = {
    FIELD(PRINTER_INFO_4A, pPrinterName, Text),
    FIELD(PRINTER_INFO_4A, pServerName, Text),
    FIELD(PRINTER_INFO_4A, Attributes, Dword),
};

constexpr RecordField PrinterInfo5[] = {
    FIELD(PRINTER_INFO_5A, pPrinterName, Text),
    FIELD(PRINTER_INFO_5A, pPortName, Text),
    FIELD(PRINTER_INFO_5A, Attributes, Dword),
    FIELD(PRINTER_INFO_5A, DeviceNotSelectedTimeout, Dword),
    FIELD(PRINTER_INFO_5A, TransmissionRetryTimeout, Dword),
};

constexpr RecordField PrinterInfo6[] = {
    FIELD(PRINTER_INFO_6, dwStatus, Dword),
};

constexpr RecordField PrinterInfo7[] = {
    FIELD(PRINTER_INFO_7A, pszObjectGUID, Text),
    FIELD(PRINTER_INFO_7A, dwAction, Dword),
};

constexpr RecordField PrinterInfo8[] = {
    FIELD(PRINTER_INFO_8A, pDevMode, DevMode),
};

constexpr RecordField PrinterInfo9[] = {
    FIELD(PRINTER_INFO_9A, pDevMode, DevMode),
};

constexpr RecordField DriverInfo1[] = {
    FIELD(DRIVER_INFO_1A, pName, Text),
};

#define DRIVER_INFO_2_FIELDS(record)                                                                   \
    FIELD(record, cVersion, Dword), FIELD(record, pName, Text), FIELD(record, pEnvironment, Text),     \
        FIELD(record, pDriverPath, Text), FIELD(record, pDataFile, Text), FIELD(record, pConfigFile, Text)

#define DRIVER_INFO_3_FIELDS(record)                                                                   \
    DRIVER_INFO_2_FIELDS(record), FIELD(record, pHelpFile, Text), FIELD(record, pDependentFiles, MultiText), \
        FIELD(record, pMonitorName, Text), FIELD(record, pDefaultDataType, Text)

constexpr RecordField DriverInfo2[] = {DRIVER_INFO_2_FIELDS(DRIVER_INFO_2A)};
constexpr RecordField DriverInfo3[] = {DRIVER_INFO_3_FIELDS(DRIVER_INFO_3A)};
constexpr RecordField DriverInfo4[] = {
    DRIVER_INFO_3_FIELDS(DRIVER_INFO_4A),
    FIELD(DRIVER_INFO_4A, pszzPreviousNames, MultiText),
};
constexpr RecordField DriverInfo5[] = {
    DRIVER_INFO_2_FIELDS(DRIVER_INFO_5A),
    FIELD(DRIVER_INFO_5A, dwDriverAttributes, Dword),
    FIELD(DRIVER_INFO_5A, dwConfigVersion, Dword),
    FIELD(DRIVER_INFO_5A, dwDriverVersion, Dword),
};
constexpr RecordField DriverInfo6[] = {
    DRIVER_INFO_3_FIELDS(DRIVER_INFO_6A),
    FIELD(DRIVER_INFO_6A, pszzPreviousNames, MultiText),
    FIELD(DRIVER_INFO_6A, ftDriverDate, FileTime),
    FIELD(DRIVER_INFO_6A, dwlDriverVersion, Qword),
    FIELD(DRIVER_INFO_6A, pszMfgName, Text),
    FIELD(DRIVER_INFO_6A, pszOEMUrl, Text),
    FIELD(DRIVER_INFO_6A, pszHardwareID, Text),
    FIELD(DRIVER_INFO_6A, pszProvider, Text),
};

#undef DRIVER_INFO_3_FIELDS
#undef DRIVER_INFO_2_FIELDS
#undef FIELD

constexpr RecordLayout PrinterLayouts[] = {
    {1, sizeof(PRINTER_INFO_1A), PrinterInfo1}, {2, sizeof(PRINTER_INFO_2A), PrinterInfo2},
    {4, sizeof(PRINTER_INFO_4A), PrinterInfo4}, {5, sizeof(PRINTER_INFO_5A), PrinterInfo5},
    {6, sizeof(PRINTER_INFO_6), PrinterInfo6},  {7, sizeof(PRINTER_INFO_7A), PrinterInfo7},
    {8, sizeof(PRINTER_INFO_8A), PrinterInfo8}, {9, sizeof(PRINTER_INFO_9A), PrinterInfo9},
};

constexpr RecordLayout DriverLayouts[] = {
    {1, sizeof(DRIVER_INFO_1A), DriverInfo1}, {2, sizeof(DRIVER_INFO_2A), DriverInfo2},
    {3, sizeof(DRIVER_INFO_3A), DriverInfo3}, {4, sizeof(DRIVER_INFO_4A), DriverInfo4},
    {5, sizeof(DRIVER_INFO_5A), DriverInfo5}, {6, sizeof(DRIVER_INFO_6A), DriverInfo6},
};

template <std::size_t N>
const RecordLayout* Find(const RecordLayout (&layouts)[N], DWORD level)
{
    for (const RecordLayout& layout : layouts)
        if (layout.level == level)
            return &layout;
    return nullptr;
}

}  // namespace

const RecordLayout* PrinterInfoLayout(DWORD level)
{
    return Find(PrinterLayouts, level);
}

const RecordLayout* DriverInfoLayout(DWORD level)
{
    return Find(DriverLayouts, level);
}

}  // namespace ostrel
