// The platform constants that the report names, one table per field kind. Row order is significant:
// lookups take the first matching row, and bit sets are listed in table order.
#include "names/name_tables.h"

namespace ostrel {

const NameEntry BooleanNames[] = {
    {0x0, "No", 0},
    {0x1, "Yes", 0},
    {0, nullptr, 0},
};

const NameEntry DevModeFieldNames[] = {
    {0x1, "DM_ORIENTATION", 0},
    {0x2, "DM_PAPERSIZE", 0},
    {0x4, "DM_PAPERLENGTH", 0},
    {0x8, "DM_PAPERWIDTH", 0},
    {0x10, "DM_SCALE", 0},
    {0x20, "DM_POSITION[2000]", 2},
    {0x40, "DM_NUP[2000]", 2},
    {0x100, "DM_COPIES", 0},
    {0x200, "DM_DEFAULTSOURCE", 0},
    {0x400, "DM_PRINTQUALITY", 0},
    {0x800, "DM_COLOR", 0},
    {0x1000, "DM_DUPLEX", 0},
    {0x2000, "DM_YRESOLUTION", 0},
    {0x4000, "DM_TTOPTION", 0},
    {0x8000, "DM_COLLATE", 0},
    {0x10000, "DM_FORMNAME", 0},
    {0x20000, "DM_LOGPIXELS", 0},
    {0x40000, "DM_BITSPERPEL", 0},
    {0x80000, "DM_PELSWIDTH", 0},
    {0x100000, "DM_PELSHEIGHT", 0},
    {0x200000, "DM_DISPLAYFLAGS", 0},
    {0x400000, "DM_DISPLAYFREQUENCY", 0},
    {0x800000, "DM_ICMMETHOD[95]", 1},
    {0x1000000, "DM_ICMINTENT[95]", 1},
    {0x2000000, "DM_MEDIATYPE[95]", 1},
    {0x4000000, "DM_DITHERTYPE[95]", 1},
    {0x8000000, "DM_PANNINGWIDTH[2000]", 2},
    {0x10000000, "DM_PANNINGHEIGHT[2000]", 2},
    {0, nullptr, 0},
};

const NameEntry TrueTypeNames[] = {
    {0x1, "DCTT_BITMAP", 0},
    {0x2, "DCTT_DOWNLOAD", 0},
    {0x4, "DCTT_SUBDEV", 0},
    {0x8, "DCTT_DOWNLOAD_OUTLINE[95]", 1},
    {0, nullptr, 0},
};

const NameEntry BinAdjustNames[] = {
    {0x0, "DCBA_FACEUPNONE", 1},
    {0x1, "DCBA_FACEUPCENTER", 1},
    {0x2, "DCBA_FACEUPLEFT", 1},
    {0x3, "DCBA_FACEUPRIGHT", 1},
    {0x100, "DCBA_FACEDOWNNONE", 1},
    {0x101, "DCBA_FACEDOWNCENTER", 1},
    {0x102, "DCBA_FACEDOWNLEFT", 1},
    {0x103, "DCBA_FACEDOWNRIGHT", 1},
    {0, nullptr, 0},
};

// Sizes from 42 on came with the Windows 95 family, although their names carry no mark.
const NameEntry PaperNames[] = {
    {1, "DMPAPER_LETTER", 0},
    {2, "DMPAPER_LETTERSMALL", 0},
    {3, "DMPAPER_TABLOID", 0},
    {4, "DMPAPER_LEDGER", 0},
    {5, "DMPAPER_LEGAL", 0},
    {6, "DMPAPER_STATEMENT", 0},
    {7, "DMPAPER_EXECUTIVE", 0},
    {8, "DMPAPER_A3", 0},
    {9, "DMPAPER_A4", 0},
    {10, "DMPAPER_A4SMALL", 0},
    {11, "DMPAPER_A5", 0},
    {12, "DMPAPER_B4", 0},
    {13, "DMPAPER_B5", 0},
    {14, "DMPAPER_FOLIO", 0},
    {15, "DMPAPER_QUARTO", 0},
    {16, "DMPAPER_10X14", 0},
    {17, "DMPAPER_11X17", 0},
    {18, "DMPAPER_NOTE", 0},
    {19, "DMPAPER_ENV_9", 0},
    {20, "DMPAPER_ENV_10", 0},
    {21, "DMPAPER_ENV_11", 0},
    {22, "DMPAPER_ENV_12", 0},
    {23, "DMPAPER_ENV_14", 0},
    {24, "DMPAPER_CSHEET", 0},
    {25, "DMPAPER_DSHEET", 0},
    {26, "DMPAPER_ESHEET", 0},
    {27, "DMPAPER_ENV_DL", 0},
    {28, "DMPAPER_ENV_C5", 0},
    {29, "DMPAPER_ENV_C3", 0},
    {30, "DMPAPER_ENV_C4", 0},
    {31, "DMPAPER_ENV_C6", 0},
    {32, "DMPAPER_ENV_C65", 0},
    {33, "DMPAPER_ENV_B4", 0},
    {34, "DMPAPER_ENV_B5", 0},
    {35, "DMPAPER_ENV_B6", 0},
    {36, "DMPAPER_ENV_ITALY", 0},
    {37, "DMPAPER_ENV_MONARCH", 0},
    {38, "DMPAPER_ENV_PERSONAL", 0},
    {39, "DMPAPER_FANFOLD_US", 0},
    {40, "DMPAPER_FANFOLD_STD_GERMAN", 0},
    {41, "DMPAPER_FANFOLD_LGL_GERMAN", 0},
    {42, "DMPAPER_ISO_B4", 1},
    {43, "DMPAPER_JAPANESE_POSTCARD", 1},
    {44, "DMPAPER_9X11", 1},
    {45, "DMPAPER_10X11", 1},
    {46, "DMPAPER_15X11", 1},
    {47, "DMPAPER_ENV_INVITE", 1},
    {48, "DMPAPER_RESERVED_48", 1},
    {49, "DMPAPER_RESERVED_49", 1},
    {50, "DMPAPER_LETTER_EXTRA", 1},
    {51, "DMPAPER_LEGAL_EXTRA", 1},
    {52, "DMPAPER_TABLOID_EXTRA", 1},
    {53, "DMPAPER_A4_EXTRA", 1},
    {54, "DMPAPER_LETTER_TRANSVERSE", 1},
    {55, "DMPAPER_A4_TRANSVERSE", 1},
    {56, "DMPAPER_LETTER_EXTRA_TRANSVERSE", 1},
    {57, "DMPAPER_A_PLUS", 1},
    {58, "DMPAPER_B_PLUS", 1},
    {59, "DMPAPER_LETTER_PLUS", 1},
    {60, "DMPAPER_A4_PLUS", 1},
    {61, "DMPAPER_A5_TRANSVERSE", 1},
    {62, "DMPAPER_B5_TRANSVERSE", 1},
    {63, "DMPAPER_A3_EXTRA", 1},
    {64, "DMPAPER_A5_EXTRA", 1},
    {65, "DMPAPER_B5_EXTRA", 1},
    {66, "DMPAPER_A2", 1},
    {67, "DMPAPER_A3_TRANSVERSE", 1},
    {68, "DMPAPER_A3_EXTRA_TRANSVERSE", 1},
    {69, "DMPAPER_DBL_JAPANESE_POSTCARD", 1},
    {70, "DMPAPER_A6", 1},
    {71, "DMPAPER_JENV_KAKU2", 1},
    {72, "DMPAPER_JENV_KAKU3", 1},
    {73, "DMPAPER_JENV_CHOU3", 1},
    {74, "DMPAPER_JENV_CHOU4", 1},
    {75, "DMPAPER_LETTER_ROTATED", 1},
    {76, "DMPAPER_A3_ROTATED", 1},
    {77, "DMPAPER_A4_ROTATED", 1},
    {78, "DMPAPER_A5_ROTATED", 1},
    {79, "DMPAPER_B4_JIS_ROTATED", 1},
    {80, "DMPAPER_B5_JIS_ROTATED", 1},
    {81, "DMPAPER_JAPANESE_POSTCARD_ROTATED", 1},
    {82, "DMPAPER_DBL_JAPANESE_POSTCARD_ROTATED", 1},
    {83, "DMPAPER_A6_ROTATED", 1},
    {84, "DMPAPER_JENV_KAKU2_ROTATED", 1},
    {85, "DMPAPER_JENV_KAKU3_ROTATED", 1},
    {86, "DMPAPER_JENV_CHOU3_ROTATED", 1},
    {87, "DMPAPER_JENV_CHOU4_ROTATED", 1},
    {88, "DMPAPER_B6_JIS", 1},
    {89, "DMPAPER_B6_JIS_ROTATED", 1},
    {90, "DMPAPER_12X11", 1},
    {91, "DMPAPER_JENV_YOU4", 1},
    {92, "DMPAPER_JENV_YOU4_ROTATED", 1},
    {93, "DMPAPER_P16K", 1},
    {94, "DMPAPER_P32K", 1},
    {95, "DMPAPER_P32KBIG", 1},
    {96, "DMPAPER_PENV_1", 1},
    {97, "DMPAPER_PENV_2", 1},
    {98, "DMPAPER_PENV_3", 1},
    {99, "DMPAPER_PENV_4", 1},
    {100, "DMPAPER_PENV_5", 1},
    {101, "DMPAPER_PENV_6", 1},
    {102, "DMPAPER_PENV_7", 1},
    {103, "DMPAPER_PENV_8", 1},
    {104, "DMPAPER_PENV_9", 1},
    {105, "DMPAPER_PENV_10", 1},
    {106, "DMPAPER_P16K_ROTATED", 1},
    {107, "DMPAPER_P32K_ROTATED", 1},
    {108, "DMPAPER_P32KBIG_ROTATED", 1},
    {109, "DMPAPER_PENV_1_ROTATED", 1},
    {110, "DMPAPER_PENV_2_ROTATED", 1},
    {111, "DMPAPER_PENV_3_ROTATED", 1},
    {112, "DMPAPER_PENV_4_ROTATED", 1},
    {113, "DMPAPER_PENV_5_ROTATED", 1},
    {114, "DMPAPER_PENV_6_ROTATED", 1},
    {115, "DMPAPER_PENV_7_ROTATED", 1},
    {116, "DMPAPER_PENV_8_ROTATED", 1},
    {117, "DMPAPER_PENV_9_ROTATED", 1},
    {118, "DMPAPER_PENV_10_ROTATED", 1},
    {0x100, "DMPAPER_USER", 0},
    {0, nullptr, 0},
};

const NameEntry BinNames[] = {
    {0x1, "DMBIN_UPPER", 0},
    {0x2, "DMBIN_LOWER", 0},
    {0x3, "DMBIN_MIDDLE", 0},
    {0x4, "DMBIN_MANUAL", 0},
    {0x5, "DMBIN_ENVELOPE", 0},
    {0x6, "DMBIN_ENVMANUAL", 0},
    {0x7, "DMBIN_AUTO", 0},
    {0x8, "DMBIN_TRACTOR", 0},
    {0x9, "DMBIN_SMALLFMT", 0},
    {0xA, "DMBIN_LARGEFMT", 0},
    {0xB, "DMBIN_LARGECAPACITY", 0},
    {0xE, "DMBIN_CASSETTE", 0},
    {0xF, "DMBIN_FORMSOURCE", 0},
    {0x100, "DMBIN_USER", 0},
    {0, nullptr, 0},
};

const NameEntry PrintRateUnitNames[] = {
    {0x1, "PRINTRATEUNIT_PPM (pages per min.)", 0},
    {0x2, "PRINTRATEUNIT_CPS (characters per sec.)", 0},
    {0x3, "PRINTRATEUNIT_LPM (lines per min.)", 0},
    {0x4, "PRINTRATEUNIT_IPM (inches per min.)", 0},
    {0, nullptr, 0},
};

const NameEntry MediaTypeNames[] = {
    {0x1, "DMMEDIA_STANDARD", 0},
    {0x2, "DMMEDIA_TRANSPARENCY", 0},
    {0x3, "DMMEDIA_GLOSSY", 0},
    {0x100, "DMMEDIA_USER", 0},
    {0, nullptr, 0},
};

const NameEntry PrinterEnumFlagNames[] = {
    {0x1, "PRINTER_ENUM_DEFAULT", 0},
    {0x2, "PRINTER_ENUM_LOCAL", 0},
    {0x4, "PRINTER_ENUM_CONNECTIONS", 0},
    {0x4, "PRINTER_ENUM_FAVORITE", 0},  // shares 0x4, so only ever named by the row above
    {0x8, "PRINTER_ENUM_NAME", 0},
    {0x10, "PRINTER_ENUM_REMOTE", 0},
    {0x20, "PRINTER_ENUM_SHARED", 0},
    {0x40, "PRINTER_ENUM_NETWORK", 0},
    {0x4000, "PRINTER_ENUM_EXPAND", 0},
    {0x8000, "PRINTER_ENUM_CONTAINER", 0},
    {0x10000, "PRINTER_ENUM_ICON1", 0},
    {0x20000, "PRINTER_ENUM_ICON2", 0},
    {0x40000, "PRINTER_ENUM_ICON3", 0},
    {0x80000, "PRINTER_ENUM_ICON4", 0},
    {0x100000, "PRINTER_ENUM_ICON5", 0},
    {0x200000, "PRINTER_ENUM_ICON6", 0},
    {0x400000, "PRINTER_ENUM_ICON7", 0},
    {0x800000, "PRINTER_ENUM_ICON8", 0},
    {0x1000000, "PRINTER_ENUM_HIDE", 0},
    {0, nullptr, 0},
};

const NameEntry PrinterAttributeNames[] = {
    {0x1, "PRINTER_ATTRIBUTE_QUEUED", 0},
    {0x2, "PRINTER_ATTRIBUTE_DIRECT", 0},
    {0x4, "PRINTER_ATTRIBUTE_DEFAULT", 0},
    {0x8, "PRINTER_ATTRIBUTE_SHARED", 0},
    {0x10, "PRINTER_ATTRIBUTE_NETWORK", 0},
    {0x20, "PRINTER_ATTRIBUTE_HIDDEN", 0},
    {0x40, "PRINTER_ATTRIBUTE_LOCAL", 0},
    {0x80, "PRINTER_ATTRIBUTE_ENABLE_DEVQ", 0},
    {0x100, "PRINTER_ATTRIBUTE_KEEPPRINTEDJOBS", 0},
    {0x200, "PRINTER_ATTRIBUTE_DO_COMPLETE_FIRST", 0},
    {0x400, "PRINTER_ATTRIBUTE_WORK_OFFLINE", 0},
    {0x800, "PRINTER_ATTRIBUTE_ENABLE_BIDI", 0},
    {0x1000, "PRINTER_ATTRIBUTE_RAW_ONLY", 0},
    {0x2000, "PRINTER_ATTRIBUTE_PUBLISHED", 0},
    {0x4000, "PRINTER_ATTRIBUTE_FAX", 0},
    {0, nullptr, 0},
};

const NameEntry PrinterStatusNames[] = {
    {0x1, "PRINTER_STATUS_PAUSED", 0},
    {0x2, "PRINTER_STATUS_ERROR", 0},
    {0x4, "PRINTER_STATUS_PENDING_DELETION", 0},
    {0x8, "PRINTER_STATUS_PAPER_JAM", 0},
    {0x10, "PRINTER_STATUS_PAPER_OUT", 0},
    {0x20, "PRINTER_STATUS_MANUAL_FEED", 0},
    {0x40, "PRINTER_STATUS_PAPER_PROBLEM", 0},
    {0x80, "PRINTER_STATUS_OFFLINE", 0},
    {0x100, "PRINTER_STATUS_IO_ACTIVE", 0},
    {0x200, "PRINTER_STATUS_BUSY", 0},
    {0x400, "PRINTER_STATUS_PRINTING", 0},
    {0x800, "PRINTER_STATUS_OUTPUT_BIN_FULL", 0},
    {0x1000, "PRINTER_STATUS_NOT_AVAILABLE", 0},
    {0x2000, "PRINTER_STATUS_WAITING", 0},
    {0x4000, "PRINTER_STATUS_PROCESSING", 0},
    {0x8000, "PRINTER_STATUS_INITIALIZING", 0},
    {0x10000, "PRINTER_STATUS_WARMING_UP", 0},
    {0x20000, "PRINTER_STATUS_TONER_LOW", 0},
    {0x40000, "PRINTER_STATUS_NO_TONER", 0},
    {0x80000, "PRINTER_STATUS_PAGE_PUNT", 0},
    {0x100000, "PRINTER_STATUS_USER_INTERVENTION", 0},
    {0x200000, "PRINTER_STATUS_OUT_OF_MEMORY", 0},
    {0x400000, "PRINTER_STATUS_DOOR_OPEN", 0},
    {0x800000, "PRINTER_STATUS_SERVER_UNKNOWN", 0},
    {0x1000000, "PRINTER_STATUS_POWER_SAVE", 0},
    {0, nullptr, 0},
};

const NameEntry PublishActionNames[] = {
    {0x1, "DSPRINT_PUBLISH", 0},
    {0x2, "DSPRINT_UPDATE", 0},
    {0x4, "DSPRINT_UNPUBLISH", 0},
    {0x8, "DSPRINT_REPUBLISH", 0},
    {static_cast<std::int32_t>(0x80000000u), "DSPRINT_PENDING", 0},
    {0, nullptr, 0},
};

const NameEntry DriverVersionNames[] = {
    {0x0, "Driver for Windows 95/98/Me", 0},
    {0x1, "Driver for Windows NT 3.51", 0},
    {0x2, "Driver for Windows NT 4.0", 0},
    {0x3, "Driver for Windows 2000/XP", 0},
    {0, nullptr, 0},
};

const NameEntry DriverModeNames[] = {
    {0x1, "DRIVER_KERNELMODE", 0},
    {0x2, "DRIVER_USERMODE", 0},
    {0, nullptr, 0},
};

const NameEntry OrientationNames[] = {
    {0x1, "DMORIENT_PORTRAIT", 0},
    {0x2, "DMORIENT_LANDSCAPE", 0},
    {0, nullptr, 0},
};

const NameEntry PrintQualityNames[] = {
    {-1, "DMRES_DRAFT", 0},
    {-2, "DMRES_LOW", 0},
    {-3, "DMRES_MEDIUM", 0},
    {-4, "DMRES_HIGH", 0},
    {0, nullptr, 0},
};

const NameEntry ColorModeNames[] = {
    {0x1, "DMCOLOR_MONOCHROME", 0},
    {0x2, "DMCOLOR_COLOR", 0},
    {0, nullptr, 0},
};

const NameEntry DuplexNames[] = {
    {0x1, "DMDUP_SIMPLEX", 0},
    {0x2, "DMDUP_VERTICAL", 0},
    {0x3, "DMDUP_HORIZONTAL", 0},
    {0, nullptr, 0},
};

const NameEntry CollateNames[] = {
    {0x0, "DMCOLLATE_FALSE", 0},
    {0x1, "DMCOLLATE_TRUE", 0},
    {0, nullptr, 0},
};

const NameEntry NupNames[] = {
    {0x1, "DMNUP_SYSTEM", 0},
    {0x2, "DMNUP_ONEUP", 0},
    {0, nullptr, 0},
};

const NameEntry IcmMethodNames[] = {
    {0x1, "DMICMMETHOD_NONE", 0},
    {0x2, "DMICMMETHOD_SYSTEM", 0},
    {0x3, "DMICMMETHOD_DRIVER", 0},
    {0x4, "DMICMMETHOD_DEVICE", 0},
    {0x100, "DMICMMETHOD_USER", 0},
    {0, nullptr, 0},
};

const NameEntry IcmIntentNames[] = {
    {0x1, "DMICM_SATURATE", 0},
    {0x2, "DMICM_CONTRAST", 0},
    {0x3, "DMICM_COLORIMETRIC", 0},
    {0x4, "DMICM_ABS_COLORIMETRIC", 0},
    {0x100, "DMICM_USER", 0},
    {0, nullptr, 0},
};

const NameEntry DitherTypeNames[] = {
    {0x1, "DMDITHER_NONE", 0},
    {0x2, "DMDITHER_COARSE", 0},
    {0x3, "DMDITHER_FINE", 0},
    {0x4, "DMDITHER_LINEART", 0},
    {0x5, "DMDITHER_ERRORDIFFUSION", 0},
    {0x6, "DMDITHER_RESERVED6", 0},
    {0x7, "DMDITHER_RESERVED7", 0},
    {0x8, "DMDITHER_RESERVED8", 0},
    {0x9, "DMDITHER_RESERVED9", 0},
    {0xA, "DMDITHER_GRAYSCALE", 0},
    {0x100, "DMDITHER_USER", 0},
    {0, nullptr, 0},
};

const NameEntry DocInfoTypeNames[] = {
    {0x1, "DI_APPBANDING", 0},
    {0x2, "DI_ROPS_READ_DESTINATION", 0},
    {0, nullptr, 0},
};

}  // namespace ostrel
