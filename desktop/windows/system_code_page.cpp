#include "desktop/windows/system_code_page.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace ostrel {

const CodePageRules& SystemCodePageRules()
{
    static const CodePageRules rules{[](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; },
                                     [](std::string_view text) {
                                         std::string folded(text);
                                         if (!folded.empty())
                                             CharLowerBuffA(folded.data(), static_cast<DWORD>(folded.size()));
                                         return folded;
                                     }};
    return rules;
}

}  // namespace ostrel
