// The rules: each an id, a severity, a check, and the report lines its findings refer to.
#include "findings/check_kit.h"

namespace ostrel {

namespace {

using P = Place;
using S = Severity;

constexpr RuleLine ResolutionLines[] = {
    {P::Capabilities, "DC_ENUMRESOLUTIONS"}, {P::DevMode, "dmPrintQuality"}, {P::DevMode, "dmYResolution"}};
constexpr RuleLine ColourLines[] = {{P::Capabilities, "DC_COLORDEVICE[2000]"}, {P::DevMode, "dmColor"}};
constexpr RuleLine SourceLines[] = {{P::Capabilities, "DC_BINS"}, {P::DevMode, "dmDefaultSource"}};
constexpr RuleLine PaperLines[] = {{P::Capabilities, "DC_PAPERS"}, {P::DevMode, "dmPaperSize"}};
constexpr RuleLine CountLines[] = {{P::Capabilities, nullptr}};
constexpr RuleLine ExtentLines[] = {
    {P::Capabilities, nullptr}, {P::Capabilities, "DC_MINEXTENT"}, {P::Capabilities, "DC_MAXEXTENT"}};
constexpr RuleLine DuplexLines[] = {{P::Capabilities, "DC_DUPLEX"}, {P::DevMode, "dmDuplex"}};
constexpr RuleLine CopiesLines[] = {{P::Capabilities, "DC_COPIES"}, {P::DevMode, "dmCopies"}};
constexpr RuleLine OrientationLines[] = {{P::Capabilities, "DC_ORIENTATION"}, {P::DevMode, "dmOrientation"}};
constexpr RuleLine CollateLines[] = {{P::Capabilities, "DC_COLLATE[95]"}, {P::DevMode, "dmCollate"}};
constexpr RuleLine EmptyLines[] = {{P::DevMode, "dmFields"}, {P::DevMode, nullptr}};
constexpr RuleLine NameLines[] = {{P::Capabilities, nullptr}};
constexpr RuleLine SizeLines[] = {{P::DevMode, "dmSize"}, {P::DevMode, "dmDriverExtra"}};
constexpr RuleLine VersionLines[] = {{P::Capabilities, "DC_DRIVER"}, {P::DevMode, "dmDriverVersion"}};
constexpr RuleLine FormLines[] = {
    {P::Capabilities, "DC_PAPERS"}, {P::DevMode, "dmPaperSize"}, {P::DevMode, "dmFormName[NT]"}};
constexpr RuleLine SourcesLines[] = {{P::DevMode, nullptr}, {P::OtherDevMode, nullptr}};
constexpr RuleLine PortLines[] = {{P::PrinterInfo2, "pPortName"}};
constexpr RuleLine StatusLines[] = {{P::PrinterInfo2, "Status"}};
constexpr RuleLine OpenLines[] = {{P::Capabilities, "*** CANNOT OPEN PRINTER ***"}};
constexpr RuleLine SilentLines[] = {{P::Capabilities, "DC_FIELDS"}, {P::Capabilities, "DC_SIZE"}};
constexpr RuleLine ImplausibleLines[] = {{P::OfHit, nullptr}, {P::DevMode, "dmYResolution"}};
constexpr RuleLine NegativeLines[] = {{P::OfHit, nullptr}};

constexpr Rule Rules[] = {
    {"not-opened", S::Error, NotOpened, OpenLines},
    {"driver-silent", S::Warning, DriverSilent, SilentLines},
    {"resolution-not-offered", S::Error, ResolutionNotOffered, ResolutionLines},
    {"resolution-implausible", S::Warning, ResolutionImplausible, ImplausibleLines},
    {"colour-on-mono", S::Warning, ColourOnMono, ColourLines},
    {"source-not-offered", S::Warning, SourceNotOffered, SourceLines},
    {"paper-not-offered", S::Error, PaperNotOffered, PaperLines},
    {"paper-list-counts", S::Error, PaperListCounts, CountLines},
    {"paper-outside-extent", S::Warning, PaperOutsideExtent, ExtentLines},
    {"size-negative", S::Error, SizeNegative, NegativeLines},
    {"duplex-not-offered", S::Warning, DuplexNotOffered, DuplexLines},
    {"copies-above-max", S::Error, CopiesAboveMax, CopiesLines},
    {"orientation-not-offered", S::Error, OrientationNotOffered, OrientationLines},
    {"collate-not-offered", S::Warning, CollateNotOffered, CollateLines},
    {"fields-claimed-empty", S::Error, FieldsClaimedEmpty, EmptyLines},
    {"name-unterminated", S::Warning, NameUnterminated, NameLines},
    {"devmode-size", S::Error, DevModeSize, SizeLines},
    {"driver-version", S::Note, DriverVersion, VersionLines},
    {"form-name-differs", S::Note, FormNameDiffers, FormLines},
    {"sources-disagree", S::Warning, SourcesDisagree, SourcesLines},
    {"default-port", S::Warning, DefaultPort, PortLines},
    {"status-error", S::Warning, StatusError, StatusLines},
};

}  // namespace

std::span<const Rule> RuleTable()
{
    return Rules;
}

}  // namespace ostrel
