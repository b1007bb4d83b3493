// What the driver needs from around the program under test: other programs (Windows ones, and the
// Linux tools of the test bed: xdotool, lpadmin), files, and the report tool's answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ostrel::uitest {

// Runs a Windows program and waits for it; its standard output goes to outputFile when given.
// The exit status, or nothing when it could not start or did not end within the time.
std::optional<unsigned long> RunProgram(const std::wstring& commandLine, const std::wstring& outputFile = {},
                                        unsigned long timeoutMs = 120000);
// Runs a Linux program of the test bed (Wine starts it directly) and waits for it to end. Wine
// reports no reliable exit status for these, so callers check the effect instead.
bool RunHostTool(const std::wstring& commandLine, unsigned long timeoutMs = 30000);

// One argument of a command line, quoted when it needs it.
std::wstring Quoted(const std::wstring& argument);
// Z:\... for a Linux path; the drive letter maps the root folder in a fresh prefix.
std::wstring WindowsPathOf(const std::wstring& linuxPath);

std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// Text in the system code page, as the report and the spooler calls use it, made wide.
std::wstring FromAnsi(const std::string& text);
std::wstring FromUtf8(const std::string& text);

// Real key presses on the display ("ctrl+w", "F5", "shift+F3"), with xdotool: they go through the
// display server into the window that has the focus, as a user's would.
void PressKeys(const std::string& keys);
// A real mouse click at a point of the screen (button 1 left, 3 right), with xdotool.
void ClickAt(int x, int y, int button = 1);

// The console tool that builds the very report a report window shows.
class ReportTool {
public:
    ReportTool(std::wstring exe, std::wstring workFolder);
    std::vector<std::wstring> List() const;
    // The report of entry in the format that file's extension asks for, written to file; the bytes.
    std::optional<std::string> Report(const std::wstring& entry, const std::wstring& file) const;

private:
    std::wstring exe_;
    std::wstring work_;
};

}  // namespace ostrel::uitest
