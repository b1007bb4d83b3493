#include "tests/common/tally.h"

#include <windows.h>

#include <cstdio>

namespace ostrel::testing {

bool Tally::Check(bool ok, const std::string& what, const std::string& detail) {
    if (ok) {
        ++passed_;
        return true;
    }
    ++failed_;
    std::printf("FAILED %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    std::fflush(stdout);
    return false;
}

std::string Tally::Summary() const {
    return std::to_string(passed_) + " passed, " + std::to_string(failed_) + " failed";
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace ostrel::testing
