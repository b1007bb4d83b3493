#include "platform/portable/scripted_spooler.h"
#include "platform/printer_list.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

ScriptedSpooler Spooler(const char* family, Json printers)
{
    ScriptedSpooler spooler;
    spooler.Load(Json{{"system", {{"family", family}}}, {"printers", printers}}, "test");
    return spooler;
}

TEST(PrinterList, NtFamilyListsEveryPrinterByName)
{
    ScriptedSpooler spooler = Spooler("nt", Json::array({Json{{"name", "Laser"}}, Json{{"name", "\\\\srv\\Ink"}}}));
    PrinterList list(spooler);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"Laser", "\\\\srv\\Ink"}));
    EXPECT_EQ(list.IndexOf("LASER"), 0);
    EXPECT_EQ(list.IndexOf("\\\\SRV\\ink"), 1);
    EXPECT_EQ(list.IndexOf("Lase"), -1);
}

TEST(PrinterList, Windows95FamilyListsOneEntryPerPort)
{
    ScriptedSpooler spooler = Spooler(
        "95", Json::array({Json{{"name", "Laser"}, {"printer_info", {{"5", {{"pPrinterName", "Laser"}, {"pPortName", "LPT1:, FILE:,, COM1:"}}}}}},
                           Json{{"name", "Ink"}, {"devices", "ink.drv,LPT2:"}},
                           Json{{"name", "NoPort"}}}));
    PrinterList list(spooler);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"Laser. LPT1:", "Laser. FILE:", "Ink. LPT2:"}));
}

TEST(PrinterList, KeepsItsListUntilRefreshed)
{
    ScriptedSpooler spooler = Spooler("nt", Json::array({Json{{"name", "A"}}}));
    PrinterList list(spooler);
    EXPECT_EQ(list.Entries().size(), 1u);
    spooler.Load(Json{{"printers", Json::array({Json{{"name", "B"}}})}}, "more");
    EXPECT_EQ(list.Entries().size(), 1u);
    list.Refresh();
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"A", "B"}));
}

TEST(PrinterList, NoPrintersGivesAnEmptyList)
{
    ScriptedSpooler spooler = Spooler("nt", Json::array());
    EXPECT_TRUE(PrinterList(spooler).Entries().empty());
}

}  // namespace
}  // namespace ostrel

namespace ostrel {
namespace {

// A printer whose record in the enumeration is broken costs its own entry, not the list.
TEST(PrinterList, BrokenRecordIsLeftOutAndNamed)
{
    for (const char* family : {"nt", "95"}) {
        const char* level = family == std::string("nt") ? "4" : "5";
        ScriptedSpooler spooler = Spooler(
            family, Json::array({Json{{"name", "A"}, {"devices", "a.drv,LPT1:"}},
                                 Json{{"name", "B"}, {"printer_info", {{level, {{"pPrinterName", "B"}, {"record_size", 4}}}}}},
                                 Json{{"name", "C"}, {"devices", "c.drv,LPT2:"}}}));
        PrinterList list(spooler);
        const std::vector<std::string> expected =
            family == std::string("nt") ? std::vector<std::string>{"A", "C"} : std::vector<std::string>{"A. LPT1:", "C. LPT2:"};
        EXPECT_EQ(list.Entries(), expected) << family;
        ASSERT_EQ(list.BrokenRecords().size(), 1u) << family;
        EXPECT_EQ(list.BrokenRecords()[0].index, 1u);
        EXPECT_EQ(list.BrokenRecords()[0].reason, "pointer outside the returned buffer");
        EXPECT_EQ(*spooler.EnumeratedPrinterName(1), "B");
    }
}

}  // namespace
}  // namespace ostrel
