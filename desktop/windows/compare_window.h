// TFormOstrelCompare: an MDI child of the frame that shows the differences of two printers'
// reports, read-only, with the report's font and the document commands of a report window (save,
// print, copy, find). It keeps its two sides, so that a refresh compares them again. The window
// owns itself: it is deleted when its window is destroyed.
#pragma once

#include "desktop/compare_sides.h"
#include "desktop/windows/document_commands.h"
#include "desktop/windows/document_window.h"
#include "platform/portable/memory_document.h"
#include "platform/win32/application_printer.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/rich_edit.h"
#include "platform/win32/ui/window.h"

#include <memory>
#include <string>
#include <utility>

namespace ostrel {

// What a compare window needs from the frame that hosts it.
class CompareWindowHost {
public:
    virtual HWND MdiClient() const = 0;
    // The process's printer object, for the print dialogs.
    virtual ApplicationPrinter& Printer() = 0;
    virtual HIMAGELIST CommandImages() const = 0;
    virtual void CompareWindowActivated() = 0;
    virtual void CompareWindowDeactivated() = 0;
    // A command of a document window has returned.
    virtual void DocumentCommandEnded() = 0;

protected:
    ~CompareWindowHost() = default;
};

class CompareWindow final : public ui::Window, public DocumentWindow {
public:
    static constexpr const wchar_t* ClassName = L"TFormOstrelCompare";
    static constexpr int RichEditId = 0x200;
    static constexpr UINT DestroyLater = WM_APP + 1;

    // Creates the window, visible and active, in the host's MDI client, showing text (the
    // comparison of the sides a and b: CR LF line breaks, in the system code page) under the caption.
    static CompareWindow& Create(CompareWindowHost& host, const std::wstring& caption, const std::string& text,
                                 CompareSide a, CompareSide b);

    // Compares the two sides again, the system's printers through spooler.
    void Rebuild(Spooler& spooler);

    bool IsCommandEnabled(CommandId id) const override;
    void ExecuteCommand(CommandId id) override;
    bool HasFocus() const override;
    HWND FindDialog() const override;
    void Close() override;
    bool RunsCommand() const override { return running_ > 0; }
    void CancelCommand() override;

    const MemoryDocument& Document() const { return document_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowDestroyed() override;

private:
    CompareWindow(CompareWindowHost& host, CompareSide a, CompareSide b)
        : host_(host), a_(std::move(a)), b_(std::move(b))
    {
    }
    void Show(const std::string& text);
    // Counts a command of the window's own while it runs.
    class RunningCommand {
    public:
        explicit RunningCommand(CompareWindow& window) : window_(window) { ++window_.running_; }
        ~RunningCommand()
        {
            --window_.running_;
            window_.CommandEnded();
        }
        RunningCommand(const RunningCommand&) = delete;
        RunningCommand& operator=(const RunningCommand&) = delete;

    private:
        CompareWindow& window_;
    };
    void CommandEnded();

    CompareWindowHost& host_;
    const CompareSide a_;
    const CompareSide b_;
    std::unique_ptr<ui::RichEdit> richEdit_;
    MemoryDocument document_;
    std::unique_ptr<DocumentCommands> commands_;  // reads document_, so it goes first
    ui::UniqueFont font_;
    bool ownedByWindow_ = false;
    int running_ = 0;        // commands of its own on the stack
    bool closing_ = false;  // closed while a command ran: destroyed once it returned
};

}  // namespace ostrel
