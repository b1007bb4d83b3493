#include "platform/reserved_device_names.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

TEST(ReservedDeviceNames, DevicesInAnyCaseFolderAndExtension)
{
    const struct {
        const char* path;
        bool reserved;
    } cases[] = {
        {"CON", true},          {"CON.txt", true},        {"con.TXT", true},       {"C:\\work\\Con.rtf", true},
        {"Z:/tmp/nul.rtf.txt", true}, {"PRN", true},      {"aux.txt", true},       {"COM1.txt", true},
        {"lpt9", true},         {"LPT1 .txt", true},      {"C:CON", true},         {"COM0.txt", false},
        {"COM10.txt", false},   {"LPT.txt", false},       {"CONSOLE.txt", false},  {"icon.txt", false},
        {"C:\\CON\\report.txt", false}, {"report.con", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsReservedDeviceName(c.path), c.reserved) << c.path;
}

}  // namespace
}  // namespace ostrel
