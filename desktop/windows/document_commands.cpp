#include "desktop/windows/document_commands.h"

#include "desktop/user_messages.h"
#include "desktop/windows/long_file_names.h"
#include "desktop/windows/print_progress.h"
#include "desktop/windows/program_look.h"
#include "desktop/windows/report_file.h"
#include "desktop/windows/report_printing.h"
#include "desktop/windows/system_code_page.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/wide_text.h"
#include "report/find_rules.h"
#include "report/save_format.h"


#include <optional>
#include <string>
#include <vector>

namespace ostrel {

namespace {

constexpr wchar_t NotFoundSuffix[] = L"が見つかりません";
// Text files, rich-text files, all files: pairs of a description and its pattern.
constexpr wchar_t SaveFilter[] = L"テキストファイル (*.txt)\0*.TXT\0"
                                 L"リッチテキストファイル (*.rtf)\0*.RTF\0"
                                 L"すべてのファイル (*.*)\0*.*\0";
constexpr DWORD SaveFileNameCapacity = 32768;  // the longest path the system takes
// The choices of the find dialog that belong to the search; the rest are the dialog's messages.
constexpr DWORD FindChoices = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;

// The file name's type decides the format; only its last few characters matter, and those are ASCII.
SaveFormat SaveFormatOfWide(const std::wstring& fileName)
{
    std::string ascii;
    ascii.reserve(fileName.size());
    for (const wchar_t c : fileName)
        ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return SaveFormatOf(ascii);
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

UINT DocumentCommands::FindMessage()
{
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

DocumentCommands::DocumentCommands(HWND owner, ui::RichEdit& richEdit, const MemoryDocument& document,
                                   ApplicationPrinter& printer)
    : owner_(owner), richEdit_(richEdit), document_(document), printer_(printer)
{
    find_.lStructSize = sizeof find_;
    find_.hwndOwner = owner_;
    find_.Flags = FR_DOWN;
    find_.lpstrFindWhat = findText_;
    find_.wFindWhatLen = FindTextCapacity;
}

// The dialog points into this object: it must not outlive it. (When the frame closes, the dialog
// it owns is gone already.)
DocumentCommands::~DocumentCommands()
{
    if (findDialog_ != nullptr && IsWindow(findDialog_))
        DestroyWindow(findDialog_);
}

bool DocumentCommands::Execute(CommandId id)
{
    switch (id) {
    case CommandId::SaveAs:
        SaveAs();
        return true;
    case CommandId::PrintSetup:
        printer_.ShowPrinterSetup(owner_);
        return true;
    case CommandId::Print:
        Print();
        return true;
    case CommandId::Copy:
        richEdit_.CopySelection();
        return true;
    case CommandId::SelectAll:
        richEdit_.Select(0, -1);
        return true;
    case CommandId::Find:
        ShowFindDialog();
        return true;
    case CommandId::FindNext:
        FindInReport(true);
        return true;
    case CommandId::FindPrev:
        FindInReport(false);
        return true;
    default:
        return false;
    }
}

// The report goes out as the document holds it, the very bytes the console tool writes, and an
// existing file is replaced only by a complete one.
void DocumentCommands::SaveAs()
{
    std::vector<wchar_t> fileName(SaveFileNameCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = SaveFilter;
    dialog.nFilterIndex = saveFilterIndex_;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = SaveFileNameCapacity;
    dialog.lpstrDefExt = L"rtf";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_ENABLESIZING |
                   OFN_FORCESHOWHIDDEN;
    RefuseLongFileNames(dialog);
    if (!GetSaveFileNameW(&dialog))
        return;
    saveFilterIndex_ = dialog.nFilterIndex;

    const std::wstring chosen = fileName.data();
    const std::string bytes =
        SaveFormatOfWide(chosen) == SaveFormat::RichText ? document_.Rtf(GetACP()) : document_.PlainText();
    WriteReportFile(chosen, bytes);
}

void DocumentCommands::Print()
{
    ChosenPrinter chosen = printer_.ShowPrint(owner_);
    if (!chosen.dc)
        return;
    const std::string printerName = printer_.GetCurrentPrinterName();
    PrintProgress progress(owner_, Widen(printerName));
    printing_ = &progress;
    struct Forget {
        PrintProgress*& printing;
        ~Forget() { printing = nullptr; }
    } forget{printing_};
    // The job is named by the caption of the application's main window.
    PrintReport(richEdit_, document_, chosen.dc.get(), WindowText(GetAncestor(owner_, GA_ROOT)), printerName,
                chosen.toFile, progress);
}

void DocumentCommands::CancelRunning()
{
    if (printing_ != nullptr)
        printing_->Cancel();
}

void DocumentCommands::ShowFindDialog()
{
    if (findDialog_ != nullptr) {
        ShowWindow(findDialog_, SW_SHOW);
        SetActiveWindow(findDialog_);
        return;
    }
    find_.Flags &= FindChoices;
    findDialog_ = FindTextW(&find_);
    if (findDialog_ == nullptr)
        throw ui::MessageError(CannotShowDialogMessage(DialogKind::Find, CommDlgExtendedError()));
}

bool DocumentCommands::HandleFindMessage(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<const FINDREPLACEW*>(lParam) != &find_)
        return false;
    if (find_.Flags & FR_DIALOGTERM)
        findDialog_ = nullptr;
    else if (find_.Flags & FR_FINDNEXT)
        FindInReport((find_.Flags & FR_DOWN) != 0);
    return true;
}

// The text, match case and whole word always come from the dialog; only the direction differs
// between the dialog's button and find next / find previous.
void DocumentCommands::FindInReport(bool forward)
{
    const std::wstring searchText = findText_;
    if (searchText.empty())
        return;

    std::optional<std::size_t> hit;
    std::string text;
    std::size_t searchBytes = 0;
    const CodePageRules& rules = SystemCodePageRules();
    // A search text with a character the report's code page has no equal for cannot be in the report.
    if (const std::optional<std::string> narrow = NarrowExactly(searchText)) {
        text = document_.Text();
        searchBytes = narrow->size();
        const auto [selectionStart, selectionEnd] = richEdit_.Selection();
        const std::size_t start = BytePositionOf(text, static_cast<std::size_t>(selectionStart), rules);
        const std::size_t end = BytePositionOf(text, static_cast<std::size_t>(selectionEnd), rules);
        FindRequest request{text, *narrow, start, end - start, forward, (find_.Flags & FR_MATCHCASE) != 0,
                            (find_.Flags & FR_WHOLEWORD) != 0};
        hit = FindInText(request, rules);
    }
    if (!hit) {
        // Over the find dialog when the search came from it, so the message is not hidden behind it.
        const HWND active = GetActiveWindow();
        const HWND boxOwner = findDialog_ != nullptr && active == findDialog_ ? findDialog_ : owner_;
        MessageBoxW(boxOwner, (searchText + NotFoundSuffix).c_str(), ProgramTitle, MB_OK);
        return;
    }
    SetFocus(richEdit_.Handle());
    richEdit_.Select(static_cast<int>(CharacterPositionOf(text, *hit, rules)),
                     static_cast<int>(CharacterPositionOf(text, *hit + searchBytes, rules)));
    richEdit_.ScrollCaretIntoView();
}

}  // namespace ostrel
