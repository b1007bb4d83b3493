#include "desktop/frame_command_state.h"

namespace ostrel {

bool IsFrameCommandEnabled(CommandId id, const FrameState& state)
{
    switch (id) {
    case CommandId::Refresh:
    case CommandId::Exit:
    case CommandId::About:
        return true;
    case CommandId::Close:
        return state.hasActiveReport;
    case CommandId::Cascade:
    case CommandId::TileHorizontal:
    case CommandId::TileVertical:
    case CommandId::MinimizeAll:
    case CommandId::Arrange:
        return state.reportWindows > 0;
    default:
        return false;
    }
}

}  // namespace ostrel
