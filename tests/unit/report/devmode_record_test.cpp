#include "report/devmode_record.h"

#include "platform/data_fault.h"
#include "platform/portable/description_values.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ostrel {
namespace {

std::unique_ptr<DevModeRecord> Record(const std::vector<BYTE>& bytes)
{
    return CopyDevMode(bytes.data(), bytes.size());
}

TEST(CopyDevMode, TakesExactlyDmSizePlusDmDriverExtraBytes)
{
    std::vector<BYTE> bytes = DevModeOfJson(Json{{"dmSize", 148}, {"extra", "0102"}});
    bytes.resize(bytes.size() + 30, 0xEE);  // what follows the record in its buffer is not part of it
    const std::unique_ptr<DevModeRecord> copy = Record(bytes);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Size(), 150u);
    EXPECT_EQ(copy->Word(148), 0x0201);
    EXPECT_THROW(copy->Bytes(150, 1), DataFault);
    EXPECT_EQ(CopyDevMode(nullptr, 0), nullptr);
}

TEST(CopyDevMode, RecordThatDoesNotFitItsMemoryIsADataFault)
{
    const std::vector<BYTE> bytes = DevModeOfJson(Json{{"extra", "0102"}});
    EXPECT_THROW(CopyDevMode(bytes.data(), bytes.size() - 1), DataFault);
    // Too short even to say how long it is.
    EXPECT_THROW(CopyDevMode(bytes.data(), 39), DataFault);
}

// Variants of one full record with private bytes, each compared with the record itself.
TEST(DevModesEqual, ComparesTheFieldsDmSizeCoversAndThePrivateBytes)
{
    const Json base = {{"dmDeviceName", "Laser"}, {"dmPaperSize", 9},      {"dmFormName", "A4"},
                       {"dmPanningHeight", 7},    {"dmSize", 160},         {"extra", "0102"}};
    const auto changed = [&](const char* field, Json value) {
        Json copy = base;
        copy[field] = std::move(value);
        return DevModeOfJson(copy);
    };
    const auto poked = [&](std::size_t offset, BYTE value) {
        std::vector<BYTE> bytes = DevModeOfJson(base);
        bytes.at(offset) = value;
        return bytes;
    };
    const struct {
        const char* what;
        std::vector<BYTE> other;
        bool equal;
    } cases[] = {
        {"the same record", DevModeOfJson(base), true},
        {"bytes between the layout's end and dmSize", poked(157, 0xEE), true},
        {"device name after its end", poked(6, 'x'), true},
        {"a private byte", poked(161, 0x03), false},
        {"device name", changed("dmDeviceName", "Laser2"), false},
        {"a fixed number", changed("dmPaperSize", 1), false},
        {"form name", changed("dmFormName", "A3"), false},
        {"the last size-dependent field", changed("dmPanningHeight", 8), false},
        {"dmSize", changed("dmSize", 156), false},
        {"dmDriverExtra", changed("extra", "010203"), false},
    };
    const std::unique_ptr<DevModeRecord> record = Record(DevModeOfJson(base));
    for (const auto& c : cases) {
        const std::unique_ptr<DevModeRecord> other = Record(c.other);
        EXPECT_EQ(DevModesEqual(other.get(), record.get()), c.equal) << c.what;
        EXPECT_EQ(DevModesEqual(record.get(), other.get()), c.equal) << c.what;
    }
    EXPECT_FALSE(DevModesEqual(record.get(), nullptr));
    EXPECT_FALSE(DevModesEqual(nullptr, record.get()));
    EXPECT_FALSE(DevModesEqual(nullptr, nullptr));
}

TEST(DevModesEqual, ShortRecordsFaultOnlyWhenTheComparisonReachesBeyondThem)
{
    const std::unique_ptr<DevModeRecord> full = Record(DevModeOfJson(Json::object()));
    // dmSize 20 in a full buffer: the copy holds 20 bytes, not even its own name.
    std::vector<BYTE> tinySource = DevModeOfJson(Json::object());
    tinySource[36] = 20;
    const std::unique_ptr<DevModeRecord> tiny = Record(tinySource);
    ASSERT_EQ(tiny->Size(), 20u);
    const std::unique_ptr<DevModeRecord> shortOne = Record(DevModeOfJson(Json{{"dmSize", 50}}));
    const std::unique_ptr<DevModeRecord> shortTwo = Record(DevModeOfJson(Json{{"dmSize", 50}}));
    EXPECT_FALSE(DevModesEqual(full.get(), tiny.get()));
    EXPECT_FALSE(DevModesEqual(tiny.get(), full.get()));
    EXPECT_FALSE(DevModesEqual(full.get(), shortOne.get()));
    EXPECT_THROW(DevModesEqual(shortOne.get(), shortTwo.get()), DataFault);
    EXPECT_THROW(DevModesEqual(tiny.get(), tiny.get()), DataFault);
}

}  // namespace
}  // namespace ostrel
