// Control ids of the frame's children, for the frame and for whatever drives it from outside.
#pragma once

namespace ostrel {

constexpr int ComboBoxPrinterId = 0x100;  // the printer list (ComboBox, owner-drawn, with strings)
constexpr int ToolBarId = 0x101;          // ToolbarWindow32
constexpr int StatusBarId = 0x102;        // msctls_statusbar32
constexpr int MdiClientId = 0x103;        // MDICLIENT
constexpr int FirstMdiChildId = 0xFF00;   // window-menu entries of the document windows

}  // namespace ostrel
