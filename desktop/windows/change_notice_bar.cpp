#include "desktop/windows/change_notice_bar.h"

#include "platform/win32/ui/handles.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace ostrel {

namespace {

constexpr int SignPanel = 1;
// Widths of the panels after the first, left to right.
constexpr int FixedPanelWidths[] = {20, 50};
constexpr int PanelCount = 1 + static_cast<int>(std::size(FixedPanelWidths));
// Wide enough for a notice line: below this the tooltip breaks its text only at line breaks.
constexpr LPARAM TooltipMaxWidth = 800;

const wchar_t* NoticeText(LPARAM lParam)
{
    return lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"";
}

struct TooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedTooltip(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<TooltipSearch*>(parameter);
    wchar_t className[32] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    if (GetWindow(window, GW_OWNER) != search.owner || lstrcmpiW(className, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// The tooltip window a status bar made for itself: it owns it. Null when there is none.
HWND TooltipOf(HWND statusBar)
{
    TooltipSearch search{statusBar, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(statusBar, nullptr), FindOwnedTooltip,
                      reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

ChangeNoticeBar::ChangeNoticeBar(HWND statusBar, HIMAGELIST infoImages) : statusBar_(statusBar), infoImages_(infoImages)
{
    Resize();
    // The log comes in lines.
    if (const HWND tooltip = TooltipOf(statusBar_))
        SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, TooltipMaxWidth);
    // Panel 1 holds no text: the status bar asks its parent to draw it.
    SendMessageW(statusBar_, SB_SETTEXTW, SignPanel | SBT_OWNERDRAW, 0);
}

void ChangeNoticeBar::Resize()
{
    RECT client{};
    GetClientRect(statusBar_, &client);
    // Right edges: panel 0 takes the width the others leave; the last one reaches the right end.
    int edges[PanelCount];
    int right = client.right;
    for (int panel = PanelCount - 1; panel > 0; --panel)
        right -= FixedPanelWidths[panel - 1];
    edges[0] = std::max(0, right);
    for (int panel = 1; panel < PanelCount; ++panel)
        edges[panel] = edges[panel - 1] + FixedPanelWidths[panel - 1];
    edges[PanelCount - 1] = -1;
    SendMessageW(statusBar_, SB_SETPARTS, PanelCount, reinterpret_cast<LPARAM>(edges));
}

bool ChangeNoticeBar::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.hwndItem != statusBar_ || item.itemID != SignPanel)
        return false;
    if (log_.Empty())
        return true;
    const ui::UniqueIcon sign(ImageList_GetIcon(infoImages_, 0, ILD_NORMAL));
    if (sign) {
        const RECT& area = item.rcItem;
        // Step 0: the sign is a still icon, which has no later step.
        DrawIconEx(item.hDC, area.left, area.top, sign.get(), area.right - area.left, area.bottom - area.top, 0,
                   nullptr, DI_NORMAL);
    }
    return true;
}

void ChangeNoticeBar::OnSettingChange(LPARAM lParam)
{
    log_.AddSettingChange(NoticeText(lParam));
    ShowLog();
}

void ChangeNoticeBar::OnDevModeChange(LPARAM lParam)
{
    log_.AddDevModeChange(NoticeText(lParam));
    ShowLog();
}

void ChangeNoticeBar::Clear()
{
    log_.Clear();
    ShowLog();
}

// The tooltip follows the log (none while it is empty) over every panel, so that it shows wherever
// the mouse rests on the status bar; the sign shows at once.
void ChangeNoticeBar::ShowLog()
{
    const std::wstring tip = log_.TooltipText();
    for (int panel = 0; panel < PanelCount; ++panel)
        SendMessageW(statusBar_, SB_SETTIPTEXTW, panel, reinterpret_cast<LPARAM>(tip.c_str()));
    RedrawWindow(statusBar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace ostrel
