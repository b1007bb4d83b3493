#include "platform/portable/memory_document.h"
#include "report/report_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

namespace ostrel {
namespace {

std::vector<std::string> Lines(const MemoryDocument& document)
{
    std::vector<std::string> lines;
    std::istringstream text(document.Text());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::string ValueOf(const std::string& line)
{
    return line.substr(27);
}

struct WriterTest : ::testing::Test {
    MemoryDocument document;
    ReportWriter writer{document};
};

TEST_F(WriterTest, ItemLinePadsAndCutsTheLabelToTwentyFourColumns)
{
    writer.AddItem("DC_DATATYPE_PRODUCED[95](DOCINFO)", "x");
    writer.AddItem("", "y");
    writer.AddItem("dmSize", "z");
    EXPECT_EQ(Lines(document), (std::vector<std::string>{"DC_DATATYPE_PRODUCED[95] : x",
                                                          "                         : y",
                                                          "dmSize                   : z"}));
}

TEST_F(WriterTest, NumbersTakeTheirHexadecimalOrUnitForm)
{
    struct Case {
        std::function<void(ReportWriter&)> write;
        const char* value;
    };
    const Case cases[] = {
        {[](ReportWriter& w) { w.AddItemWord("l", 1025, ""); }, "0x0401"},
        {[](ReportWriter& w) { w.AddItemWord("l", 220, "bytes"); }, "220 bytes"},
        {[](ReportWriter& w) { w.AddItemWord("l", 65535, "bytes"); }, "65535 bytes"},
        {[](ReportWriter& w) { w.AddItemWord("l", 65535, ""); }, "0xFFFF"},
        {[](ReportWriter& w) { w.AddItemShort("l", 2970, "(0.1mm)"); }, "2970 (0.1mm)"},
        {[](ReportWriter& w) { w.AddItemShort("l", -1, ""); }, "-1"},
        {[](ReportWriter& w) { w.AddItemShort("l", -1, "(0.1mm)"); }, "-1 (0.1mm)"},
        {[](ReportWriter& w) { w.AddItemLong("l", 0xFFFFFFFF, "", false); }, "0xFFFFFFFF"},
        {[](ReportWriter& w) { w.AddItemLong("l", 0xFFFFFFFF, "pixels", false); }, "4294967295 pixels"},
        {[](ReportWriter& w) { w.AddItemLong("l", 0xFFFFFFFF, "pixels", true); }, "*** NOT SUPPORTED ***"},
        {[](ReportWriter& w) { w.AddItemLong("l", 600, "dpi", true); }, "600 dpi"},
        {[](ReportWriter& w) { w.AddItemLong("l", 1024, " ", true); }, "1024"},
        {[](ReportWriter& w) { w.AddItemLong("l", 7, "ppm \t", true); }, "7 ppm"},
        {[](ReportWriter& w) { w.AddItemLong("l", 7, "ppm\x7F \x7F", true); }, "7 ppm"},
        {[](ReportWriter& w) { w.AddItemShort("l", 3, "\x7F"); }, "3"},
        {[](ReportWriter& w) { w.AddItemLongLong("l", 1, ""); }, "0x0000000000000001"},
        {[](ReportWriter& w) { w.AddItemLongLong("l", 18446744073709551615ull, "bytes"); }, "18446744073709551615 bytes"},
    };
    for (const Case& c : cases) {
        document.Clear();
        c.write(writer);
        ASSERT_EQ(Lines(document).size(), 1u) << c.value;
        EXPECT_EQ(ValueOf(Lines(document)[0]), c.value);
    }
}

TEST_F(WriterTest, FormatEmptiesTheLabelSoARunIsLabelledOnce)
{
    std::string label = "DC_NUP[2000]";
    writer.AddItemFormat(label, "%3u pages per printed page", 1u);
    writer.AddItemFormat(label, "%s", OrNull(nullptr));
    EXPECT_TRUE(label.empty());
    EXPECT_EQ(Lines(document), (std::vector<std::string>{"DC_NUP[2000]             :   1 pages per printed page",
                                                          "                         : (null)"}));
}

TEST_F(WriterTest, StringListsGiveAContinuationLinePerFurtherText)
{
    const char list[] = "first\0second\0third\0";
    writer.AddItemString("pDependentFiles", list, true);
    writer.AddItemString("single", list, false);
    writer.AddItemString("absent", nullptr, true);
    writer.AddItemString("empty", "\0ignored\0", true);
    EXPECT_EQ(Lines(document), (std::vector<std::string>{
                                   "pDependentFiles          : first",
                                   "                         : second",
                                   "                         : third",
                                   "single                   : first",
                                   "absent                   : ",
                                   "empty                    : ",
                               }));
}

TEST_F(WriterTest, FileTimePrintsMillisecondsWithoutLeadingZeros)
{
    // 2005-03-01 12:34:56 as 100-nanosecond ticks since 1601.
    const std::uint64_t base = 127541540960000000ull;
    const struct {
        unsigned milliseconds;
        const char* value;
    } cases[] = {{7, "2005/03/01 12:34:56.7"}, {50, "2005/03/01 12:34:56.50"}, {500, "2005/03/01 12:34:56.500"}};
    for (const auto& c : cases) {
        document.Clear();
        const std::uint64_t ticks = base + c.milliseconds * 10000ull;
        writer.AddItemFileTime("ftDriverDate", FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)});
        EXPECT_EQ(ValueOf(Lines(document)[0]), c.value);
    }
}

TEST_F(WriterTest, HexDumpLinesUpSixteenBytesAndShowsTheBaseOffset)
{
    BYTE bytes[20];
    for (int i = 0; i < 20; ++i)
        bytes[i] = static_cast<BYTE>(0x41 + i);
    bytes[19] = 0x00;
    writer.AddItemHexDump("Extra", bytes, 20, 0);
    writer.AddItemHexDump("Extra", bytes, 20, 220);
    writer.AddItemHexDump("Extra", bytes, 0, 220);
    const std::string hexLine = " 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50";
    const std::string tail = " 51 52 53 00" + std::string(36, ' ');
    EXPECT_EQ(Lines(document), (std::vector<std::string>{
                                   "Extra                    : 0000 :" + hexLine + " : ABCDEFGHIJKLMNOP",
                                   "                         : 0010 :" + tail + " : QRS.",
                                   "Extra                    : 0000 (00DC) :" + hexLine + " : ABCDEFGHIJKLMNOP",
                                   "                         : 0010 (00EC) :" + tail + " : QRS.",
                               }));
}

TEST_F(WriterTest, EnumNamesTheValueInLowerCaseHexadecimal)
{
    writer.AddItemEnum("dmPaperSize", 9, PaperNames, false);
    writer.AddItemEnum("dmPaperSize", 0x200, PaperNames, false);
    writer.AddItemEnum("dmPrintQuality", -2, PrintQualityNames, false);
    writer.AddItemEnum("dmPrintQuality", -1, PrintQualityNames, true);
    EXPECT_EQ(Lines(document), (std::vector<std::string>{
                                   "dmPaperSize              : 0x00000009: DMPAPER_A4",
                                   "dmPaperSize              : 0x00000200: (null)",
                                   "dmPrintQuality           : 0xfffffffe: DMRES_LOW",
                                   "dmPrintQuality           : *** NOT SUPPORTED ***",
                               }));
}

TEST_F(WriterTest, FlagsGiveALinePerNamedGroupAndKeepUnnamedBits)
{
    const struct {
        std::int32_t value;
        const NameEntry* table;
        const char* label;
        std::vector<std::string> lines;
    } cases[] = {
        {0x11, PrinterStatusNames, "Status",
         {"Status                   : 0x00000001: PRINTER_STATUS_PAUSED",
          "                         : 0x00000010: PRINTER_STATUS_PAPER_OUT"}},
        {static_cast<std::int32_t>(0x80000001u), PrinterStatusNames, "Status",
         {"Status                   : 0x00000001: PRINTER_STATUS_PAUSED", "                         : 0x80000000: (null)"}},
        {0, PrinterStatusNames, "Status", {"Status                   : 0x00000000: (null)"}},
        {0, PrinterStatusNames, "", {}},
        {0x4, PrinterEnumFlagNames, "Flags", {"Flags                    : 0x00000004: PRINTER_ENUM_CONNECTIONS"}},
        {-1, PrinterStatusNames, "dwStatus", {"dwStatus                 : *** NOT SUPPORTED ***"}},
    };
    for (const auto& c : cases) {
        document.Clear();
        writer.AddItemFlags(c.label, c.value, c.table, true);
        EXPECT_EQ(Lines(document), c.lines) << c.value;
    }
}

TEST_F(WriterTest, SectionTitleIsStyledAndFramedByBlankLines)
{
    writer.AddSectionTitle("Ostrel");
    writer.AddLine("x");
    writer.AddSectionTitle("PRINTER_INFO_1");
    EXPECT_EQ(Lines(document), (std::vector<std::string>{"- Ostrel -", "", "x", "", "- PRINTER_INFO_1 -", ""}));

    const CharFormat title = document.FormatAt(0);
    EXPECT_EQ(title, (CharFormat{"Times New Roman", 18, StyleBold | StyleUnderline, ColorBlack}));
    EXPECT_EQ(document.FormatAt(9), title);
    EXPECT_EQ(document.FormatAt(10), MemoryDocument::DefaultFormat());  // the line break stays plain
    EXPECT_EQ(document.FormatAt(12), MemoryDocument::DefaultFormat());
    EXPECT_EQ(document.SelectionStart(), document.TextLength());
}

TEST_F(WriterTest, MarkingColoursEveryMarkerWhereverItStands)
{
    writer.AddNotSupported();
    writer.AddItem("DC_STAPLE[2000]", NotSupportedText);
    writer.AddItem("value", "*** not supported *** in lower case");
    writer.AddExceptionOccurred();
    const std::string before = document.Text();
    writer.MarkNotSupported();
    writer.MarkExceptions();

    EXPECT_EQ(document.Text(), before);
    const CharFormat notSupported{"Arial", 9, StyleBold, ColorRed};
    const CharFormat exception{"Times New Roman", 9, StyleBold | StyleItalic, ColorRed};
    for (const std::string& marker : {std::string(NotSupportedText), std::string("*** not supported ***")}) {
        for (int at = document.Find(marker, 0, document.TextLength()); at >= 0;
             at = document.Find(marker, at + 1, document.TextLength())) {
            EXPECT_EQ(document.FormatAt(at).fontName, notSupported.fontName);
            EXPECT_EQ(document.FormatAt(at + 20).color, ColorRed);
            EXPECT_EQ(document.FormatAt(at + 20).styles, notSupported.styles);
            EXPECT_EQ(document.FormatAt(at + 21), MemoryDocument::DefaultFormat());
        }
    }
    const int exceptionAt = document.Find(ExceptionOccurredText, 0, document.TextLength());
    EXPECT_EQ(document.FormatAt(exceptionAt).fontName, exception.fontName);
    EXPECT_EQ(document.FormatAt(exceptionAt).styles, exception.styles);
    EXPECT_EQ(document.FormatAt(0).sizePoints, MemoryDocument::DefaultFormat().sizePoints);  // size untouched
    EXPECT_EQ(document.FormatAt(22), MemoryDocument::DefaultFormat());                       // the label stays plain
    EXPECT_EQ(document.SelectionStart(), document.TextLength());
    EXPECT_EQ(document.SelectionLength(), 0);
    EXPECT_NE(document.Rtf(1252).find("\\cf2"), std::string::npos);
}

}  // namespace
}  // namespace ostrel
