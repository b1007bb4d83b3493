// The frame's status bar and what it shows of the system's change notices: three panels (the
// first takes what the other two leave), the information sign in panel 1 while notices arrived
// since the last refresh, and those notices as the status bar's tooltip.
#pragma once

#include "desktop/change_log.h"

#include <windows.h>
#include <commctrl.h>

namespace ostrel {

class ChangeNoticeBar {
public:
    // statusBar: the frame's status bar, made with tooltips (SBARS_TOOLTIPS); infoImages: image 0
    // is the information sign.
    ChangeNoticeBar(HWND statusBar, HIMAGELIST infoImages);
    ChangeNoticeBar(const ChangeNoticeBar&) = delete;
    ChangeNoticeBar& operator=(const ChangeNoticeBar&) = delete;

    // After the status bar took its new size.
    void Resize();
    // WM_DRAWITEM from the status bar; false for any other item.
    bool DrawItem(const DRAWITEMSTRUCT& item);
    // WM_SETTINGCHANGE / WM_DEVMODECHANGE: lParam is the wide name of the section or device, or null.
    void OnSettingChange(LPARAM lParam);
    void OnDevModeChange(LPARAM lParam);
    // A refresh: the reports are current again.
    void Clear();

    const ChangeLog& Log() const { return log_; }

private:
    void ShowLog();

    HWND statusBar_;
    HIMAGELIST infoImages_;
    ChangeLog log_;
};

}  // namespace ostrel
