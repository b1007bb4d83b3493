// What the console tool's tests share: a run of the tool in this process, reading a file back, and a
// folder of their own for the files they write.
#pragma once

#include "console/report_tool.h"
#include "platform/portable/description_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace ostrel {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunReportTool(arguments, nullptr, out, err);
    return {status, out.str(), err.str()};
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A fresh folder per test, named by the prefix and the process so that parallel runs keep apart.
class ToolFolderTest : public ::testing::Test {
protected:
    explicit ToolFolderTest(const std::string& prefix)
        : folder(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid())))
    {
    }
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // The description written as a file in the folder; its path.
    std::string Write(const std::string& name, const Json& description) const
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << description.dump();
        return path.string();
    }

    const std::filesystem::path folder;
};

}  // namespace ostrel
