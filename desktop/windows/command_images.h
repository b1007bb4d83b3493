// The frame's image lists from the program's resources: ImageList, the eleven command images shared
// by menus and tool bar, and ImageListInfo, the information sign of the status bar.
#pragma once

#include "platform/win32/ui/handles.h"

namespace ostrel {

ui::UniqueImageList LoadCommandImages();
ui::UniqueImageList LoadInformationImage();

}  // namespace ostrel
