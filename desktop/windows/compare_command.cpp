#include "desktop/windows/compare_command.h"

#include "desktop/compare_sides.h"
#include "desktop/windows/compare_side_dialog.h"
#include "desktop/windows/comparison_content.h"
#include "desktop/windows/long_file_names.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/wide_text.h"

#include <commdlg.h>

#include <exception>
#include <optional>
#include <utility>

namespace ostrel {

namespace {

constexpr wchar_t PrinterPrompt[] = L"比較する相手のプリンタ(&P):";
constexpr wchar_t OpenTitle[] = L"比較するスナップショットを開く";
constexpr wchar_t OpenFilter[] = L"プリンタの記述ファイル (*.json)\0*.json\0"
                                 L"すべてのファイル (*.*)\0*.*\0";
constexpr DWORD FileNameCapacity = 32768;  // the longest path the system takes

struct OtherSide {
    CompareSide side;
    SideReport report;
    std::wstring name;
};

void ShowProblem(HWND owner, const std::wstring& text)
{
    MessageBoxW(owner, text.c_str(), ProgramTitle, MB_OK | MB_ICONERROR);
}

std::vector<std::wstring> Widened(const std::vector<std::string>& texts)
{
    std::vector<std::wstring> wide;
    for (const std::string& text : texts)
        wide.push_back(Widen(text));
    return wide;
}

std::optional<std::wstring> AskForFile(HWND owner)
{
    std::vector<wchar_t> fileName(FileNameCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = OpenFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = FileNameCapacity;
    dialog.lpstrTitle = OpenTitle;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    RefuseLongFileNames(dialog);
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return std::wstring(fileName.data());
}

// A printer of a snapshot file: the file asked for, then, when it holds several, the printer.
std::optional<OtherSide> SideFromFile(HWND owner)
{
    const std::optional<std::wstring> path = AskForFile(owner);
    if (!path)
        return std::nullopt;
    // The description files are read by names in the system code page.
    const std::optional<std::string> narrowPath = NarrowExactly(*path);
    if (!narrowPath) {
        ShowProblem(owner, L"このファイル名には、システムのコード ページで表せない文字があります。\n" + *path);
        return std::nullopt;
    }
    std::optional<DescriptionFile> file;
    std::vector<std::string> printers;
    try {
        file.emplace(*narrowPath);
        printers = file->Printers();
    } catch (const std::exception& error) {
        ShowProblem(owner, L"ファイルを読み込めません。\n" + *path + L"\n\n" + Widen(error.what()));
        return std::nullopt;
    }
    if (printers.empty()) {
        ShowProblem(owner, L"このファイルにはプリンタが記録されていません。\n" + *path);
        return std::nullopt;
    }
    std::size_t chosen = 0;
    if (printers.size() > 1) {
        const SideChoice choice =
            AskForPrinter(owner, FileNameOf(*path) + L" のプリンタ(&P):", Widened(printers), false);
        if (choice.kind != SideChoice::Kind::Printer)
            return std::nullopt;
        chosen = static_cast<std::size_t>(choice.index);
    }
    const ui::WaitCursor wait;
    return OtherSide{{printers[chosen], *narrowPath}, file->Report(printers[chosen]),
                     SideName(Widen(printers[chosen]), *path)};
}

}  // namespace

void CompareReportWith(DocumentHost& host, HWND owner, const std::string& entry, const StructuredReport& items,
                       const std::optional<std::string>& openFailure, const std::vector<std::string>& entries)
{
    const std::wstring nameA = Widen(entry);
    if (openFailure) {
        ShowProblem(owner, L"このレポートのプリンタを開けなかったため、比較できません: " + nameA + L"\n" +
                               Widen(*openFailure));
        return;
    }
    const std::vector<std::string> others = OtherPrinters(entries, entry);
    const SideChoice choice = AskForPrinter(owner, PrinterPrompt, Widened(others), true);
    std::optional<OtherSide> b;
    switch (choice.kind) {
    case SideChoice::Kind::Cancelled:
        return;
    case SideChoice::Kind::Printer: {
        const ui::WaitCursor wait;
        const std::string& other = others[static_cast<std::size_t>(choice.index)];
        b = OtherSide{{other, {}}, ReportOfPrinter(host.Printer(), other), Widen(other)};
        break;
    }
    case SideChoice::Kind::File:
        b = SideFromFile(owner);
        if (!b)
            return;
        break;
    }
    if (b->report.openFailure) {
        ShowProblem(owner, L"プリンタを開けません: " + b->name + L"\n" + Widen(*b->report.openFailure));
        return;
    }
    DocumentWindow::Create(host,
                           std::make_unique<ComparisonContent>(ComparisonText(items, b->report.items),
                                                               CompareSide{entry, {}}, std::move(b->side)),
                           CompareCaption(nameA, b->name));
}

}  // namespace ostrel
