// What a document window shows, by kind: the window holds what every kind has (see
// document_window.h), its content builds the document and adds what differs.
#pragma once

#include "desktop/command_state.h"
#include "findings/finding.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace ostrel {

class DocumentWindow;

class DocumentContent {
public:
    virtual ~DocumentContent() = default;

    virtual DocumentKind Kind() const = 0;
    // The window class of its windows.
    virtual const wchar_t* ClassName() const = 0;
    // The window exists, with its control and an empty document: the content takes it. It lives as
    // long as the content.
    virtual void Attach(DocumentWindow& window) = 0;
    // Builds the document again, from the system's printers as they are now, and shows it.
    virtual void Rebuild() = 0;

    // The findings of a report; null for a kind without findings.
    virtual const std::vector<Finding>* Findings() const { return nullptr; }
    virtual bool FindingsShown() const { return false; }
    // Places what it shows below the control in the window's client area; returns the control's height.
    virtual int Layout(int /*width*/, int height) { return height; }
    // WM_NOTIFY from a control of its own; false for others.
    virtual bool Notify(const NMHDR& /*header*/) { return false; }
    // Runs a command of its kind (enabled as the command states say); false for the others.
    virtual bool Execute(CommandId /*id*/) { return false; }
};

}  // namespace ostrel
