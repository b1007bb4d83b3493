#include "report/window/file_replace.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace ostrel {

namespace {

std::string InSystemCodePage(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                            nullptr);
    return narrow;
}

// The system's message for an error code, without its trailing line break.
std::wstring SystemReason(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring reason = length > 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

[[noreturn]] void Fail(const std::filesystem::path& path, DWORD code)
{
    throw FileWriteError(InSystemCodePage(L"cannot write " + path.wstring() + L": " + SystemReason(code)));
}

// Creates a new file beside target under a name nobody picks by chance; the caller closes it.
std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target, HANDLE& file)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(L".");
    std::uint64_t seed = (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^ GetTickCount64();
    for (int attempt = 0;; ++attempt) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        wchar_t name[32];
        swprintf(name, 32, L"~ostrel-%016llx.tmp", static_cast<unsigned long long>(seed));
        std::filesystem::path temporary = folder / name;
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return temporary;
        const DWORD error = GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 16)
            Fail(target, error);
    }
}

// An existing file is replaced only if it could be deleted: not read-only, and nobody holds it open
// without letting it be deleted. (Some systems rename over such a file all the same.)
void CheckReplaceable(const std::filesystem::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        Fail(path, ERROR_ACCESS_DENIED);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Fail(path, ERROR_DIRECTORY);
    const HANDLE existing = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing == INVALID_HANDLE_VALUE)
        Fail(path, GetLastError());
    CloseHandle(existing);
}

}  // namespace

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    CheckReplaceable(path);
    HANDLE file = INVALID_HANDLE_VALUE;
    const std::filesystem::path temporary = CreateTemporaryBeside(path, file);
    DWORD error = ERROR_SUCCESS;
    while (!bytes.empty() && error == ERROR_SUCCESS) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            error = GetLastError();
        else if (written == 0)
            error = ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    // A write is complete only once the file closed without error.
    if (!CloseHandle(file) && error == ERROR_SUCCESS)
        error = GetLastError();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        Fail(path, error);
    }
}

}  // namespace ostrel
