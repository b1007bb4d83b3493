#include "desktop/command_state.h"

namespace ostrel {

bool IsCommandEnabled(CommandId id, const CommandContext& context)
{
    const bool document = context.active != DocumentKind::None;
    switch (id) {
    case CommandId::Refresh:
    case CommandId::Exit:
    case CommandId::About:
        return true;
    case CommandId::Cascade:
    case CommandId::TileHorizontal:
    case CommandId::TileVertical:
    case CommandId::MinimizeAll:
    case CommandId::Arrange:
        return context.documentWindows > 0;
    case CommandId::Close:
    case CommandId::SaveAs:
    case CommandId::PrintSetup:
    case CommandId::Print:
    case CommandId::Find:
    case CommandId::FindNext:
    case CommandId::FindPrev:
        return document;
    case CommandId::Copy:
        return document && context.hasSelection;
    case CommandId::SelectAll:
        return document && context.textLength > 0;
    // Findings and comparing need a printer's report.
    case CommandId::Findings:
    case CommandId::CompareWith:
        return context.active == DocumentKind::Report;
    }
    return false;
}

bool IsCommandChecked(CommandId id, const CommandContext& context)
{
    return id == CommandId::Findings && context.active == DocumentKind::Report && context.findingsShown;
}

}  // namespace ostrel
