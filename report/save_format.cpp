#include "report/save_format.h"

#include <strings.h>

namespace ostrel {

SaveFormat SaveFormatOf(const std::string& fileName)
{
    constexpr char extension[] = ".rtf";
    constexpr std::size_t length = sizeof extension - 1;
    const bool rtf = fileName.size() >= length &&
                     strncasecmp(fileName.c_str() + fileName.size() - length, extension, length) == 0;
    return rtf ? SaveFormat::RichText : SaveFormat::PlainText;
}

}  // namespace ostrel
