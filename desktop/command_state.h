// Whether a command can run, and whether a toggle command shows as on, decided from a plain
// description of what the program holds at the moment. Menus, the tool bar, the context menu and
// the commands themselves all ask here.
#pragma once

#include "desktop/command_table.h"

namespace ostrel {

// What a document window shows.
enum class DocumentKind {
    None,        // no document window is active
    Report,      // a printer's report
    Comparison,  // the differences of two printers' reports
};

struct CommandContext {
    int documentWindows = 0;  // report and compare windows that exist
    DocumentKind active = DocumentKind::None;  // the active document window's kind
    // Of the active document window:
    bool hasSelection = false;
    int textLength = 0;  // characters its control holds
    bool findingsShown = false;
};

bool IsCommandEnabled(CommandId id, const CommandContext& context);
// For the toggle commands: whether what the command shows is showing.
bool IsCommandChecked(CommandId id, const CommandContext& context);

}  // namespace ostrel
