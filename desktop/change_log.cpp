#include "desktop/change_log.h"

namespace ostrel {

void ChangeLog::AddSettingChange(std::wstring_view section)
{
    log_.append(L"\nWM_SETTINGCHANGE: ").append(section);
}

void ChangeLog::AddDevModeChange(std::wstring_view device)
{
    log_.append(L"\nWM_DEVMODECHANGE: ").append(device);
}

std::wstring ChangeLog::TooltipText() const
{
    if (log_.empty())
        return {};
    return L"* プリンタ情報が更新されています *\n" + log_;
}

}  // namespace ostrel
