// The document commands of one document window: save as, printer setup, print, copy, select all,
// and find with its dialog, find next and find previous. Each window has its own, so each keeps
// its own search text and choices for its life. Whether one can run is for the command states.
#pragma once

#include "desktop/command_table.h"
#include "platform/portable/memory_document.h"
#include "platform/win32/application_printer.h"
#include "platform/win32/ui/rich_edit.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace ostrel {

class PrintProgress;

class DocumentCommands {
public:
    // Message that the find dialog sends its owner (FINDMSGSTRINGW).
    static UINT FindMessage();

    // owner: the document window; richEdit: its control showing document; printer: the process's
    // printer object. All three must live as long as these commands.
    DocumentCommands(HWND owner, ui::RichEdit& richEdit, const MemoryDocument& document, ApplicationPrinter& printer);
    ~DocumentCommands();
    DocumentCommands(const DocumentCommands&) = delete;
    DocumentCommands& operator=(const DocumentCommands&) = delete;

    // Runs one of the document commands; false for any other command. Failures (a file that
    // cannot be written, a printer that fails) throw std::exception.
    bool Execute(CommandId id);

    // The modeless find dialog while it is open, for IsDialogMessageW; null otherwise.
    HWND FindDialog() const { return findDialog_; }
    // Handles FindMessage(); false when the message came from another window's dialog.
    bool HandleFindMessage(WPARAM wParam, LPARAM lParam);
    // Stops a print that is running (as its Cancel button does); the other commands wait for the
    // user, who ends them.
    void CancelRunning();

private:
    void SaveAs();
    void Print();
    void ShowFindDialog();
    void FindInReport(bool forward);

    HWND owner_;
    ui::RichEdit& richEdit_;
    const MemoryDocument& document_;
    ApplicationPrinter& printer_;
    PrintProgress* printing_ = nullptr;  // the running print's progress box

    // The save dialog opens on rich text; later it opens on the type chosen last.
    DWORD saveFilterIndex_ = 2;

    // The find dialog keeps pointing at these while it is open.
    static constexpr int FindTextCapacity = 256;  // characters, the terminator included
    wchar_t findText_[FindTextCapacity] = {};
    FINDREPLACEW find_{};
    HWND findDialog_ = nullptr;
};

}  // namespace ostrel
