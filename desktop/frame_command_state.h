// Whether a frame command can run, decided from what the frame holds at the moment.
#pragma once

#include "desktop/command_table.h"

namespace ostrel {

struct FrameState {
    int reportWindows = 0;           // report and compare windows that exist
    bool hasActiveReport = false;    // one of them is the active child
};

// For the frame's own commands; the document commands are decided by their report window.
bool IsFrameCommandEnabled(CommandId id, const FrameState& state);

}  // namespace ostrel
