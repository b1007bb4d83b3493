// TFormOstrel: the MDI frame. Its header holds the tool bar and the printer list, its foot the
// status bar, and the document windows (reports, comparisons) live in the MDI client between them.
// It handles its own commands and hands the others to the active document window.
#pragma once

#include "desktop/command_state.h"
#include "desktop/command_table.h"
#include "desktop/windows/change_notice_bar.h"
#include "desktop/windows/document_window.h"
#include "desktop/windows/menus.h"
#include "desktop/windows/printer_combo_box.h"
#include "desktop/windows/printer_icons.h"
#include "platform/printer_list.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/window.h"

#include <memory>
#include <vector>

namespace ostrel {

class FrameWindow final : public ui::Window, private DocumentHost {
public:
    static constexpr const wchar_t* ClassName = L"TFormOstrel";

    // The printer object and the spooler every report asks.
    explicit FrameWindow(ApplicationPrinter& printer);
    ~FrameWindow() override;

    // Creates the window (not yet shown).
    void Create();
    // Accelerators and the document windows' find dialogs, before a message is dispatched.
    bool PreTranslate(MSG& message);
    // Re-evaluates the commands' enabled states when the message queue is idle.
    void Idle();

    // Refresh: the printer list, the icons and every open report brought up to date.
    void ActionRefreshExecute();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // DocumentHost
    HWND MdiClient() const override { return mdiClient_; }
    ApplicationPrinter& Printer() override { return printer_; }
    HIMAGELIST CommandImages() const override { return imageList_.get(); }
    std::vector<std::string> PrinterEntries() const override;
    void DocumentActivated(DocumentWindow& window) override;
    void DocumentDeactivated(DocumentWindow& window) override;
    void DocumentRebuilt(DocumentWindow& window) override;
    void DocumentClosing(DocumentWindow& window) override;
    void DocumentDestroyed(DocumentWindow& window) override;
    void DocumentCommandEnded(DocumentWindow& window) override;

    void CreateChildren();
    void CreateToolBar();
    void UpdateToolBar();
    void ShowFindingCounts();
    LRESULT Notify(NMHDR& header);
    void Layout(int width, int height);
    void ComboBoxPrinterClick();
    void ExecuteCommand(CommandId id);
    // What the frame and its active document window hold, for the command states.
    CommandContext Context() const;
    // The active document window: the one the document commands act on.
    DocumentWindow* ActiveDocument() const;
    std::vector<DocumentWindow*> OpenReportWindows() const;
    // The report and compare windows, in the MDI client's z order.
    std::vector<DocumentWindow*> DocumentWindows() const;
    // Cancels the commands of document windows that run; false when none does.
    bool CancelRunningCommands();
    void MinimizeAll();
    void ShowMenuBar(bool merged);
    void RepaintNonClientArea();

    ApplicationPrinter& printer_;
    PrinterList printers_;
    bool shown_ = false;  // FShown: the first showing has run the refresh
    bool closeWhenIdle_ = false;  // closed while a document window's command ran
    HWND mdiClient_ = nullptr;
    HWND toolBar_ = nullptr;
    HWND statusBar_ = nullptr;
    ui::UniqueFont font_;
    ui::UniqueImageList imageList_;      // the command images
    ui::UniqueImageList imageListInfo_;  // the information sign
    std::unique_ptr<ChangeNoticeBar> statusBarNotices_;
    // Windows the refresh closed that are not destroyed yet.
    std::vector<DocumentWindow*> closedByRefresh_;
    std::wstring findingCountsShown_;  // the status bar's findings panel
    std::wstring toolTipText_;  // the tool bar's tooltip asks for a text that outlives the answer
    UINT commandStateMessage_ = 0;
    std::unique_ptr<PrinterComboBox> comboBoxPrinter_;
    std::unique_ptr<PrinterImages> imageListPrinter_;
    MenuBar frameMenu_;
    MenuBar mergedMenu_;
    bool mergedMenuShown_ = false;
    ui::UniqueAccelerators frameAccelerators_;   // F5 and Ctrl+W: from anywhere
    ui::UniqueAccelerators reportAccelerators_;  // the rest, after the find dialog had its turn
    ui::UniqueAccelerators focusAccelerators_;   // copy and select all: only in a focused report
    ui::UniqueAccelerators findAccelerators_;    // find next and previous, also from the find dialog
};

}  // namespace ostrel
