// The font of the report and of the comparison: "ＭＳ ゴシック", fixed pitch, 12 pixels, so that
// the label columns line up.
#pragma once

#include "platform/win32/ui/handles.h"

namespace ostrel {

ui::UniqueFont CreateReportFont();

}  // namespace ostrel
