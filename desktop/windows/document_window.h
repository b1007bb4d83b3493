// An MDI child of the frame that shows one document read-only in a rich-text control: a printer's
// report (TFormOstrelMain) or a comparison of two (TFormOstrelCompare). The window holds what every
// document window has: the control, the document, the document commands with find, the menu
// images, focus, activation, the context menu and closing; its content holds what differs by kind.
// The window owns itself: it is deleted when its window is destroyed, and never while a command of
// its own runs.
#pragma once

#include "desktop/command_state.h"
#include "desktop/windows/document_commands.h"
#include "desktop/windows/document_content.h"
#include "findings/finding.h"
#include "platform/portable/memory_document.h"
#include "platform/win32/application_printer.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/rich_edit.h"
#include "platform/win32/ui/window.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace ostrel {

class DocumentWindow;

// What a document window needs from the frame that hosts it.
class DocumentHost {
public:
    virtual HWND MdiClient() const = 0;
    // The process's printer object: the spooler every report asks, and the print dialogs.
    virtual ApplicationPrinter& Printer() = 0;
    // The command images (ImageList) that menu items show.
    virtual HIMAGELIST CommandImages() const = 0;
    // The printer list's entries, as the list shows them.
    virtual std::vector<std::string> PrinterEntries() const = 0;
    virtual void DocumentActivated(DocumentWindow& window) = 0;
    virtual void DocumentDeactivated(DocumentWindow& window) = 0;
    // The window shows its document built again, and with it its findings.
    virtual void DocumentRebuilt(DocumentWindow& window) = 0;
    // The window is being closed: whatever refers to it lets go of it.
    virtual void DocumentClosing(DocumentWindow& window) = 0;
    virtual void DocumentDestroyed(DocumentWindow& window) = 0;
    // A command of the window's own has returned.
    virtual void DocumentCommandEnded(DocumentWindow& window) = 0;

protected:
    ~DocumentHost() = default;
};

class DocumentWindow final : public ui::Window {
public:
    static constexpr int RichEditId = 0x200;
    // Posted to itself by Close: the window is destroyed once the handler that closed it, and
    // every command of its own, has returned.
    static constexpr UINT DestroyLater = WM_APP + 1;

    // Creates the window of the content's kind, maximized, visible and active, in the host's MDI
    // client, under the caption; then the content takes it.
    static DocumentWindow& Create(DocumentHost& host, std::unique_ptr<DocumentContent> content,
                                  const std::wstring& caption = {});
    // The document window behind an MDI child, or null.
    static DocumentWindow* FromHandle(HWND hwnd);

    DocumentHost& Host() const { return host_; }
    ui::RichEdit& Control() const { return *richEdit_; }
    MemoryDocument& Document() { return document_; }
    const MemoryDocument& Document() const { return document_; }
    DocumentContent& Content() const { return *content_; }

    // Builds the document again (a refresh) and shows it.
    void Rebuild() { content_->Rebuild(); }
    // Shows the document as it now is in the control.
    void ShowDocument();
    // The findings of the report it shows; null for a kind without findings.
    const std::vector<Finding>* Findings() const { return content_->Findings(); }

    // Takes the icon (the window's own copy) shown in its caption and the window menu.
    void SetIcon(ui::UniqueIcon icon);
    void BringToFront();
    // Lets the host forget the window, then destroys it after the current handler has returned
    // and after every command of its own that runs (a print is cancelled).
    void Close();
    bool Closing() const { return closing_; }
    // Whether one of its commands is running (a print, a dialog of its own).
    bool RunsCommand() const { return running_ > 0; }
    // Stops what of the running command can be stopped (a print).
    void CancelCommand();

    // What the window holds, as the command states read it, as if it were the active one.
    CommandContext Context() const;
    // Runs a document command, or a command of its kind; false for a command it does not know.
    bool ExecuteCommand(CommandId id);
    // Whether the document's control has the keyboard focus.
    bool HasFocus() const;
    // The find dialog while it is open, for the message loop; null otherwise.
    HWND FindDialog() const;
    // Places the control, and below it what the content shows beside it.
    void Layout();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() override;

private:
    // Counts a command of the window's own while it runs.
    class RunningCommand {
    public:
        explicit RunningCommand(DocumentWindow& window) : window_(window) { ++window_.running_; }
        ~RunningCommand() { window_.CommandEnded(); }
        RunningCommand(const RunningCommand&) = delete;
        RunningCommand& operator=(const RunningCommand&) = delete;

    private:
        DocumentWindow& window_;
    };

    DocumentWindow(DocumentHost& host, std::unique_ptr<DocumentContent> content)
        : host_(host), content_(std::move(content))
    {
    }
    void CommandEnded();
    void ShowContextMenu(LPARAM position);

    DocumentHost& host_;
    std::unique_ptr<ui::RichEdit> richEdit_;
    ui::UniqueFont font_;
    MemoryDocument document_;
    std::unique_ptr<DocumentCommands> commands_;  // reads document_, so it goes first
    std::unique_ptr<DocumentContent> content_;    // reads the control and document_: goes first
    ui::UniqueIcon icon_;
    bool ownedByWindow_ = false;
    int running_ = 0;        // commands of its own on the stack
    bool closing_ = false;  // closed: destroyed once no command of its own runs
};

}  // namespace ostrel
