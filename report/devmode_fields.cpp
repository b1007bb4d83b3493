#include "report/devmode_fields.h"

namespace ostrel {

namespace {

using F = DevModeForm;

// Of the two unions only the printer members are listed: dmOrientation to dmPrintQuality, and dmNup.
constexpr DevModeField Fields[] = {
    {"dmDeviceName", nullptr, offsetof(DEVMODEA, dmDeviceName), 32, false, F::Text, "", nullptr},
    {"dmSpecVersion", nullptr, offsetof(DEVMODEA, dmSpecVersion), 2, false, F::Word, "", nullptr},
    {"dmDriverVersion", nullptr, offsetof(DEVMODEA, dmDriverVersion), 2, false, F::Word, "", nullptr},
    {"dmSize", nullptr, offsetof(DEVMODEA, dmSize), 2, false, F::Word, "bytes", nullptr},
    {"dmDriverExtra", nullptr, offsetof(DEVMODEA, dmDriverExtra), 2, false, F::Word, "bytes", nullptr},
    {"dmFields", nullptr, offsetof(DEVMODEA, dmFields), 4, false, F::Flags, "", DevModeFieldNames},
    {"dmOrientation", nullptr, offsetof(DEVMODEA, dmOrientation), 2, true, F::Enum, "", OrientationNames},
    {"dmPaperSize", nullptr, offsetof(DEVMODEA, dmPaperSize), 2, true, F::Enum, "", PaperNames},
    {"dmPaperLength", nullptr, offsetof(DEVMODEA, dmPaperLength), 2, true, F::Short, "(0.1mm)", nullptr},
    {"dmPaperWidth", nullptr, offsetof(DEVMODEA, dmPaperWidth), 2, true, F::Short, "(0.1mm)", nullptr},
    {"dmScale", nullptr, offsetof(DEVMODEA, dmScale), 2, true, F::Short, "%", nullptr},
    {"dmCopies", nullptr, offsetof(DEVMODEA, dmCopies), 2, true, F::Short, "papers", nullptr},
    {"dmDefaultSource", nullptr, offsetof(DEVMODEA, dmDefaultSource), 2, true, F::Enum, "", BinNames},
    {"dmPrintQuality", nullptr, offsetof(DEVMODEA, dmPrintQuality), 2, true, F::PrintQuality, "dpi",
     PrintQualityNames},
    {"dmColor", nullptr, offsetof(DEVMODEA, dmColor), 2, true, F::Enum, "", ColorModeNames},
    {"dmDuplex", nullptr, offsetof(DEVMODEA, dmDuplex), 2, true, F::Enum, "", DuplexNames},
    {"dmYResolution", nullptr, offsetof(DEVMODEA, dmYResolution), 2, true, F::Short, "dpi", nullptr},
    {"dmTTOption", nullptr, offsetof(DEVMODEA, dmTTOption), 2, true, F::Flags, "", TrueTypeNames},
    {"dmCollate", nullptr, offsetof(DEVMODEA, dmCollate), 2, true, F::Enum, "", CollateNames},
    {"dmFormName[NT]", "dmFormName", offsetof(DEVMODEA, dmFormName), 32, false, F::Text, "", nullptr},
    {"dmLogPixels[D]", "dmLogPixels", offsetof(DEVMODEA, dmLogPixels), 2, false, F::Word, "pixels per logical inch",
     nullptr},
    {"dmBitsPerPel[D]", "dmBitsPerPel", offsetof(DEVMODEA, dmBitsPerPel), 4, false, F::Long, "bits per pixel",
     nullptr},
    {"dmPelsWidth[D]", "dmPelsWidth", offsetof(DEVMODEA, dmPelsWidth), 4, false, F::Long, "pixels", nullptr},
    {"dmPelsHeight[D]", "dmPelsHeight", offsetof(DEVMODEA, dmPelsHeight), 4, false, F::Long, "pixels", nullptr},
    {"dmNup", "dmNup", offsetof(DEVMODEA, dmNup), 4, false, F::Enum, "", NupNames},
    {"dmDisplayFrequency[D]", "dmDisplayFrequency", offsetof(DEVMODEA, dmDisplayFrequency), 4, false, F::Long, "Hz",
     nullptr},
    {"dmICMMethod[95]", "dmICMMethod", offsetof(DEVMODEA, dmICMMethod), 4, false, F::Enum, "", IcmMethodNames},
    {"dmICMIntent[95]", "dmICMIntent", offsetof(DEVMODEA, dmICMIntent), 4, false, F::Enum, "", IcmIntentNames},
    {"dmMediaType[95]", "dmMediaType", offsetof(DEVMODEA, dmMediaType), 4, false, F::Enum, "", MediaTypeNames},
    {"dmDitherType[95]", "dmDitherType", offsetof(DEVMODEA, dmDitherType), 4, false, F::Enum, "", DitherTypeNames},
    {"dmReserved1[NOT USED]", "dmReserved1", offsetof(DEVMODEA, dmReserved1), 4, false, F::Long, "", nullptr},
    {"dmReserved2[NOT USED]", "dmReserved2", offsetof(DEVMODEA, dmReserved2), 4, false, F::Long, "", nullptr},
    {"dmPanningWidth[NT]", "dmPanningWidth", offsetof(DEVMODEA, dmPanningWidth), 4, false, F::Long, "pixels(?)",
     nullptr},
    {"dmPanningHeight[NT]", "dmPanningHeight", offsetof(DEVMODEA, dmPanningHeight), 4, false, F::Long, "pixels(?)",
     nullptr},
};

constexpr bool CoversTheRecordWithoutGaps()
{
    std::size_t end = 0;
    for (const DevModeField& field : Fields) {
        if (field.offset != end)
            return false;
        end = field.offset + field.width;
    }
    return end == sizeof(DEVMODEA);
}
static_assert(CoversTheRecordWithoutGaps(), "the table must follow the platform's DEVMODEA field by field");

}  // namespace

std::span<const DevModeField> DevModeFieldTable()
{
    return Fields;
}

}  // namespace ostrel
