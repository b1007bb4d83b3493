#include "tests/ui/host.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace ostrel::uitest {

namespace {

struct ProcessHandles {
    PROCESS_INFORMATION info{};
    ~ProcessHandles() {
        if (info.hThread) CloseHandle(info.hThread);
        if (info.hProcess) CloseHandle(info.hProcess);
    }
};

struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

std::optional<unsigned long> RunProgram(const std::wstring& commandLine, const std::wstring& outputFile,
                                        unsigned long timeoutMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    FileHandle output;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output.handle = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output.handle == INVALID_HANDLE_VALUE) return std::nullopt;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.handle;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    std::wstring line = commandLine;
    ProcessHandles process;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, !outputFile.empty(), 0, nullptr, nullptr, &startup,
                        &process.info)) {
        return std::nullopt;
    }
    if (WaitForSingleObject(process.info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.info.hProcess, 1);
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(process.info.hProcess, &status);
    return status;
}

bool RunHostTool(const std::wstring& commandLine, unsigned long timeoutMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    ProcessHandles process;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process.info)) {
        return false;
    }
    return WaitForSingleObject(process.info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::wstring WindowsPathOf(const std::wstring& linuxPath) {
    std::wstring path = L"Z:" + linuxPath;
    for (auto& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

}  // namespace

std::wstring FromAnsi(const std::string& text) { return Widen(CP_ACP, text); }
std::wstring FromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }

void PressKeys(const std::string& keys) {
    RunHostTool(L"/usr/bin/xdotool key --delay 60 " + FromUtf8(keys));
    // The keys travel through the display server and the program's queue after xdotool has ended.
    Sleep(400);
}

void ClickAt(int x, int y, int button) {
    RunHostTool(L"/usr/bin/xdotool mousemove --sync " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click " +
                std::to_wstring(button));
    Sleep(400);
}

ReportTool::ReportTool(std::wstring exe, std::wstring workFolder) : exe_(std::move(exe)), work_(std::move(workFolder)) {}

std::vector<std::wstring> ReportTool::List() const {
    const std::wstring out = work_ + L"\\tool-list.txt";
    std::vector<std::wstring> entries;
    if (!RunProgram(Quoted(exe_) + L" --list", out)) return entries;
    std::istringstream lines(ReadBytes(out).value_or(""));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        entries.push_back(FromAnsi(line));
    }
    return entries;
}

std::optional<std::string> ReportTool::Report(const std::wstring& entry, const std::wstring& file) const {
    const auto status = RunProgram(Quoted(exe_) + L" -o " + Quoted(file) + L" " + Quoted(entry));
    if (!status || *status != 0) return std::nullopt;
    return ReadBytes(file);
}

}  // namespace ostrel::uitest
