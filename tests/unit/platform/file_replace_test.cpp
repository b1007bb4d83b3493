#include "platform/file_replace.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ostrel {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::set<std::string> Listing(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct FileReplaceTest : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("ostrel-replace-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    // A failed write names the file and the system's reason, and leaves the folder as it was.
    void ExpectFailureLeavesFolderAlone(const fs::path& target, std::string_view bytes, const std::string& reason)
    {
        const fs::path where = target.parent_path();
        const bool exists = fs::exists(where);
        const std::set<std::string> before = exists ? Listing(where) : std::set<std::string>{};
        const std::string old = fs::is_regular_file(target) ? ReadFile(target) : "";

        try {
            WriteFileReplacing(target, bytes);
            ADD_FAILURE() << "no failure writing " << target;
        } catch (const FileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "cannot write " + target.string() + ": " + reason);
            // The parts, for a program that words the message its own way.
            EXPECT_EQ(error.path, target);
            EXPECT_EQ(error.systemReason, reason);
            EXPECT_FALSE(error.reservedName);
        }
        if (exists) {
            EXPECT_EQ(Listing(where), before);
        }
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(ReadFile(target), old);
        }
    }
};

TEST_F(FileReplaceTest, ReplacesTheFileAndLeavesNothingElse)
{
    const fs::path target = folder / "report.txt";
    std::ofstream(folder / "report.txt.partial") << "the user's";
    for (const std::string& content : {std::string("first\r\n"), std::string(300000, 'x'), std::string()}) {
        WriteFileReplacing(target, content);
        EXPECT_EQ(ReadFile(target), content);
        EXPECT_EQ(Listing(folder), (std::set<std::string>{"report.txt", "report.txt.partial"}));
    }
    EXPECT_EQ(ReadFile(folder / "report.txt.partial"), "the user's");

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileReplacing(target, "private");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileReplaceTest, MissingFolderOrAFolderInTheWayFails)
{
    ExpectFailureLeavesFolderAlone(folder / "gone" / "r.txt", "text", "No such file or directory");
    fs::create_directory(folder / "taken.txt");
    std::ofstream(folder / "taken.txt" / "inside") << "kept";
    ExpectFailureLeavesFolderAlone(folder / "taken.txt", "text", "Is a directory");
    EXPECT_EQ(ReadFile(folder / "taken.txt" / "inside"), "kept");
}

// The process's file size limit makes every write past it fail, as a full disk does.
TEST_F(FileReplaceTest, FailedWriteKeepsTheOldFile)
{
    const fs::path target = folder / "report.txt";
    std::ofstream(target) << "old";
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);

    ExpectFailureLeavesFolderAlone(target, std::string(513, 'x'), "File too large");

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
}

// A real full disk and a read-only folder, on file systems mounted in a mount namespace of this
// process alone, so nothing outlives the test run. Needs the right to mount; skipped without it.
TEST_F(FileReplaceTest, FullDiskAndReadOnlyFolderKeepTheOldFile)
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no right to mount here";

    const fs::path full = folder / "full";
    fs::create_directory(full);
    ASSERT_EQ(::mount("tmpfs", full.c_str(), "tmpfs", 0, "size=64k"), 0);
    std::ofstream(full / "report.txt") << "old";
    {
        // Fill the disk to its last byte, so that even the smallest output finds no room.
        std::ofstream filler(full / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()))
            filler.flush();
    }
    ExpectFailureLeavesFolderAlone(full / "report.txt", "short", "No space left on device");
    ExpectFailureLeavesFolderAlone(full / "new.txt", "short", "No space left on device");
    EXPECT_EQ(::umount(full.c_str()), 0);

    const fs::path readOnly = folder / "read-only";
    fs::create_directory(readOnly);
    std::ofstream(readOnly / "report.txt") << "old";
    ASSERT_EQ(::mount(readOnly.c_str(), readOnly.c_str(), nullptr, MS_BIND, nullptr), 0);
    ASSERT_EQ(::mount(nullptr, readOnly.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
    ExpectFailureLeavesFolderAlone(readOnly / "report.txt", "new", "Read-only file system");
    EXPECT_EQ(::umount(readOnly.c_str()), 0);
}

}  // namespace
}  // namespace ostrel
