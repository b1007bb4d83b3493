#include "desktop/windows/document_window.h"

#include "desktop/menu_layout.h"
#include "desktop/res/resource_ids.h"
#include "desktop/user_messages.h"
#include "desktop/windows/menus.h"
#include "desktop/windows/report_font.h"
#include "platform/win32/ui/application.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>

namespace ostrel {

namespace {

// Creates a maximized, visible MDI child of the class in the MDI client, with the caption and the
// creation parameter of its window object; throws when the system refuses.
HWND CreateDocumentChild(HWND mdiClient, const wchar_t* className, const wchar_t* caption, LPARAM createParameter)
{
    MDICREATESTRUCTW create{};
    create.szClass = className;
    create.szTitle = caption;
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_MAXIMIZE | WS_VISIBLE;
    create.lParam = createParameter;
    // Some systems show a new child at its restored size before they maximize it: nothing is drawn
    // until it stands maximized.
    SendMessageW(mdiClient, WM_SETREDRAW, FALSE, 0);
    const auto hwnd =
        reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    SendMessageW(mdiClient, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(mdiClient, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (hwnd == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::DocumentWindow));
    return hwnd;
}

}  // namespace

DocumentWindow& DocumentWindow::Create(DocumentHost& host, std::unique_ptr<DocumentContent> content,
                                       const std::wstring& caption)
{
    const wchar_t* className = content->ClassName();
    RegisterWindowClass(className, GetSysColorBrush(COLOR_BTNFACE),
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_OSTREL)), nullptr);
    // Owned here until the window exists; a window that fails during creation is destroyed
    // before the object owns itself, so the object is deleted here and only here.
    auto window = std::unique_ptr<DocumentWindow>(new DocumentWindow(host, std::move(content)));
    CreateDocumentChild(host.MdiClient(), className, caption.c_str(), window->CreateParameter());
    window->ownedByWindow_ = true;
    DocumentWindow& created = *window.release();
    created.content_->Attach(created);
    return created;
}

DocumentWindow* DocumentWindow::FromHandle(HWND hwnd)
{
    return dynamic_cast<DocumentWindow*>(Window::FromHandle(hwnd));
}

void DocumentWindow::ShowDocument()
{
    richEdit_->ReplaceWithRtf(document_.Rtf(GetACP()));
}

void DocumentWindow::SetIcon(ui::UniqueIcon icon)
{
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    icon_ = std::move(icon);  // the window no longer shows the old one: release it now
}

void DocumentWindow::BringToFront()
{
    if (IsIconic(Handle()))
        SendMessageW(host_.MdiClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(host_.MdiClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
}

void DocumentWindow::Close()
{
    host_.DocumentClosing(*this);
    closing_ = true;
    if (running_ > 0)
        CancelCommand();
    else
        PostMessageW(Handle(), DestroyLater, 0, 0);
}

void DocumentWindow::CancelCommand()
{
    if (commands_)
        commands_->CancelRunning();
}

// A print pumps messages, and a dialog runs a loop of its own: the window may be closed meanwhile.
void DocumentWindow::CommandEnded()
{
    if (--running_ > 0)
        return;
    if (closing_)
        PostMessageW(Handle(), DestroyLater, 0, 0);
    host_.DocumentCommandEnded(*this);
}

CommandContext DocumentWindow::Context() const
{
    CommandContext context;
    context.documentWindows = 1;
    context.active = content_->Kind();
    if (richEdit_) {
        const auto [start, end] = richEdit_->Selection();
        context.hasSelection = start != end;
        context.textLength = richEdit_->TextLength();
    }
    context.findingsShown = content_->FindingsShown();
    return context;
}

bool DocumentWindow::ExecuteCommand(CommandId id)
{
    if (!commands_)
        return false;
    if (!IsCommandEnabled(id, Context()))
        return true;
    const RunningCommand running(*this);
    return content_->Execute(id) || commands_->Execute(id);
}

bool DocumentWindow::HasFocus() const
{
    return richEdit_ && GetFocus() == richEdit_->Handle();
}

HWND DocumentWindow::FindDialog() const
{
    return commands_ ? commands_->FindDialog() : nullptr;
}

void DocumentWindow::Layout()
{
    if (!richEdit_)
        return;
    RECT client{};
    GetClientRect(Handle(), &client);
    MoveWindow(richEdit_->Handle(), 0, 0, client.right, content_->Layout(client.right, client.bottom), TRUE);
}

// The report's context menu over the control, at WM_CONTEXTMENU's position (from the keyboard: at
// the caret), its items enabled as the command states say; the choice comes back as WM_COMMAND.
void DocumentWindow::ShowContextMenu(LPARAM position)
{
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (at.x == -1 && at.y == -1) {
        GetCaretPos(&at);
        ClientToScreen(richEdit_->Handle(), &at);
    }
    const ui::UniqueMenu menu = BuildPopupMenu(ReportContextMenu());
    const CommandContext context = Context();
    UpdateMenuItems(menu.get(), [&context](CommandId id) { return IsCommandEnabled(id, context); });
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

LRESULT DocumentWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
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
        Layout();
        break;  // the MDI child's own handling must run too
    case WM_SETFOCUS:
        if (richEdit_)
            SetFocus(richEdit_->Handle());
        return 0;
    case WM_NOTIFY:
        if (content_->Notify(*reinterpret_cast<const NMHDR*>(lParam)))
            return 0;
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == Handle())
            host_.DocumentActivated(*this);
        else if (reinterpret_cast<HWND>(wParam) == Handle())
            host_.DocumentDeactivated(*this);
        break;
    case WM_CONTEXTMENU:
        if (richEdit_ && reinterpret_cast<HWND>(wParam) == richEdit_->Handle()) {
            ShowContextMenu(lParam);
            return 0;
        }
        break;
    case WM_COMMAND:
        // The context menu's choices, and find next and previous typed in the find dialog.
        if (lParam == 0 && ExecuteCommand(static_cast<CommandId>(LOWORD(wParam))))
            return 0;
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case DestroyLater:
        if (running_ == 0)
            SendMessageW(host_.MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
        return 0;
    case WM_DESTROY:
        host_.DocumentDestroyed(*this);
        break;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT DocumentWindow::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcW(Handle(), message, wParam, lParam);
}

void DocumentWindow::WindowDestroyed()
{
    if (ownedByWindow_)
        delete this;
}

}  // namespace ostrel
