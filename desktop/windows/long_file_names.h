// Keeps file names too long for the system's file dialog out of it. Wine's dialog copies the folder
// and the typed name into a buffer of MAX_PATH characters on the stack when the user confirms: a
// name of some 300 characters overwrote its return address with the name's text and ended the
// program. The dialog is asked to refuse such a name instead, with a message.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace ostrel {

// Under Wine, sets the dialog's hook (it must have none) so that confirming a name whose whole
// path would reach MAX_PATH characters shows a message and leaves the dialog open. On Windows the
// dialog is left as it is.
void RefuseLongFileNames(OPENFILENAMEW& dialog);

}  // namespace ostrel
