#include "desktop/change_log.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(ChangeLog, RecordsNoticesInArrivalOrderUnderTheTitle)
{
    ChangeLog log;
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(log.TooltipText(), L"");

    log.AddDevModeChange(L"Office-PS");
    log.AddSettingChange(L"windows");
    log.AddSettingChange(L"");  // a notice that names nothing still counts
    EXPECT_FALSE(log.Empty());
    EXPECT_EQ(log.Text(), L"\nWM_DEVMODECHANGE: Office-PS\nWM_SETTINGCHANGE: windows\nWM_SETTINGCHANGE: ");
    EXPECT_EQ(log.TooltipText(), L"* プリンタ情報が更新されています *\n" + log.Text());
}

TEST(ChangeLog, RefreshEmptiesItAndLaterNoticesStartAnew)
{
    ChangeLog log;
    log.AddSettingChange(L"intl");
    log.Clear();
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(log.TooltipText(), L"");
    log.AddDevModeChange(L"Laser");
    EXPECT_EQ(log.Text(), L"\nWM_DEVMODECHANGE: Laser");
}

}  // namespace
}  // namespace ostrel
