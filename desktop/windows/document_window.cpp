#include "desktop/windows/document_window.h"

#include "desktop/menu_layout.h"
#include "desktop/user_messages.h"
#include "desktop/windows/menus.h"
#include "platform/win32/ui/application.h"

#include <windowsx.h>


namespace ostrel {

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

void ShowDocumentContextMenu(HWND window, HWND control, LPARAM position, const DocumentWindow& document)
{
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the caret
        GetCaretPos(&at);
        ClientToScreen(control, &at);
    }
    const ui::UniqueMenu menu = BuildPopupMenu(ReportContextMenu());
    UpdateMenuItems(menu.get(), [&document](CommandId id) { return document.IsCommandEnabled(id); });
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
}

}  // namespace ostrel
