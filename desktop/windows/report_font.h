// The font of the report and of the comparison: "ＭＳ ゴシック", fixed pitch, 12 pixels, so that
// the label columns line up.
#pragma once

#include "platform/win32/ui/handles.h"

namespace ostrel {

ui::UniqueFont CreateReportFont();
// "ＭＳ Ｐゴシック", 12 pixels: the windows' own font, which their lists show.
ui::UniqueFont CreateFormFont();

}  // namespace ostrel
