#include "desktop/windows/compare_side_dialog.h"

#include "desktop/user_messages.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/dialog_template.h"


namespace ostrel {

namespace {

constexpr wchar_t Caption[] = L"比較";
constexpr wchar_t FileButtonText[] = L"ファイル(&F)...";
constexpr wchar_t OkText[] = L"OK";
constexpr wchar_t CancelText[] = L"キャンセル";
constexpr wchar_t FontName[] = L"ＭＳ Ｐゴシック";
constexpr WORD FontPoints = 9;
// Not the usual -1 of a static text: a message box is known by that id.
constexpr int ComparePromptId = 0x502;

struct Question {
    const std::vector<std::wstring>& printers;
    SideChoice answer;
};

void TakeSelected(HWND dialog, Question& question)
{
    const auto selected = SendDlgItemMessageW(dialog, ComparePrinterListId, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    question.answer = {SideChoice::Kind::Printer, static_cast<int>(selected)};
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const auto& question = *reinterpret_cast<const Question*>(lParam);
        const HWND list = GetDlgItem(dialog, ComparePrinterListId);
        for (const std::wstring& printer : question.printers)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(printer.c_str()));
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        EnableWindow(GetDlgItem(dialog, IDOK), !question.printers.empty());
        return TRUE;  // the focus goes to the list, the first control that takes it
    }
    auto* question = reinterpret_cast<Question*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message != WM_COMMAND || question == nullptr)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        TakeSelected(dialog, *question);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case CompareFileButtonId:
        question->answer = {SideChoice::Kind::File, -1};
        EndDialog(dialog, CompareFileButtonId);
        return TRUE;
    case ComparePrinterListId:
        if (HIWORD(wParam) == LBN_DBLCLK)
            TakeSelected(dialog, *question);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

SideChoice AskForPrinter(HWND owner, const std::wstring& prompt, const std::vector<std::wstring>& printers,
                         bool offerFile)
{
    ui::DialogTemplate layout(Caption, 240, 152, FontName, FontPoints, DS_CENTER);
    layout.Add(ui::ControlClass::Static, ComparePromptId, prompt, SS_LEFT, 7, 7, 226, 10);
    constexpr DWORD ListStyle =
        WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    layout.Add(ui::ControlClass::ListBox, ComparePrinterListId, L"", ListStyle, 7, 19, 226, 104);
    if (offerFile)
        layout.Add(ui::ControlClass::Button, CompareFileButtonId, FileButtonText, BS_PUSHBUTTON | WS_TABSTOP, 7, 131,
                   70, 14);
    layout.Add(ui::ControlClass::Button, IDOK, OkText, BS_DEFPUSHBUTTON | WS_TABSTOP, 126, 131, 50, 14);
    layout.Add(ui::ControlClass::Button, IDCANCEL, CancelText, BS_PUSHBUTTON | WS_TABSTOP, 183, 131, 50, 14);
    Question question{printers, {}};
    if (layout.Run(owner, Procedure, reinterpret_cast<LPARAM>(&question)) == -1)
        throw ui::MessageError(CannotShowDialogMessage(DialogKind::CompareSide, GetLastError()));
    return question.answer;
}

}  // namespace ostrel
