// The RTF of a document: its text, in a code page that the RTF declares, with the character
// attributes of its runs; font names are Shift-JIS. Readers other than the report control lay it
// out on an A4 landscape page that holds the widest report lines.
#pragma once

#include "platform/portable/format_runs.h"
#include "platform/rich_document.h"

#include <string>

namespace ostrel {

// text: a line break is '\n'; runs: its attributes, the run at 0 present whenever the text is not
// empty; defaultFormat: what the font and colour tables name first.
std::string RtfOf(const std::string& text, const FormatRuns& runs, const CharFormat& defaultFormat, unsigned codePage);

}  // namespace ostrel
