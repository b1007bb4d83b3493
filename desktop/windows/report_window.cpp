#include "desktop/windows/report_window.h"

#include "desktop/findings_view.h"
#include "desktop/res/resource_ids.h"
#include "desktop/windows/menus.h"
#include "desktop/windows/report_font.h"
#include "findings/findings.h"
#include "platform/win32/wide_text.h"
#include "report/report_builder.h"

#include <richedit.h>

#include <utility>

namespace ostrel {

ReportWindow& ReportWindow::Create(ReportWindowHost& host)
{
    RegisterWindowClass(ClassName, GetSysColorBrush(COLOR_BTNFACE),
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_OSTREL)), nullptr);
    // Owned here until the window exists; a window that fails during creation is destroyed
    // before the object owns itself, so the object is deleted here and only here.
    auto window = std::unique_ptr<ReportWindow>(new ReportWindow(host));
    CreateDocumentChild(host.MdiClient(), ClassName, L"", window->CreateParameter());
    window->ownedByWindow_ = true;
    return *window.release();
}

void ReportWindow::MakeReport(const std::string& entry)
{
    const ui::WaitCursor wait;
    SetWindowTextW(Handle(), Widen(entry).c_str());
    // The window menu lists the windows by caption; not every system renews it on its own.
    SendMessageW(host_.MdiClient(), WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(GetParent(host_.MdiClient()));
    ReportBuilder builder(host_.Printer(), document_, &items_);
    ReportFacts facts;
    const PrinterNames names = builder.MakeReport(entry, &facts);
    entry_ = entry;
    deviceName_ = names.deviceName;
    portName_ = names.portName;
    openFailure_ = names.openFailure;
    findings_ = FindingsOf(facts);
    richEdit_->ReplaceWithRtf(document_.Rtf(GetACP()));
    if (findingsPane_)
        findingsPane_->Fill();
    host_.ReportWindowReportMade(*this);
}

void ReportWindow::SetIcon(ui::UniqueIcon icon)
{
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    icon_ = std::move(icon);  // the window no longer shows the old one: release it now
}

void ReportWindow::BringToFront()
{
    if (IsIconic(Handle()))
        SendMessageW(host_.MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(host_.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
}

void ReportWindow::Close()
{
    host_.ReportWindowClosing(*this);
    closing_ = true;
    if (running_ > 0)
        CancelCommand();
    else
        PostMessageW(Handle(), DestroyLater, 0, 0);
}

void ReportWindow::CancelCommand()
{
    if (commands_)
        commands_->CancelRunning();
}

// A print pumps messages, and a dialog runs its own loop: the window may be closed meanwhile.
void ReportWindow::CommandEnded()
{
    if (running_ > 0)
        return;
    if (closing_)
        PostMessageW(Handle(), DestroyLater, 0, 0);
    host_.DocumentCommandEnded();
}

bool ReportWindow::IsCommandEnabled(CommandId id) const
{
    return commands_ && commands_->IsEnabled(id);
}

bool ReportWindow::IsCommandChecked(CommandId id) const
{
    return id == CommandId::Findings && findingsPane_ != nullptr;
}

void ReportWindow::ExecuteCommand(CommandId id)
{
    if (!IsCommandEnabled(id))
        return;
    const RunningCommand running(*this);
    if (id == CommandId::Findings)
        ToggleFindings();
    else
        commands_->Execute(id);
}

void ReportWindow::ToggleFindings()
{
    const bool listHadFocus = findingsPane_ && GetFocus() == findingsPane_->Handle();
    if (findingsPane_)
        findingsPane_.reset();
    else
        findingsPane_ = std::make_unique<FindingsPane>(Handle(), FindingsListId, listFont_.get(), findings_,
                                                       *richEdit_, document_);
    Layout();
    if (findingsPane_)
        SetFocus(findingsPane_->Handle());
    else if (listHadFocus)
        SetFocus(richEdit_->Handle());
}

// The report fills the window; the findings, while they show, take a strip below it.
void ReportWindow::Layout()
{
    if (!richEdit_)
        return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int listHeight = findingsPane_ ? FindingsListHeight(client.bottom) : 0;
    MoveWindow(richEdit_->Handle(), 0, 0, client.right, client.bottom - listHeight, TRUE);
    if (findingsPane_)
        findingsPane_->Move(0, client.bottom - listHeight, client.right, listHeight);
}

bool ReportWindow::HasFocus() const
{
    return richEdit_ && GetFocus() == richEdit_->Handle();
}

HWND ReportWindow::FindDialog() const
{
    return commands_ ? commands_->FindDialog() : nullptr;
}

LRESULT ReportWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DocumentCommands::FindMessage() && commands_) {
        const RunningCommand running(*this);  // a search that finds nothing shows a message box
        if (commands_->HandleFindMessage(wParam, lParam))
            return 0;
    }
    switch (message) {
    case WM_CREATE: {
        richEdit_ = std::make_unique<ui::RichEdit>(Handle(), RichEditId);
        font_ = CreateReportFont();
        SendMessageW(richEdit_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        listFont_ = CreateFormFont();
        commands_ = std::make_unique<DocumentCommands>(Handle(), *richEdit_, document_, host_.Printer());
        break;
    }
    case WM_MEASUREITEM:
        if (MeasureMenuImage(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawMenuImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), host_.CommandImages()))
            return TRUE;
        break;
    case WM_SIZE:
        Layout();
        break;  // the MDI child's own handling must run too
    case WM_SETFOCUS:
        if (richEdit_)
            SetFocus(richEdit_->Handle());
        return 0;
    case WM_NOTIFY:
        if (findingsPane_ && findingsPane_->Notify(*reinterpret_cast<const NMHDR*>(lParam)))
            return 0;
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == Handle())
            host_.ReportWindowActivated(*this);
        else if (reinterpret_cast<HWND>(wParam) == Handle())
            host_.ReportWindowDeactivated(*this);
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == richEdit_->Handle()) {
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
    case WM_DESTROY:
        host_.ReportWindowDestroyed(*this);
        break;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT ReportWindow::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(Handle(), message, wParam, lParam);
}

void ReportWindow::WindowDestroyed()
{
    if (ownedByWindow_)
        delete this;
}

}  // namespace ostrel
