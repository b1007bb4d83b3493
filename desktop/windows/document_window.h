// What the frame asks of any MDI child that shows a document (a report, a comparison): the
// document commands, Close and the shortcuts of the active child go to it, whatever kind it is.
#pragma once

#include "desktop/command_table.h"

#include <windows.h>

namespace ostrel {

class DocumentWindow {
public:
    virtual bool IsCommandEnabled(CommandId id) const = 0;
    virtual void ExecuteCommand(CommandId id) = 0;
    // Whether the document's control has the keyboard focus.
    virtual bool HasFocus() const = 0;
    // The find dialog while it is open, for the message loop; null otherwise.
    virtual HWND FindDialog() const = 0;
    // Lets the host forget the window, then destroys it after the current handler has returned
    // and after every command of its own that runs (a print is cancelled).
    virtual void Close() = 0;
    // Whether one of its commands is running (a print, a dialog of its own).
    virtual bool RunsCommand() const = 0;
    // Stops what of the running command can be stopped (a print).
    virtual void CancelCommand() = 0;

protected:
    ~DocumentWindow() = default;
};

// Creates a maximized, visible MDI child of the class in the MDI client, with the caption and the
// creation parameter of its window object; throws when the system refuses.
HWND CreateDocumentChild(HWND mdiClient, const wchar_t* className, const wchar_t* caption, LPARAM createParameter);

// The report's context menu over the document's control, at WM_CONTEXTMENU's position (from the
// keyboard: at the caret), its items enabled as the document says; the choice goes to window.
void ShowDocumentContextMenu(HWND window, HWND control, LPARAM position, const DocumentWindow& document);

}  // namespace ostrel
