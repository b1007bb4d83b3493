#include "platform/temporary_file_name.h"

#include <cstdio>
#include <mutex>
#include <random>

namespace ostrel {

std::filesystem::path TemporaryFileNameBeside(const std::filesystem::path& target)
{
    static std::mutex mutex;
    static std::mt19937_64 random{std::random_device{}()};
    unsigned long long value;
    {
        const std::lock_guard lock(mutex);
        value = random();
    }
    char name[32];
    std::snprintf(name, sizeof name, "~ostrel-%016llx.tmp", value);
    return target.parent_path() / name;
}

}  // namespace ostrel
