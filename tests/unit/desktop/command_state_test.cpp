#include "desktop/command_state.h"

#include <gtest/gtest.h>

#include <iterator>

namespace ostrel {
namespace {

// One row a command, one column a moment of the program.
TEST(CommandState, EveryCommandInEveryMoment)
{
    const CommandContext moments[] = {
        {0, DocumentKind::None, false, 0, false},        // no window
        {2, DocumentKind::None, false, 0, false},        // windows, none active (all minimized)
        {1, DocumentKind::Report, false, 0, false},      // an empty report
        {1, DocumentKind::Report, true, 120, true},      // a report, text selected, findings shown
        {2, DocumentKind::Comparison, true, 80, false},  // a comparison, text selected
    };
    const struct {
        CommandId id;
        bool enabled[std::size(moments)];
    } rows[] = {
        {CommandId::Refresh, {true, true, true, true, true}},
        {CommandId::Exit, {true, true, true, true, true}},
        {CommandId::About, {true, true, true, true, true}},
        {CommandId::Close, {false, false, true, true, true}},
        {CommandId::Cascade, {false, true, true, true, true}},
        {CommandId::TileHorizontal, {false, true, true, true, true}},
        {CommandId::TileVertical, {false, true, true, true, true}},
        {CommandId::MinimizeAll, {false, true, true, true, true}},
        {CommandId::Arrange, {false, true, true, true, true}},
        {CommandId::SaveAs, {false, false, true, true, true}},
        {CommandId::PrintSetup, {false, false, true, true, true}},
        {CommandId::Print, {false, false, true, true, true}},
        {CommandId::Find, {false, false, true, true, true}},
        {CommandId::FindNext, {false, false, true, true, true}},
        {CommandId::FindPrev, {false, false, true, true, true}},
        {CommandId::Copy, {false, false, false, true, true}},
        {CommandId::SelectAll, {false, false, false, true, true}},
        {CommandId::Findings, {false, false, true, true, false}},
        {CommandId::CompareWith, {false, false, true, true, false}},
    };
    ASSERT_EQ(std::size(rows), AllCommands().size()) << "a command without a row";
    for (const auto& row : rows) {
        for (std::size_t m = 0; m < std::size(moments); ++m)
            EXPECT_EQ(IsCommandEnabled(row.id, moments[m]), row.enabled[m])
                << "command " << static_cast<int>(row.id) << ", moment " << m;
    }
}

TEST(CommandState, FindingsShowCheckedOnlyOverTheirReport)
{
    EXPECT_TRUE(IsCommandChecked(CommandId::Findings, {1, DocumentKind::Report, false, 10, true}));
    EXPECT_FALSE(IsCommandChecked(CommandId::Findings, {1, DocumentKind::Report, false, 10, false}));
    EXPECT_FALSE(IsCommandChecked(CommandId::Findings, {1, DocumentKind::Comparison, false, 10, true}));
    EXPECT_FALSE(IsCommandChecked(CommandId::Copy, {1, DocumentKind::Report, true, 10, true}));
}

}  // namespace
}  // namespace ostrel
