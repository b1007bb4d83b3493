// The report control under Wine: a report far beyond the control's default limit of 32767
// characters, streamed in as RTF, shows whole. Prints "N passed, N failed" and the time the
// streaming took; exit status 1 on a failure.
//   rich_edit_check [KILOBYTES]     (default 1024)
#include "platform/portable/memory_document.h"
#include "platform/win32/ui/rich_edit.h"
#include "tests/common/tally.h"

#include <windows.h>
#include <richedit.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

ostrel::testing::Tally tally;

void Check(bool ok, const std::string& what)
{
    tally.Check(ok, what);
}

}  // namespace

int main(int argc, char** argv)
{
    const int size = (argc > 1 ? std::atoi(argv[1]) : 1024) * 1024;
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (parent == nullptr) {
        tally.Fail("no window can be created here");
        std::printf("%s\n", tally.Summary().c_str());
        return 1;
    }
    ostrel::ui::RichEdit edit(parent, 1);

    ostrel::MemoryDocument document;
    const std::string line(78, 'x');
    for (int i = 0; document.TextLength() < size; ++i)
        document.AppendLine(std::to_string(i) + " " + line);
    document.AppendLine("the last line");

    const auto start = std::chrono::steady_clock::now();
    edit.ReplaceWithRtf(document.Rtf(GetACP()));
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // The control keeps the last line break to itself: it ends every text with a paragraph mark.
    Check(edit.TextLength() == document.TextLength() - 1,
          "all " + std::to_string(document.TextLength() - 1) + " characters shown, not " +
              std::to_string(edit.TextLength()));
    wchar_t last[32] = {};
    TEXTRANGEW range{{edit.TextLength() - 13, edit.TextLength()}, last};
    SendMessageW(edit.Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    Check(std::wstring(last) == L"the last line", "the last line is there");
    Check(edit.Selection() == std::make_pair(0, 0), "the caret stands at the start");
    edit.ReplaceWithRtf(ostrel::MemoryDocument().Rtf(GetACP()));
    Check(edit.TextLength() == 0, "a new report replaces the old one whole");

    std::printf("streaming %d characters took %.2f s\n", document.TextLength(), took);
    std::printf("%s\n", tally.Summary().c_str());
    DestroyWindow(parent);
    return tally.Failed() == 0 ? 0 : 1;
}
