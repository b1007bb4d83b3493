// The messages the desktop program writes to its user, in Japanese. Where the system gave a
// reason, its own text follows as the detail, as the system gave it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The step of a print job that failed.
enum class PrintStep {
    StartJob,
    StartPage,
    EndPage,
    EndJob,        // every page went out; the spooler did not take the job
    NoResolution,  // the printer reports no resolution
    NoFont,        // no printer font for the report
};

// What the spooler reports of the printer and of the job once a step failed.
struct QueueReport {
    std::optional<std::uint32_t> printerStatus;  // the printer's status bits, when it could be asked
    std::optional<std::uint32_t> jobStatus;      // the job's status bits, while the spooler knows the job
    std::wstring jobStatusText;                  // the job's own status text, often empty
};

// The printer's status bits that tell why it does not print, as a list ("オフライン、用紙切れ");
// empty when none of them is set.
std::wstring PrinterStatusText(std::uint32_t status);
std::wstring JobStatusText(std::uint32_t status);

// Names the printer and the step, says what the spooler reports, then the system's reason (empty
// when it gave none).
std::wstring PrintFailureMessage(std::wstring_view printer, PrintStep step, const QueueReport& queue,
                                 std::wstring_view systemReason);

// A report that could not be saved: the file, then the reason (a name reserved for a device, or the
// system's text).
std::wstring SaveFailureMessage(std::wstring_view path, bool reservedName, std::wstring_view systemReason);

// A file name that, with its folder, would be longer than the file dialog can take.
std::wstring FileNameTooLongMessage(std::size_t limit);

// Parts of the program's windows that can fail to be made (out of system resources).
enum class WindowPart {
    MainWindow,
    MainWindowControls,
    ToolBar,
    Menu,
    Shortcuts,
    PrinterList,
    PrinterImages,
    CommandImages,
    DocumentWindow,
    PrintProgress,
    PrintThread,
};
std::wstring CannotCreateMessage(WindowPart part);

// A standard dialog that could not be shown, with the dialog library's error code.
enum class DialogKind { Find, CompareSide };
std::wstring CannotShowDialogMessage(DialogKind dialog, unsigned long errorCode);

// A printer that could not be added to the printer list.
std::wstring CannotListPrinterMessage(std::wstring_view printer);

// Any other failure that reached the user: its own text as the detail.
std::wstring UnexpectedFailureMessage(std::wstring_view detail);

}  // namespace ostrel
