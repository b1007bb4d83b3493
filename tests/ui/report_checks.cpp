#include "tests/ui/report_checks.h"

#include "tests/ui/remote_window.h"

#include <algorithm>

namespace ostrel::uitest {

int IndexOf(const std::vector<std::wstring>& entries, const std::wstring& text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

HWND ReportWindowCaptioned(const OstrelSession& session, const std::wstring& caption) {
    for (HWND window : session.ReportWindows()) {
        if (TextOf(window) == caption) return window;
    }
    return nullptr;
}

std::wstring ExpectedReportText(const Bed& bed, const std::wstring& entry) {
    const auto bytes = bed.Tool().Report(entry, bed.work + L"\\expected.txt");
    std::wstring text = bytes ? FromAnsi(*bytes) : std::wstring{};
    // The control has no paragraph break after its last line; the file ends with one.
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

std::string Difference(const std::wstring& shown, const std::wstring& expected) {
    if (shown == expected) return {};
    std::size_t at = 0;
    while (at < shown.size() && at < expected.size() && shown[at] == expected[at]) ++at;
    const std::size_t from = at < 40 ? 0 : at - 40;
    auto clip = [&](const std::wstring& text) {
        std::wstring part = from < text.size() ? text.substr(from, 80) : L"";
        for (auto& c : part) {
            if (c == L'\r') c = L'~';
            if (c == L'\n') c = L'|';
        }
        return Utf8(part);
    };
    return "lengths " + std::to_string(shown.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(at) + ": shown \"" + clip(shown) + "\", expected \"" +
           clip(expected) + "\"";
}

std::vector<std::wstring> JobFiles(const Bed& bed) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((bed.spool + L"\\c*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        files.push_back(bed.spool + L"\\" + found.cFileName);
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return files;
}

}  // namespace ostrel::uitest
