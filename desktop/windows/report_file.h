// Writing a report to the file the user chose, with a failure told in the user's words.
#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// Replaces the file only by a complete one; on failure throws the message the error box shows,
// naming the file and giving the reason.
void WriteReportFile(const std::wstring& path, std::string_view bytes);

}  // namespace ostrel
