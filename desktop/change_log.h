// What the frame heard of changed settings and device modes since the last refresh: one line per
// notice, shown as the status bar's tooltip behind the information sign.
#pragma once

#include <string>
#include <string_view>

namespace ostrel {

class ChangeLog {
public:
    // The section (settings) or device (device mode) the notice names; empty when it names none.
    void AddSettingChange(std::wstring_view section);
    void AddDevModeChange(std::wstring_view device);
    // A refresh brings every report up to date.
    void Clear() { log_.clear(); }

    bool Empty() const { return log_.empty(); }
    // Each notice as a line break followed by its line.
    const std::wstring& Text() const { return log_; }
    // A title line followed by the log; empty while the log is.
    std::wstring TooltipText() const;

private:
    std::wstring log_;
};

}  // namespace ostrel
