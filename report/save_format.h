// Which format a report file is written in, by its name.
#pragma once

#include <string>

namespace ostrel {

enum class SaveFormat { PlainText, RichText };

// Rich text for a name ending in ".rtf" in any letter case, plain text for any other.
SaveFormat SaveFormatOf(const std::string& fileName);

}  // namespace ostrel
