#include "platform/file_replace.h"
#include "platform/reserved_device_names.h"
#include "platform/temporary_file_name.h"
#include "platform/win32/system_error_text.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

namespace ostrel {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, DWORD error)
{
    throw FileWriteError(path, SystemErrorText(error));
}

// The temporary file: closed and deleted again unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) : target_(target)
    {
        // A name that exists already belongs to someone else: never open it, take another.
        for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
            path_ = TemporaryFileNameBeside(target);
            handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            const DWORD error = GetLastError();
            if (handle_ == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                Fail(target_, error);
        }
        if (handle_ == INVALID_HANDLE_VALUE)
            Fail(target_, ERROR_FILE_EXISTS);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        if (!path_.empty())
            DeleteFileW(path_.c_str());
    }

    void Write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
            DWORD written = 0;
            if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr))
                Fail(target_, GetLastError());
            if (written == 0)
                Fail(target_, ERROR_DISK_FULL);
            bytes.remove_prefix(written);
        }
        if (!FlushFileBuffers(handle_))
            Fail(target_, GetLastError());
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle))
            Fail(target_, GetLastError());
    }

    void MoveIntoPlace()
    {
        if (!MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(target_, GetLastError());
        path_.clear();
    }

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

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

// The device names are ASCII: other characters only need to stay other.
std::string AsciiOf(const std::wstring& name)
{
    std::string ascii;
    for (const wchar_t c : name)
        ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return ascii;
}

}  // namespace

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    // Such a name opens the device, and what the system says then ("Invalid handle.") explains nothing.
    if (IsReservedDeviceName(AsciiOf(path.filename().native())))
        throw FileWriteError::ReservedName(path);
    CheckReplaceable(path);
    TemporaryFile file(path);
    file.Write(bytes);
    file.MoveIntoPlace();
}

}  // namespace ostrel
