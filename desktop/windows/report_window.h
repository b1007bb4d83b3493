// TFormOstrelMain: an MDI child of the frame that shows one printer's report in a read-only
// rich-text control. The window owns itself: it is deleted when its window is destroyed.
#pragma once

#include "desktop/command_table.h"
#include "desktop/windows/document_commands.h"
#include "desktop/windows/findings_pane.h"
#include "findings/finding.h"
#include "desktop/windows/document_window.h"
#include "platform/portable/memory_document.h"
#include "platform/win32/application_printer.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/rich_edit.h"
#include "platform/win32/ui/window.h"
#include "report/structured_report.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class ReportWindow;

// What a report window needs from the frame that hosts it.
class ReportWindowHost {
public:
    virtual HWND MdiClient() const = 0;
    // The process's printer object: the spooler every report asks, and the print dialogs.
    virtual ApplicationPrinter& Printer() = 0;
    // The command images (ImageList) that menu items show.
    virtual HIMAGELIST CommandImages() const = 0;
    virtual void ReportWindowActivated(ReportWindow& window) = 0;
    virtual void ReportWindowDeactivated(ReportWindow& window) = 0;
    // The window holds a new report, and with it new findings.
    virtual void ReportWindowReportMade(ReportWindow& window) = 0;
    // The window is being closed: whatever refers to it lets go of it.
    virtual void ReportWindowClosing(ReportWindow& window) = 0;
    virtual void ReportWindowDestroyed(ReportWindow& window) = 0;
    // A command of a document window has returned.
    virtual void DocumentCommandEnded() = 0;

protected:
    ~ReportWindowHost() = default;
};

class ReportWindow final : public ui::Window, public DocumentWindow {
public:
    static constexpr const wchar_t* ClassName = L"TFormOstrelMain";
    static constexpr int RichEditId = 0x200;
    static constexpr int FindingsListId = 0x201;
    // Posted to itself by Close: the window is destroyed once the handler that closed it is done.
    static constexpr UINT DestroyLater = WM_APP + 1;

    // Creates the window maximized, visible and empty, in the host's MDI client.
    static ReportWindow& Create(ReportWindowHost& host);

    // Replaces the report with the one on the printer of a printer-list entry, and its findings
    // with the ones judged from what that report read; sets the caption.
    void MakeReport(const std::string& entry);

    // Takes the icon (the window's own copy) shown in its caption and the window menu.
    void SetIcon(ui::UniqueIcon icon);
    void BringToFront();
    void Close() override;
    bool RunsCommand() const override { return running_ > 0; }
    void CancelCommand() override;

    bool IsCommandEnabled(CommandId id) const override;
    // Whether what a toggle command shows is showing.
    bool IsCommandChecked(CommandId id) const;
    void ExecuteCommand(CommandId id) override;
    bool HasFocus() const override;
    HWND FindDialog() const override;

    const std::string& DeviceName() const { return deviceName_; }
    const std::string& PortName() const { return portName_; }
    const MemoryDocument& Document() const { return document_; }
    const std::vector<Finding>& Findings() const { return findings_; }
    // The entry of the report last built, the report as data, and why its printer did not open.
    const std::string& Entry() const { return entry_; }
    const StructuredReport& Items() const { return items_; }
    const std::optional<std::string>& OpenFailure() const { return openFailure_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() override;

private:
    explicit ReportWindow(ReportWindowHost& host) : host_(host) {}
    void ToggleFindings();
    // Counts a command of the window's own while it runs.
    class RunningCommand {
    public:
        explicit RunningCommand(ReportWindow& window) : window_(window) { ++window_.running_; }
        ~RunningCommand()
        {
            --window_.running_;
            window_.CommandEnded();
        }
        RunningCommand(const RunningCommand&) = delete;
        RunningCommand& operator=(const RunningCommand&) = delete;

    private:
        ReportWindow& window_;
    };
    void CommandEnded();
    void Layout();

    ReportWindowHost& host_;
    std::unique_ptr<ui::RichEdit> richEdit_;
    MemoryDocument document_;
    std::unique_ptr<DocumentCommands> commands_;  // reads document_, so it goes first
    std::vector<Finding> findings_;
    std::unique_ptr<FindingsPane> findingsPane_;  // while the findings show; reads findings_ and document_
    ui::UniqueIcon icon_;
    ui::UniqueFont font_;
    ui::UniqueFont listFont_;
    std::string entry_;
    StructuredReport items_;
    std::string deviceName_;
    std::string portName_;
    std::optional<std::string> openFailure_;
    bool ownedByWindow_ = false;
    int running_ = 0;        // commands of its own on the stack
    bool closing_ = false;  // closed while a command ran: destroyed once it returned
};

}  // namespace ostrel
