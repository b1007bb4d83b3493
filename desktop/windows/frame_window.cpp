#include "desktop/windows/frame_window.h"

#include "desktop/findings_view.h"
#include "desktop/menu_layout.h"
#include "desktop/res/resource_ids.h"
#include "desktop/user_messages.h"
#include "desktop/windows/about_box.h"
#include "desktop/windows/command_images.h"
#include "desktop/windows/frame_controls.h"
#include "desktop/windows/program_look.h"
#include "desktop/windows/report_content.h"
#include "platform/win32/ui/application.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace ostrel {

namespace {

// Design values of the frame, in pixels (no scaling for screen density).
constexpr int InitialLeft = 193;
constexpr int InitialTop = 110;
constexpr int InitialWidth = 640;
constexpr int InitialHeight = 480;
constexpr int HeaderHeight = 26;
constexpr int HeaderBorder = 2;  // the header's two bevels
constexpr int ToolBarHeight = 22;
constexpr int ComboLeftInPanel = 1;
constexpr int ComboRightMargin = 4;    // the combo ends this far from the frame's client edge
constexpr int ComboDropHeight = 300;   // the dropped-down list's extent
constexpr int ComboItemHeight = 16;
constexpr int FontHeight = -12;
constexpr const wchar_t* FrameFontName = L"ＭＳ Ｐゴシック";
constexpr int ToolButtonWidth = 23;
constexpr int ToolSeparatorWidth = 8;

struct ToolButton {
    bool separator;
    CommandId command;
};

// The document buttons act on the active document window, whichever that is at the moment.
constexpr ToolButton ToolButtons[] = {
    {false, CommandId::Refresh}, {true, {}},
    {false, CommandId::Find},    {false, CommandId::FindNext}, {true, {}},
    {false, CommandId::SaveAs},  {false, CommandId::Print},    {true, {}},
    {false, CommandId::Findings}, {false, CommandId::CompareWith},
};

// The tool bar is as wide as its buttons, but for the last pixel of a closing separator; the
// printer list starts just after it.
constexpr int ToolBarWidth = [] {
    int width = 0;
    for (const ToolButton& button : ToolButtons)
        width += button.separator ? ToolSeparatorWidth : ToolButtonWidth;
    return ToolButtons[std::size(ToolButtons) - 1].separator ? width - 1 : width;
}();
constexpr int PrinterPanelLeft = ToolBarWidth + 2;
// The status bar's first panel: the active report's findings, counted by severity.
constexpr int FindingsPanel = 0;

// Asked from outside (user-interface tests): wParam a command id; 1 enabled, 0 disabled, -1 unknown.
constexpr const wchar_t* CommandStateMessageName = L"OstrelCommandState";

bool IsKnownCommand(int id)
{
    for (const CommandInfo& command : AllCommands())
        if (static_cast<int>(command.id) == id)
            return true;
    return false;
}

TextEquals LocaleTextEquals()
{
    return [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size())) == CSTR_EQUAL;
    };
}

}  // namespace

FrameWindow::FrameWindow(ApplicationPrinter& printer) : printer_(printer), printers_(printer) {}

FrameWindow::~FrameWindow() = default;

void FrameWindow::Create()
{
    RegisterWindowClass(ClassName, GetSysColorBrush(COLOR_BTNFACE),
                        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_OSTREL)), nullptr);
    commandStateMessage_ = RegisterWindowMessageW(CommandStateMessageName);
    imageList_ = LoadCommandImages();
    imageListInfo_ = LoadInformationImage();
    frameMenu_ = BuildMenuBar(FrameMenuBar());
    mergedMenu_ = BuildMenuBar(MergeMenuBars(FrameMenuBar(), ReportMenuBar()));
    const auto commandsWhere = [](auto&& keep) {
        std::vector<CommandInfo> chosen;
        for (const CommandInfo& command : AllCommands())
            if (keep(command.id))
                chosen.push_back(command);
        return chosen;
    };
    frameAccelerators_ = BuildAccelerators(std::vector<CommandInfo>{CommandInfoOf(CommandId::Refresh),
                                                                        CommandInfoOf(CommandId::Close)});
    reportAccelerators_ = BuildAccelerators(commandsWhere([](CommandId id) { return !ActsOnFocusedReport(id); }));
    focusAccelerators_ = BuildAccelerators(commandsWhere(ActsOnFocusedReport));
    findAccelerators_ = BuildAccelerators(std::vector<CommandInfo>{CommandInfoOf(CommandId::FindNext),
                                                                       CommandInfoOf(CommandId::FindPrev)});
    const HWND hwnd = CreateWindowExW(0, ClassName, ProgramTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, InitialLeft,
                                      InitialTop, InitialWidth, InitialHeight, nullptr, frameMenu_.bar.get(),
                                      GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::MainWindow));
}

