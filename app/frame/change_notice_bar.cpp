#include "app/frame/change_notice_bar.h"

#include "platform/win32/ui/handles.h"

#include <algorithm>
#include <stdexcept>

namespace ostrel {

namespace {

constexpr int SignPanel = 1;
// Widths of the panels after the first, left to right.
constexpr int FixedPanelWidths[] = {20, 50};
constexpr int PanelCount = 1 + static_cast<int>(std::size(FixedPanelWidths));
// Wide enough for a notice line; the tooltip breaks its text only at line breaks below this.
constexpr LPARAM TooltipMaxWidth = 800;

const wchar_t* NoticeText(LPARAM lParam)
{
    return lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"";
}

// The one tool: the whole status bar, whatever panel the mouse is over.
TOOLINFOW StatusBarTool(HWND statusBar, const wchar_t* text)
{
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every version of the control takes
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(statusBar);
    tool.uId = reinterpret_cast<UINT_PTR>(statusBar);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

ChangeNoticeBar::ChangeNoticeBar(HWND statusBar, HIMAGELIST infoImages) : statusBar_(statusBar), infoImages_(infoImages)
{
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(statusBar_),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltip_ == nullptr)
        throw std::runtime_error("cannot create the status bar's tooltip");
    TOOLINFOW tool = StatusBarTool(statusBar_, L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, TooltipMaxWidth);
    Resize();
    // Panel 1 holds no text: the status bar asks its parent to draw it.
    SendMessageW(statusBar_, SB_SETTEXTW, SignPanel | SBT_OWNERDRAW, 0);
}

ChangeNoticeBar::~ChangeNoticeBar()
{
    DestroyWindow(tooltip_);
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
        // Step 0: the sign is no animated cursor, and a later step would not be drawn at all.
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

// The tooltip follows the log (none while it is empty), and the sign shows at once.
void ChangeNoticeBar::ShowLog()
{
    tooltipText_ = log_.TooltipText();
    TOOLINFOW tool = StatusBarTool(statusBar_, tooltipText_.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (log_.Empty())
        SendMessageW(tooltip_, TTM_POP, 0, 0);
    RedrawWindow(statusBar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace ostrel
