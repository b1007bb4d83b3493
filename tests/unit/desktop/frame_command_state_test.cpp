#include "desktop/frame_command_state.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(FrameCommandState, WindowCommandsNeedReportWindows)
{
    const FrameState none{0, false};
    const FrameState inactive{2, false};  // windows exist, none active (all minimized and deactivated)
    const FrameState active{1, true};
    const struct {
        CommandId id;
        bool none, inactive, active;
    } cases[] = {
        {CommandId::Refresh, true, true, true},
        {CommandId::Exit, true, true, true},
        {CommandId::Close, false, false, true},
        {CommandId::Cascade, false, true, true},
        {CommandId::TileHorizontal, false, true, true},
        {CommandId::TileVertical, false, true, true},
        {CommandId::MinimizeAll, false, true, true},
        {CommandId::Arrange, false, true, true},
        {CommandId::SaveAs, false, false, false},  // the report window decides its own
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFrameCommandEnabled(c.id, none), c.none) << static_cast<int>(c.id);
        EXPECT_EQ(IsFrameCommandEnabled(c.id, inactive), c.inactive) << static_cast<int>(c.id);
        EXPECT_EQ(IsFrameCommandEnabled(c.id, active), c.active) << static_cast<int>(c.id);
    }
}

}  // namespace
}  // namespace ostrel
