// A dialog laid out in code: the in-memory template that DialogBoxIndirectParamW reads, so that a
// small dialog needs no resource script. Positions and sizes are in dialog units.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::ui {

// The predefined control classes a template names by atom.
enum class ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083 };

class DialogTemplate {
public:
    // A modal dialog with a caption and a font (DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION
    // | WS_SYSMENU, plus extraStyle).
    DialogTemplate(const std::wstring& caption, short width, short height, const std::wstring& fontName,
                   WORD fontPoints, DWORD extraStyle = 0);

    // A visible child control; style adds to WS_CHILD | WS_VISIBLE.
    void Add(ControlClass kind, int id, const std::wstring& text, DWORD style, short x, short y, short width,
             short height);

    // Runs the dialog modally (DialogBoxIndirectParamW); -1 when it could not be shown.
    INT_PTR Run(HWND owner, DLGPROC procedure, LPARAM parameter) const;

private:
    void Put(const std::wstring& text);
    void PutDword(DWORD value);
    void AlignToDword();

    std::vector<WORD> words_;  // the template; its items start on DWORD boundaries
};

}  // namespace ostrel::ui
