#include "platform/win32/application_printer.h"

#include "platform/data_fault.h"
#include "platform/scoped_printer.h"
#include "platform/spooler_queries.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace ostrel {

namespace {

// At most capacity characters of a wide name that need not be terminated, in the system code page.
std::string Narrowed(const wchar_t* text, std::size_t capacity)
{
    return Narrow(std::wstring_view(text, static_cast<std::size_t>(std::find(text, text + capacity, L'\0') - text)));
}

void CopyName(const wchar_t* name, std::size_t capacity, BYTE* target)
{
    const std::string narrow = Narrowed(name, capacity);
    std::memcpy(target, narrow.data(), std::min(narrow.size(), capacity - 1));
}

}  // namespace

UniqueGlobalMemory AnsiDevModeOf(HGLOBAL wideBlock)
{
    const std::size_t blockSize = GlobalSize(wideBlock);
    const auto* source = static_cast<const BYTE*>(GlobalLock(wideBlock));
    if (source == nullptr)
        return {};
    UniqueGlobalMemory ansiBlock;
    DEVMODEW wide{};
    std::memcpy(&wide, source, std::min(blockSize, sizeof wide));
    const std::size_t wideSize = wide.dmSize;
    const std::size_t extra = wide.dmDriverExtra;
    constexpr std::size_t wideFields = offsetof(DEVMODEW, dmSpecVersion);
    constexpr std::size_t wideForm = offsetof(DEVMODEW, dmFormName);
    constexpr std::size_t wideAfterForm = offsetof(DEVMODEW, dmLogPixels);
    if (wideSize >= wideFields && wideSize <= sizeof wide && wideSize + extra <= blockSize) {
        const bool hasForm = wideSize >= wideAfterForm;
        const std::size_t ansiSize =
            hasForm ? wideSize - CCHDEVICENAME - CCHFORMNAME : std::min(wideSize, wideForm) - CCHDEVICENAME;
        ansiBlock.reset(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, ansiSize + extra));
        auto* ansi = ansiBlock ? static_cast<BYTE*>(GlobalLock(ansiBlock.get())) : nullptr;
        if (ansi != nullptr) {
            CopyName(wide.dmDeviceName, CCHDEVICENAME, ansi + offsetof(DEVMODEA, dmDeviceName));
            std::memcpy(ansi + offsetof(DEVMODEA, dmSpecVersion), source + wideFields,
                        std::min(wideSize, wideForm) - wideFields);
            if (hasForm) {
                CopyName(wide.dmFormName, CCHFORMNAME, ansi + offsetof(DEVMODEA, dmFormName));
                std::memcpy(ansi + offsetof(DEVMODEA, dmLogPixels), source + wideAfterForm, wideSize - wideAfterForm);
            }
            std::memcpy(ansi + ansiSize, source + wideSize, extra);
            reinterpret_cast<DEVMODEA*>(ansi)->dmSize = static_cast<WORD>(ansiSize);
            GlobalUnlock(ansiBlock.get());
        }
    }
    GlobalUnlock(wideBlock);
    return ansiBlock;
}

std::string ApplicationPrinter::DriverNameOf(const std::string& device)
{
    try {
        ScopedPrinter printer(inner_);
        if (!printer.Open(device))
            return {};
        const std::optional<SpoolerBuffer> info = QueryPrinterInfo(inner_, printer.Get(), 2);
        if (!info)
            return {};
        const char* text = info->Text(info->RecordAtStart<PRINTER_INFO_2A>().pDriverName);
        return text != nullptr ? text : "";
    } catch (const DataFault&) {
        return {};  // a record that does not hold together names no driver
    }
}

bool ApplicationPrinter::Run(PRINTDLGW& dialog)
{
    // The dialog may free the blocks it is given and hand back new ones, on either outcome: it owns
    // them for the call.
    dialog.hDevMode = devMode_.release();
    dialog.hDevNames = devNames_.release();
    const BOOL confirmed = PrintDlgW(&dialog);
    devMode_.reset(dialog.hDevMode);
    devNames_.reset(dialog.hDevNames);
    if (confirmed)
        TakeChoice();
    // A dialog that could not show (no printer installed, say) is no cancel.
    const DWORD error = confirmed ? 0 : CommDlgExtendedError();
    if (error != 0)
        throw std::runtime_error("the print dialog failed: common dialog error " + std::to_string(error));
    return confirmed != FALSE;
}

// The reports read the printer object in the spooler's terms: ANSI texts, an ANSI device mode.
void ApplicationPrinter::TakeChoice()
{
    CurrentPrinter chosen;
    if (const auto* names = devNames_ ? static_cast<const DEVNAMES*>(GlobalLock(devNames_.get())) : nullptr) {
        const auto* text = reinterpret_cast<const wchar_t*>(names);
        const std::size_t limit = GlobalSize(devNames_.get()) / sizeof(wchar_t);
        if (names->wDeviceOffset < limit)
            chosen.deviceName = Narrowed(text + names->wDeviceOffset, limit - names->wDeviceOffset);
        if (names->wOutputOffset < limit)
            chosen.portName = Narrowed(text + names->wOutputOffset, limit - names->wOutputOffset);
        GlobalUnlock(devNames_.get());
    }
    chosen.driverName = DriverNameOf(chosen.deviceName);
    ansiDevMode_ = devMode_ ? AnsiDevModeOf(devMode_.get()) : UniqueGlobalMemory();
    chosen.devMode = ansiDevMode_.get();
    chosen_ = std::move(chosen);
}

void ApplicationPrinter::ShowPrinterSetup(HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    Run(dialog);
}

ChosenPrinter ApplicationPrinter::ShowPrint(HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    // The whole report is printed: no page range, no selection; the driver makes the copies.
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    ChosenPrinter chosen;
    const bool confirmed = Run(dialog);
    chosen.dc.reset(dialog.hDC);
    if (confirmed && !chosen.dc)
        throw std::runtime_error("the chosen printer gave no device context");
    chosen.toFile = (dialog.Flags & PD_PRINTTOFILE) != 0;
    return chosen;
}

}  // namespace ostrel
