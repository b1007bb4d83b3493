// The application's commands: one id each, and the one table of their captions, hints, images and
// shortcuts from which the menus, the tool bar and the accelerators are built.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ostrel {

// WM_COMMAND identifiers. The frame's own commands, then a document window's commands.
enum class CommandId : std::uint16_t {
    Refresh = 100,
    Close,
    Cascade,
    TileHorizontal,
    TileVertical,
    MinimizeAll,
    Arrange,
    Exit,
    About,  // a menu item with no command behind it
    SaveAs = 200,
    PrintSetup,
    Print,
    Copy,
    SelectAll,
    Find,
    FindNext,
    FindPrev,
    Findings,  // shows or hides the report's findings beside it
    CompareWith,
};

// Virtual-key codes used by the shortcuts (the platform's values).
constexpr std::uint16_t KeyF3 = 0x72;
constexpr std::uint16_t KeyF5 = 0x74;

struct Shortcut {
    std::uint16_t key = 0;  // a virtual-key code; 0 for none
    bool ctrl = false;
    bool shift = false;

    explicit operator bool() const { return key != 0; }
};

constexpr int NoImage = -1;
// The images of desktop/res/commands.bmp, one strip of 16 x 16.
constexpr int CommandImageCount = 12;

struct CommandInfo {
    CommandId id;
    const wchar_t* caption;
    const wchar_t* hint;  // tooltip text, then an optional long text after the first '|'
    int image;            // index into the command image list, or NoImage
    Shortcut shortcut;
};

std::span<const CommandInfo> AllCommands();
const CommandInfo& CommandInfoOf(CommandId id);
// Commands that show or hide something: a checked menu item and a pressed button while it shows.
bool IsToggleCommand(CommandId id);
// Copy and select all: their shortcuts act on the report only while it has the keyboard focus.
bool ActsOnFocusedReport(CommandId id);

// "Ctrl+S", "Shift+F3", "F5": the text a menu shows after the caption.
std::wstring ShortcutText(Shortcut shortcut);
// The tooltip part of a hint: what stands before its first '|'.
std::wstring_view ShortHint(std::wstring_view hint);
// A menu item's text: the caption, and a tab and the shortcut text when there is a shortcut.
std::wstring MenuItemText(const CommandInfo& command);

}  // namespace ostrel
