#include "desktop/windows/compare_window.h"

#include "desktop/res/resource_ids.h"
#include "desktop/windows/menus.h"
#include "desktop/windows/report_font.h"

namespace ostrel {

CompareWindow& CompareWindow::Create(CompareWindowHost& host, const std::wstring& caption, const std::string& text,
                                     CompareSide a, CompareSide b)
{
    RegisterWindowClass(ClassName, GetSysColorBrush(COLOR_BTNFACE),
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_OSTREL)), nullptr);
    // Owned here until the window exists, as a report window is.
    auto window = std::unique_ptr<CompareWindow>(new CompareWindow(host, std::move(a), std::move(b)));
    CreateDocumentChild(host.MdiClient(), ClassName, caption.c_str(), window->CreateParameter());
    window->ownedByWindow_ = true;
    CompareWindow& created = *window.release();
    created.Show(text);
    return created;
}

void CompareWindow::Rebuild(Spooler& spooler)
{
    const ui::WaitCursor wait;
    Show(ComparisonTextOfSides(a_, b_, spooler));
}

void CompareWindow::Show(const std::string& text)
{
    document_.Clear();
    document_.BeginUpdate();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        document_.AppendLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    document_.SetSelection(0, 0);
    document_.EndUpdate();
    richEdit_->ReplaceWithRtf(document_.Rtf(GetACP()));
}

bool CompareWindow::IsCommandEnabled(CommandId id) const
{
    // Comparing and findings need a printer's report on this side.
    return id != CommandId::CompareWith && id != CommandId::Findings && commands_ && commands_->IsEnabled(id);
}

void CompareWindow::ExecuteCommand(CommandId id)
{
    if (!IsCommandEnabled(id))
        return;
    const RunningCommand running(*this);
    commands_->Execute(id);
}

bool CompareWindow::HasFocus() const
{
    return richEdit_ && GetFocus() == richEdit_->Handle();
}

HWND CompareWindow::FindDialog() const
{
    return commands_ ? commands_->FindDialog() : nullptr;
}

void CompareWindow::Close()
{
    closing_ = true;
    if (running_ > 0)
        CancelCommand();
    else
        PostMessageW(Handle(), DestroyLater, 0, 0);
}

void CompareWindow::CancelCommand()
{
    if (commands_)
        commands_->CancelRunning();
}

// A print pumps messages, and a dialog runs its own loop: the window may be closed meanwhile.
void CompareWindow::CommandEnded()
{
    if (running_ > 0)
        return;
    if (closing_)
        PostMessageW(Handle(), DestroyLater, 0, 0);
    host_.DocumentCommandEnded();
}

LRESULT CompareWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DocumentCommands::FindMessage() && commands_) {
        const RunningCommand running(*this);  // a search that finds nothing shows a message box
        if (commands_->HandleFindMessage(wParam, lParam))
            return 0;
    }
    switch (message) {
    case WM_CREATE:
        richEdit_ = std::make_unique<ui::RichEdit>(Handle(), RichEditId);
        font_ = CreateReportFont();
        SendMessageW(richEdit_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        commands_ = std::make_unique<DocumentCommands>(Handle(), *richEdit_, document_, host_.Printer());
        break;
    case WM_MEASUREITEM:
        if (MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawMenuImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), host_.CommandImages()))
            return TRUE;
        break;
    case WM_SIZE:
        if (richEdit_)
            MoveWindow(richEdit_->Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;  // the MDI child's own handling must run too
    case WM_SETFOCUS:
        if (richEdit_)
            SetFocus(richEdit_->Handle());
        return 0;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == Handle())
            host_.CompareWindowActivated();
        else if (reinterpret_cast<HWND>(wParam) == Handle())
            host_.CompareWindowDeactivated();
        break;
    case WM_CONTEXTMENU:
        if (richEdit_ && reinterpret_cast<HWND>(wParam) == richEdit_->Handle()) {
            ShowDocumentContextMenu(Handle(), richEdit_->Handle(), lParam, *this);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0 && IsDocumentCommand(static_cast<CommandId>(LOWORD(wParam)))) {
            ExecuteCommand(static_cast<CommandId>(LOWORD(wParam)));
            return 0;
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case DestroyLater:
        if (running_ == 0)
            SendMessageW(host_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
        return 0;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT CompareWindow::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(Handle(), message, wParam, lParam);
}

void CompareWindow::WindowDestroyed()
{
    if (ownedByWindow_)
        delete this;
}

}  // namespace ostrel
