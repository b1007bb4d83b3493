// The spooler's and driver's record layouts. On Windows they come from the SDK headers; the native
// build defines the same layouts itself, so that the report code reads one set of names everywhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <winspool.h>
#else
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using DWORDLONG = std::uint64_t;
using LPSTR = char*;
using LPCSTR = const char*;
using HANDLE = void*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// Only the printer members of the two unions are declared: the report never reads the display ones.
struct DEVMODEA {
    BYTE dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;
    short dmPaperWidth;
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmNup;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;
};

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;
    LPCSTR lpszDatatype;
    DWORD fwType;
};

struct PRINTER_DEFAULTSA {
    LPSTR pDatatype;
    DEVMODEA* pDevMode;
    DWORD DesiredAccess;
};

struct PRINTER_INFO_1A {
    DWORD Flags;
    LPSTR pDescription;
    LPSTR pName;
    LPSTR pComment;
};

struct PRINTER_INFO_2A {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    DEVMODEA* pDevMode;
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    void* pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

struct PRINTER_INFO_4A {
    LPSTR pPrinterName;
    LPSTR pServerName;
    DWORD Attributes;
};

struct PRINTER_INFO_5A {
    LPSTR pPrinterName;
    LPSTR pPortName;
    DWORD Attributes;
    DWORD DeviceNotSelectedTimeout;
    DWORD TransmissionRetryTimeout;
};

struct PRINTER_INFO_6 {
    DWORD dwStatus;
};

struct PRINTER_INFO_7A {
    LPSTR pszObjectGUID;
    DWORD dwAction;
};

struct PRINTER_INFO_8A {
    DEVMODEA* pDevMode;
};

struct PRINTER_INFO_9A {
    DEVMODEA* pDevMode;
};

struct DRIVER_INFO_1A {
    LPSTR pName;
};

struct DRIVER_INFO_2A {
    DWORD cVersion;
    LPSTR pName;
    LPSTR pEnvironment;
    LPSTR pDriverPath;
    LPSTR pDataFile;
    LPSTR pConfigFile;
};

struct DRIVER_INFO_3A {
    DWORD cVersion;
    LPSTR pName;
    LPSTR pEnvironment;
    LPSTR pDriverPath;
    LPSTR pDataFile;
    LPSTR pConfigFile;
    LPSTR pHelpFile;
    LPSTR pDependentFiles;
    LPSTR pMonitorName;
    LPSTR pDefaultDataType;
};

struct DRIVER_INFO_4A {
    DWORD cVersion;
    LPSTR pName;
    LPSTR pEnvironment;
    LPSTR pDriverPath;
    LPSTR pDataFile;
    LPSTR pConfigFile;
    LPSTR pHelpFile;
    LPSTR pDependentFiles;
    LPSTR pMonitorName;
    LPSTR pDefaultDataType;
    LPSTR pszzPreviousNames;
};

struct DRIVER_INFO_5A {
    DWORD cVersion;
    LPSTR pName;
    LPSTR pEnvironment;
    LPSTR pDriverPath;
    LPSTR pDataFile;
    LPSTR pConfigFile;
    DWORD dwDriverAttributes;
    DWORD dwConfigVersion;
    DWORD dwDriverVersion;
};

struct DRIVER_INFO_6A {
    DWORD cVersion;
    LPSTR pName;
    LPSTR pEnvironment;
    LPSTR pDriverPath;
    LPSTR pDataFile;
    LPSTR pConfigFile;
    LPSTR pHelpFile;
    LPSTR pDependentFiles;
    LPSTR pMonitorName;
    LPSTR pDefaultDataType;
    LPSTR pszzPreviousNames;
    FILETIME ftDriverDate;
    DWORDLONG dwlDriverVersion;
    LPSTR pszMfgName;
    LPSTR pszOEMUrl;
    LPSTR pszHardwareID;
    LPSTR pszProvider;
};

// Device-capability indexes.
constexpr WORD DC_FIELDS = 1, DC_PAPERS = 2, DC_PAPERSIZE = 3, DC_MINEXTENT = 4, DC_MAXEXTENT = 5, DC_BINS = 6,
               DC_DUPLEX = 7, DC_SIZE = 8, DC_EXTRA = 9, DC_VERSION = 10, DC_DRIVER = 11, DC_BINNAMES = 12,
               DC_ENUMRESOLUTIONS = 13, DC_FILEDEPENDENCIES = 14, DC_TRUETYPE = 15, DC_PAPERNAMES = 16,
               DC_ORIENTATION = 17, DC_COPIES = 18, DC_BINADJUST = 19, DC_EMF_COMPLIANT = 20,
               DC_DATATYPE_PRODUCED = 21, DC_COLLATE = 22, DC_MANUFACTURER = 23, DC_MODEL = 24,
               DC_PERSONALITY = 25, DC_PRINTRATE = 26, DC_PRINTRATEUNIT = 27, DC_PRINTERMEM = 28,
               DC_MEDIAREADY = 29, DC_STAPLE = 30, DC_PRINTRATEPPM = 31, DC_COLORDEVICE = 32, DC_NUP = 33,
               DC_MEDIATYPENAMES = 34, DC_MEDIATYPES = 35;

constexpr DWORD PRINTER_ACCESS_USE = 0x8;
constexpr DWORD DM_OUT_BUFFER = 2;
constexpr DWORD PRINTER_ENUM_LOCAL = 0x2;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x4;
#endif

#include <cstddef>

static_assert(sizeof(DEVMODEA) == 156, "DEVMODEA must keep the platform's layout");
static_assert(offsetof(DEVMODEA, dmFormName) == 70 && offsetof(DEVMODEA, dmLogPixels) == 102,
              "DEVMODEA must keep the platform's layout");
