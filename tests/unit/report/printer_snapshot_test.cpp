#include "report/printer_snapshot.h"

#include "platform/forwarding_spooler.h"
#include "tests/unit/report/scripted_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace ostrel {
namespace {

std::string ReportOf(Spooler& spooler)
{
    MemoryDocument document;
    ReportBuilder(spooler, document).MakeReport("P");
    return document.Text();
}

Json Description(const Json& printer, const Json& system)
{
    Json described = printer;
    described["name"] = "P";
    return Json{{"system", system}, {"printers", Json::array({described})}};
}

// What the driver answered, garbage included, renders from the snapshot as the printer's own report.
TEST(PrinterSnapshot, RendersTheReportOfThePrinterItWasTakenFrom)
{
    const auto grown = [](Json entries) { return Json{{"answer", 1}, {"fill_answer", 2}, {"entries", entries}}; };
    const Json dataTypes = Json::array(
        {{{"cbSize", 20}, {"lpszDatatype", "RAW"}, {"fwType", 1}}, {{"cbSize", 36}, {"lpszDatatype", "EMF"}, {"fwType", 1}}});
    const Json laser = {{"dmDeviceName", "Laser"}, {"extra", "0102"}};
    const struct {
        const char* what;
        Json printer;
        Json system;
    } cases[] = {
        {"lists that grew between the calls",
         {{"capabilities", {{"DC_BINNAMES", grown({"Upper", "Lower"})}, {"DC_BINS", grown({1, 2})}}}},
         Json::object()},
        {"data types of a 32-bit capture", {{"capabilities", {{"DC_DATATYPE_PRODUCED", dataTypes}}}}, Json::object()},
        {"data types of a 64-bit capture",
         {{"capabilities", {{"DC_DATATYPE_PRODUCED", dataTypes}}}},
         {{"layout", "win64"}}},
        {"sizes beyond any real record",
         {{"capabilities", {{"DC_NUP", 1073741815}}},
          {"printer_info", {{"2", {{"record_size", 4294967295u}}}, {"8", {{"pDevMode", laser}}}}},
          {"driver_info", {{"3", {{"record_size", 100u << 20}}}}},
          {"document_properties", {{"devmode", laser}, {"size", 0x7FFFFFFF}}}},
         Json::object()},
        {"a driver buffer larger and one shorter than the record",
         {{"printer_info", {{"2", {{"pDevMode", laser}}}}},
          {"document_properties", {{"devmode", laser}, {"size", 300}}}},
         {{"current_printer", {{"name", "P"}, {"devmode", {{"hex", "4C61736572000000"}}}}}}},
    };
    for (const auto& c : cases) {
        ScriptedSpooler original;
        original.Load(Description(c.printer, c.system), "original");
        const Json snapshot = SnapshotPrinter(original, "P");
        EXPECT_EQ(snapshot["system"]["layout"], c.system.value("layout", "win32")) << c.what;
        ScriptedSpooler copy;
        copy.Load(snapshot, "snapshot");
        EXPECT_EQ(ReportOf(copy), ReportOf(original)) << c.what << "\n" << snapshot.dump(1);
    }
}

// A device mode may lie at any address in the spooler's buffer.
TEST(PrinterSnapshot, ReadsADeviceModeAtAnUnalignedAddress)
{
    struct UnalignedDevMode : ForwardingSpooler {
        using ForwardingSpooler::ForwardingSpooler;
        std::vector<BYTE> devMode = DevModeOfJson(Json{{"dmDeviceName", "Odd"}, {"extra", "0A0B"}});
        bool GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed) override
        {
            if (level != 2)
                return inner_.GetPrinterA(handle, level, buffer, size, needed);
            const std::size_t at = sizeof(PRINTER_INFO_2A) + 1;
            *needed = static_cast<DWORD>(at + devMode.size());
            if (buffer == nullptr || size < *needed)
                return false;
            PRINTER_INFO_2A record{};
            record.pDevMode = reinterpret_cast<DEVMODEA*>(buffer + at);
            std::memcpy(buffer, &record, sizeof record);
            std::memcpy(buffer + at, devMode.data(), devMode.size());
            return true;
        }
    };
    ScriptedSpooler scripted;
    scripted.Load(Description(Json::object(), Json::object()), "test");
    UnalignedDevMode spooler(scripted);
    const Json snapshot = SnapshotPrinter(spooler, "P");
    EXPECT_EQ(snapshot["printers"][0]["printer_info"]["2"]["pDevMode"],
              (Json{{"hex", HexOfBytes(spooler.devMode.data(), spooler.devMode.size())}}));
}

TEST(PrinterSnapshot, DeviceModeHandleThatDoesNotLockIsNotUnlocked)
{
    struct Unlockable : ForwardingSpooler {
        using ForwardingSpooler::ForwardingSpooler;
        int unlocks = 0;
        const void* GlobalLock(DevModeHandle) override { return nullptr; }
        void GlobalUnlock(DevModeHandle) override { ++unlocks; }
    };
    ScriptedSpooler scripted;
    scripted.Load(Description(Json::object(), {{"current_printer", {{"name", "P"}, {"devmode", {{"dmSize", 156}}}}}}),
                  "test");
    Unlockable spooler(scripted);
    const Json snapshot = SnapshotPrinter(spooler, "P");
    EXPECT_TRUE(snapshot["system"]["current_printer"]["devmode"].is_null());
    EXPECT_EQ(spooler.unlocks, 0);
}

}  // namespace
}  // namespace ostrel