void FrameWindow::CreateChildren()
{
    font_.reset(CreateFontW(FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FrameFontName));
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    CreateToolBar();
    comboBoxPrinter_ = std::make_unique<PrinterComboBox>(Handle(), ComboBoxPrinterId, font_.get());
    imageListPrinter_ = std::make_unique<PrinterImages>();

    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0,
                                 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(StatusBarId)),
                                 instance, nullptr);

    CLIENTCREATESTRUCT client{frameMenu_.windowMenu, FirstMdiChildId};
    mdiClient_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", L"",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                                 Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(MdiClientId)), instance,
                                 &client);
    if (statusBar_ == nullptr || mdiClient_ == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::MainWindowControls));
    statusBarNotices_ = std::make_unique<ChangeNoticeBar>(statusBar_, imageListInfo_.get());
}

void FrameWindow::CreateToolBar()
{
    toolBar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToolBarId)),
                               GetModuleHandleW(nullptr), nullptr);
    if (toolBar_ == nullptr)
        throw ui::MessageError(CannotCreateMessage(WindowPart::ToolBar));
    SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList_.get()));
    std::vector<TBBUTTON> buttons;
    for (const ToolButton& button : ToolButtons) {
        TBBUTTON added{};
        if (button.separator) {
            added.iBitmap = ToolSeparatorWidth;
            added.fsStyle = BTNS_SEP;
        } else {
            added.iBitmap = CommandInfoOf(button.command).image;
            added.idCommand = static_cast<int>(button.command);
            added.fsState = IsCommandEnabled(button.command, CommandContext{}) ? TBSTATE_ENABLED : 0;
            added.fsStyle = IsToggleCommand(button.command) ? BTNS_CHECK : BTNS_BUTTON;
        }
        buttons.push_back(added);
    }
    SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(ToolButtonWidth, ToolBarHeight));
}

// The report buttons show the active document window's enabled states: all disabled without one.
void FrameWindow::UpdateToolBar()
{
    const CommandContext context = Context();
    for (const ToolButton& button : ToolButtons) {
        if (button.separator)
            continue;
        const auto id = static_cast<WPARAM>(button.command);
        const bool enabled = IsCommandEnabled(button.command, context);
        if ((SendMessageW(toolBar_, TB_ISBUTTONENABLED, id, 0) != 0) != enabled)
            SendMessageW(toolBar_, TB_ENABLEBUTTON, id, MAKELPARAM(enabled, 0));
        const bool checked = IsCommandChecked(button.command, context);
        if (IsToggleCommand(button.command) && (SendMessageW(toolBar_, TB_ISBUTTONCHECKED, id, 0) != 0) != checked)
            SendMessageW(toolBar_, TB_CHECKBUTTON, id, MAKELPARAM(checked, 0));
    }
}

