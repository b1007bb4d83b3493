#include "platform/file_replace.h"
#include "platform/temporary_file_name.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ostrel {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error)
{
    throw FileWriteError(path, std::strerror(error));
}

// The temporary file: closed and removed again unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) : target_(target)
    {
        // A name that exists already belongs to someone else: never open it, take another.
        for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
            path_ = TemporaryFileNameBeside(target);
            descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor_ < 0 && errno != EEXIST)
                Fail(target_, errno);
        }
        if (descriptor_ < 0)
            Fail(target_, EEXIST);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    // A replaced file keeps its permissions: a private report stays private.
    void TakePermissionsOfTarget()
    {
        struct stat existing {};
        if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
            ::fchmod(descriptor_, existing.st_mode & 07777) != 0)
            Fail(target_, errno);
    }

    void Write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(descriptor_, bytes.data(), std::min<std::size_t>(bytes.size(), 1 << 30));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                Fail(target_, written < 0 ? errno : ENOSPC);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        // Some file systems report a full disk only when the data reach it.
        if (::fsync(descriptor_) != 0)
            Fail(target_, errno);
        const int descriptor = descriptor_;
        descriptor_ = -1;
        if (::close(descriptor) != 0)
            Fail(target_, errno);
    }

    void RenameIntoPlace()
    {
        if (::rename(path_.c_str(), target_.c_str()) != 0)
            Fail(target_, errno);
        path_.clear();
    }

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    int descriptor_ = -1;
};

}  // namespace

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes)
{
    TemporaryFile file(path);
    file.TakePermissionsOfTarget();
    file.Write(bytes);
    file.RenameIntoPlace();
}

}  // namespace ostrel
