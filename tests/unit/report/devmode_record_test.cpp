#include "report/devmode_record.h"

#include "platform/data_fault.h"
#include "platform/portable/description_values.h"
#include "platform/portable/scripted_spooler.h"
#include "platform/forwarding_spooler.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <strings.h>
#include <vector>

namespace ostrel {
namespace {

std::unique_ptr<DevModeRecord> Record(const std::vector<BYTE>& bytes)
{
    return CopyDevMode(bytes.data(), bytes.size());
}

// Compares texts byte for byte, as the portable system does.
ScriptedSpooler bytewise;

bool Equal(const std::unique_ptr<DevModeRecord>& a, const std::unique_ptr<DevModeRecord>& b)
{
    return DevModesEqual(bytewise, a.get(), b.get());
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
        EXPECT_EQ(Equal(other, record), c.equal) << c.what;
        EXPECT_EQ(Equal(record, other), c.equal) << c.what;
    }
    EXPECT_FALSE(Equal(record, nullptr));
    EXPECT_FALSE(Equal(nullptr, record));
    EXPECT_FALSE(Equal(nullptr, nullptr));
}

// Records too short for the fields the comparison reads compare in the bytes both copies hold.
TEST(DevModesEqual, ShortRecordsCompareInTheBytesTheyHold)
{
    const std::unique_ptr<DevModeRecord> full = Record(DevModeOfJson(Json::object()));
    // dmSize 20 in a full buffer: the copy holds 20 bytes, not even its own size fields.
    std::vector<BYTE> tinySource = DevModeOfJson(Json{{"dmDeviceName", "Tiny"}});
    tinySource[36] = 20;
    const std::unique_ptr<DevModeRecord> tiny = Record(tinySource);
    ASSERT_EQ(tiny->Size(), 20u);
    std::vector<BYTE> otherTinySource = tinySource;
    otherTinySource[3] = 'x';
    const std::unique_ptr<DevModeRecord> otherTiny = Record(otherTinySource);
    const std::unique_ptr<DevModeRecord> shortOne = Record(DevModeOfJson(Json{{"dmSize", 50}, {"extra", "01"}}));
    const std::unique_ptr<DevModeRecord> shortTwo = Record(DevModeOfJson(Json{{"dmSize", 50}, {"extra", "01"}}));
    const std::unique_ptr<DevModeRecord> shortOther = Record(DevModeOfJson(Json{{"dmSize", 50}, {"extra", "02"}}));
    EXPECT_TRUE(Equal(shortOne, shortTwo));
    EXPECT_TRUE(Equal(tiny, tiny));
    EXPECT_FALSE(Equal(shortOne, shortOther));
    EXPECT_FALSE(Equal(tiny, otherTiny));
    EXPECT_FALSE(Equal(full, tiny));
    EXPECT_FALSE(Equal(tiny, full));
    EXPECT_FALSE(Equal(full, shortOne));
    EXPECT_FALSE(Equal(shortOne, full));
}

// The driver's own buffer may be larger than its record says: the bytes past the record do not
// count, and a buffer cut short of the record differs from a whole copy.
TEST(DevModesEqual, DriverBufferComparesAsTheRecordItHolds)
{
    const std::vector<BYTE> bytes = DevModeOfJson(Json{{"dmDeviceName", "Laser"}, {"extra", "0102"}});
    const std::unique_ptr<DevModeRecord> copy = Record(bytes);
    std::vector<BYTE> larger = bytes;
    larger.resize(bytes.size() + 40, 0xEE);
    const std::unique_ptr<DevModeRecord> whole = DevModeOfBuffer(larger.data(), larger.size());
    EXPECT_EQ(whole->Size(), larger.size());
    EXPECT_TRUE(Equal(whole, copy));
    EXPECT_TRUE(Equal(copy, whole));
    EXPECT_FALSE(Equal(DevModeOfBuffer(bytes.data(), 100), copy));
    EXPECT_FALSE(Equal(copy, DevModeOfBuffer(bytes.data(), bytes.size() - 1)));
}

// The names are the system's to compare: one whose comparison ignores letter case folds records
// that differ only in the case of their names.
TEST(DevModesEqual, NamesCompareThroughTheSystem)
{
    struct CaselessSystem : ForwardingSpooler {
        using ForwardingSpooler::ForwardingSpooler;
        int calls = 0;
        int lstrcmpA(const char* a, const char* b) override
        {
            ++calls;
            return strcasecmp(a, b);
        }
    } caseless(bytewise);
    const std::unique_ptr<DevModeRecord> upper = Record(DevModeOfJson(Json{{"dmDeviceName", "LASER"}, {"dmFormName", "A4"}}));
    const std::unique_ptr<DevModeRecord> lower = Record(DevModeOfJson(Json{{"dmDeviceName", "laser"}, {"dmFormName", "a4"}}));
    EXPECT_FALSE(Equal(upper, lower));
    EXPECT_TRUE(DevModesEqual(caseless, upper.get(), lower.get()));
    EXPECT_EQ(caseless.calls, 2);
}

}  // namespace
}  // namespace ostrel