// The active report's findings by severity; nothing while no report window is active.
void FrameWindow::ShowFindingCounts()
{
    const DocumentWindow* active = ActiveDocument();
    const std::vector<Finding>* findings = active != nullptr ? active->Findings() : nullptr;
    const std::wstring text = findings != nullptr ? FindingCountsText(*findings) : std::wstring();
    if (text == findingCountsShown_)
        return;
    findingCountsShown_ = text;
    SendMessageW(statusBar_, SB_SETTEXTW, FindingsPanel, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT FrameWindow::Notify(NMHDR& header)
{
    const auto toolBarTips = reinterpret_cast<HWND>(SendMessageW(toolBar_, TB_GETTOOLTIPS, 0, 0));
    if (header.code == TTN_GETDISPINFOW && header.hwndFrom == toolBarTips) {
        // Tooltips of the tool bar: the short hint.
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const int id = static_cast<int>(header.idFrom);
        toolTipText_.clear();
        for (const ToolButton& button : ToolButtons)
            if (!button.separator && static_cast<int>(button.command) == id)
                toolTipText_ = ShortHint(CommandInfoOf(button.command).hint);
        info.lpszText = toolTipText_.data();
        info.hinst = nullptr;
        return 0;
    }
    return DefaultProcedure(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void FrameWindow::Layout(int width, int height)
{
    MoveWindow(toolBar_, HeaderBorder, HeaderBorder, ToolBarWidth, ToolBarHeight, TRUE);
    const int comboLeft = PrinterPanelLeft + ComboLeftInPanel;
    MoveWindow(comboBoxPrinter_->Handle(), comboLeft, HeaderBorder,
               std::max(0, width - comboLeft - ComboRightMargin), ComboDropHeight, TRUE);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the bar docks itself at the bottom
    statusBarNotices_->Resize();
    RECT status{};
    GetWindowRect(statusBar_, &status);
    const int statusTop = height - (status.bottom - status.top);
    MoveWindow(mdiClient_, 0, HeaderHeight, width, std::max(0, statusTop - HeaderHeight), TRUE);
    RECT header{0, 0, width, HeaderHeight};
    InvalidateRect(Handle(), &header, TRUE);
}

void FrameWindow::ActionRefreshExecute()
{
    const ui::WaitCursor wait;
    statusBarNotices_->Clear();
    // The selection handler would bring the selected printer's report in front of a compare window
    // that was active: it stays active, rebuilt.
    const bool compareActive = Context().active == DocumentKind::Comparison;
    const TextEquals equals = LocaleTextEquals();
    const int selected = comboBoxPrinter_->Selected();
    const std::string remembered = selected >= 0 ? comboBoxPrinter_->Text(selected) : std::string();
    SetFocus(comboBoxPrinter_->Handle());

    printers_.Refresh();
    const std::vector<std::string> printers = printers_.Entries();
    AddNewPrinters(*comboBoxPrinter_, printers, equals);
    const std::vector<DocumentWindow*> openBefore = OpenReportWindows();
    RemoveVanishedPrinters(*comboBoxPrinter_, printers, equals);
    const std::vector<DocumentWindow*> openAfter = OpenReportWindows();
    for (DocumentWindow* window : openBefore)
        if (std::find(openAfter.begin(), openAfter.end(), window) == openAfter.end())
            closedByRefresh_.push_back(window);

    imageListPrinter_->Rebuild(*comboBoxPrinter_, equals);
    InvalidateRect(comboBoxPrinter_->Handle(), nullptr, TRUE);
    for (int j = 0; j < comboBoxPrinter_->Count(); ++j)
        if (DocumentWindow* window = comboBoxPrinter_->WindowOf(j))
            window->SetIcon(imageListPrinter_->IconCopy(j));
    RepaintNonClientArea();
    // The reports in the list's order, then the other windows (comparisons) that stay open.
    const std::vector<DocumentWindow*> reports = OpenReportWindows();
    for (DocumentWindow* window : reports)
        window->Rebuild();
    for (DocumentWindow* window : DocumentWindows())
        if (!window->Closing() && std::find(reports.begin(), reports.end(), window) == reports.end())
            window->Rebuild();

    comboBoxPrinter_->Select(remembered.empty() ? -1 : FindEntry(*comboBoxPrinter_, remembered, equals));
    if (!compareActive)
        ComboBoxPrinterClick();
}

// The icon of a maximized document window stands in the frame's menu bar.
void FrameWindow::RepaintNonClientArea()
{
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const ui::UniqueRegion region(CreateRectRgn(bounds.left, bounds.top, bounds.right, bounds.bottom));
    SendMessageW(Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region.get()), 0);
}

void FrameWindow::ComboBoxPrinterClick()
{
    const int i = comboBoxPrinter_->Selected();
    if (i < 0)
        return;
    // Activating a report window takes the focus; a user walking the list with the arrow keys
    // keeps it, so that each entry passed over shows its report.
    const HWND list = comboBoxPrinter_->Handle();
    const bool listHadFocus = GetFocus() == list;
    const auto keepFocus = [&] {
        if (listHadFocus && GetFocus() != list)
            SetFocus(list);
    };
    if (DocumentWindow* window = comboBoxPrinter_->WindowOf(i)) {
        window->BringToFront();
        keepFocus();
        return;
    }
    DocumentWindow& window = DocumentWindow::Create(*this, std::make_unique<ReportContent>(comboBoxPrinter_->Text(i)));
    comboBoxPrinter_->SetWindow(i, &window);
    window.SetIcon(imageListPrinter_->IconCopy(i));
    keepFocus();
    window.Rebuild();
}

std::vector<DocumentWindow*> FrameWindow::OpenReportWindows() const
{
    std::vector<DocumentWindow*> windows;
    for (int i = 0; i < comboBoxPrinter_->Count(); ++i)
        if (DocumentWindow* window = comboBoxPrinter_->WindowOf(i))
            windows.push_back(window);
    return windows;
}

DocumentWindow* FrameWindow::ActiveDocument() const
{
    return DocumentWindow::FromHandle(reinterpret_cast<HWND>(SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, 0)));
}

std::vector<DocumentWindow*> FrameWindow::DocumentWindows() const
{
    std::vector<DocumentWindow*> windows;
    for (HWND child = GetWindow(mdiClient_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (DocumentWindow* window = DocumentWindow::FromHandle(child))
            windows.push_back(window);
    return windows;
}

std::vector<std::string> FrameWindow::PrinterEntries() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < comboBoxPrinter_->Count(); ++i)
        entries.push_back(comboBoxPrinter_->Text(i));
    return entries;
}

void FrameWindow::MinimizeAll()
{
    const std::vector<DocumentWindow*> children = DocumentWindows();
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        ShowWindow((*child)->Handle(), SW_MINIMIZE);
}

CommandContext FrameWindow::Context() const
{
    const DocumentWindow* active = ActiveDocument();
    CommandContext context = active != nullptr ? active->Context() : CommandContext{};
    context.documentWindows = static_cast<int>(DocumentWindows().size());
    return context;
}

// The frame's own commands here; the rest are the active document window's.
void FrameWindow::ExecuteCommand(CommandId id)
{
    if (!IsCommandEnabled(id, Context()))
        return;
    switch (id) {
    case CommandId::Refresh:
        ActionRefreshExecute();
        break;
    case CommandId::Close:
        ActiveDocument()->Close();
        break;
    case CommandId::Cascade:
        SendMessageW(mdiClient_, WM_MDICASCADE, 0, 0);
        break;
    case CommandId::TileHorizontal:
        SendMessageW(mdiClient_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
        break;
    case CommandId::TileVertical:
        SendMessageW(mdiClient_, WM_MDITILE, MDITILE_VERTICAL, 0);
        break;
    case CommandId::MinimizeAll:
        MinimizeAll();
        break;
    case CommandId::Arrange:
        SendMessageW(mdiClient_, WM_MDIICONARRANGE, 0, 0);
        break;
    case CommandId::Exit:
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
        break;
    case CommandId::About:
        ShowAboutBox(Handle());
        break;
    default:
        ActiveDocument()->ExecuteCommand(id);
        break;
    }
}

void FrameWindow::ShowMenuBar(bool merged)
{
    if (merged == mergedMenuShown_)
        return;
    const MenuBar& menu = merged ? mergedMenu_ : frameMenu_;
    SendMessageW(mdiClient_, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu.bar.get()),
                 reinterpret_cast<LPARAM>(menu.windowMenu));
    DrawMenuBar(Handle());
    mergedMenuShown_ = merged;
}

void FrameWindow::DocumentActivated(DocumentWindow& window)
{
    ShowMenuBar(true);
    UpdateToolBar();
    ShowFindingCounts();
    // The window that takes over from one the refresh closed selects nothing: the refresh decided
    // the selection.
    if (!closedByRefresh_.empty())
        return;
    const int index = comboBoxPrinter_->IndexOfWindow(window);
    if (index >= 0)
        comboBoxPrinter_->Select(index);
}

void FrameWindow::DocumentRebuilt(DocumentWindow&)
{
    ShowFindingCounts();
}

void FrameWindow::DocumentDeactivated(DocumentWindow&)
{
    if (ActiveDocument() == nullptr)
        ShowMenuBar(false);
}

void FrameWindow::DocumentClosing(DocumentWindow& window)
{
    const int index = comboBoxPrinter_->IndexOfWindow(window);
    if (index >= 0)
        comboBoxPrinter_->SetWindow(index, nullptr);
}

void FrameWindow::DocumentDestroyed(DocumentWindow& window)
{
    closedByRefresh_.erase(std::remove(closedByRefresh_.begin(), closedByRefresh_.end(), &window),
                           closedByRefresh_.end());
    // Destroyed with the frame, its close handling did not run: no entry may keep it.
    if (comboBoxPrinter_ && IsWindow(comboBoxPrinter_->Handle()))
        DocumentClosing(window);
}

// The frame closes once no document window runs a command: a window must outlive its commands.
bool FrameWindow::CancelRunningCommands()
{
    bool running = false;
    for (DocumentWindow* document : DocumentWindows()) {
        if (document->RunsCommand()) {
            document->CancelCommand();
            running = true;
        }
    }
    return running;
}

void FrameWindow::DocumentCommandEnded(DocumentWindow&)
{
    if (closeWhenIdle_)
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void FrameWindow::Idle()
{
    if (Handle() == nullptr)
        return;
    ShowMenuBar(ActiveDocument() != nullptr);
    UpdateToolBar();
    ShowFindingCounts();
}

bool FrameWindow::PreTranslate(MSG& message)
{
    if (Handle() == nullptr)
        return false;
    if (TranslateAcceleratorW(Handle(), frameAccelerators_.get(), &message))
        return true;
    for (const DocumentWindow* document : DocumentWindows()) {
        const HWND dialog = document->FindDialog();
        if (dialog == nullptr)
            continue;
        // F3 and Shift+F3 typed in a find dialog search on in the report that owns it.
        const bool inDialog = message.hwnd == dialog || IsChild(dialog, message.hwnd);
        if (inDialog && TranslateAcceleratorW(document->Handle(), findAccelerators_.get(), &message))
            return true;
        if (IsDialogMessageW(dialog, &message))
            return true;
    }
    if (TranslateMDISysAccel(mdiClient_, &message))
        return true;
    // Copy and select all belong to the report only while it has the focus; elsewhere the keys
    // are the focused control's.
    const DocumentWindow* active = ActiveDocument();
    if (active != nullptr && active->HasFocus() &&
        TranslateAcceleratorW(Handle(), focusAccelerators_.get(), &message))
        return true;
    return TranslateAcceleratorW(Handle(), reportAccelerators_.get(), &message) != 0;
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == commandStateMessage_ && commandStateMessage_ != 0) {
        const int id = static_cast<int>(wParam);
        return IsKnownCommand(id) ? (IsCommandEnabled(static_cast<CommandId>(id), Context()) ? 1 : 0) : -1;
    }
    switch (message) {
    case WM_CREATE:
        CreateChildren();
        return 0;
    case WM_SETTINGCHANGE:
        statusBarNotices_->OnSettingChange(lParam);
        return 0;
    case WM_DEVMODECHANGE:
        statusBarNotices_->OnDevModeChange(lParam);
        return 0;
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SHOWWINDOW:
        if (wParam && !shown_) {
            shown_ = true;
            ActionRefreshExecute();
        }
        break;
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        const HDC dc = BeginPaint(Handle(), &paint);
        RECT client{};
        GetClientRect(Handle(), &client);
        RECT header{0, 0, client.right, HeaderHeight};
        DrawEdge(dc, &header, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
        EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (MeasureMenuImage(item))
            return TRUE;
        if (item.CtlID == ComboBoxPrinterId) {
            item.itemHeight = ComboItemHeight;
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (DrawMenuImage(item, imageList_.get()))
            return TRUE;
        if (item.CtlID == StatusBarId)
            return statusBarNotices_->DrawItem(item) ? TRUE : FALSE;
        if (item.CtlID == ComboBoxPrinterId) {
            comboBoxPrinter_->DrawItem(item, imageListPrinter_->Handle(),
                                       imageListPrinter_->HasImage(static_cast<int>(item.itemID)));
            return TRUE;
        }
        break;
    }
    case WM_INITMENUPOPUP: {
        ReserveImageColumn(reinterpret_cast<HMENU>(wParam));
        const CommandContext context = Context();
        UpdateMenuItems(reinterpret_cast<HMENU>(wParam),
                        [&context](CommandId id) { return IsCommandEnabled(id, context); });
        CheckMenuItems(reinterpret_cast<HMENU>(wParam),
                       [&context](CommandId id) { return IsCommandChecked(id, context); });
        break;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (reinterpret_cast<HWND>(lParam) == comboBoxPrinter_->Handle()) {
            if (HIWORD(wParam) == CBN_SELCHANGE)
                ComboBoxPrinterClick();
            return 0;
        }
        if (!IsKnownCommand(id))
            break;
        ExecuteCommand(static_cast<CommandId>(id));
        return 0;
    }
    case WM_CLOSE:
        closeWhenIdle_ = CancelRunningCommands();
        if (closeWhenIdle_)
            return 0;
        break;
    case WM_DESTROY:
        SetMenu(Handle(), nullptr);  // both menu bars are ours to destroy
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT FrameWindow::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefFrameProcW(Handle(), mdiClient_, message, wParam, lParam);
}

}  // namespace ostrel
