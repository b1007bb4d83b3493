#include "desktop/printer_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace ostrel {
namespace {

// The list control's entries; a window is named after its entry.
class FakeEntries final : public PrinterEntries {
public:
    struct Entry {
        std::string text;
        bool window = false;
    };

    explicit FakeEntries(std::vector<Entry> entries) : entries_(std::move(entries)) {}

    int Count() const override { return static_cast<int>(entries_.size()); }
    std::string Text(int index) const override { return entries_.at(static_cast<std::size_t>(index)).text; }
    void Insert(int index, const std::string& text) override
    {
        ASSERT_LE(index, Count()) << "a list control refuses an index past its end";
        entries_.insert(entries_.begin() + index, Entry{text});
    }
    void CloseWindow(int index) override
    {
        Entry& entry = entries_.at(static_cast<std::size_t>(index));
        if (entry.window)
            closed.push_back(entry.text);
        entry.window = false;
    }
    void Remove(int index) override
    {
        ASSERT_FALSE(entries_.at(static_cast<std::size_t>(index)).window) << "removed before its window closed";
        entries_.erase(entries_.begin() + index);
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Entry& entry : entries_)
            texts.push_back(entry.text);
        return texts;
    }
    bool HasWindow(const std::string& text) const
    {
        for (const Entry& entry : entries_)
            if (entry.text == text)
                return entry.window;
        return false;
    }

    std::vector<std::string> closed;

private:
    std::vector<Entry> entries_;
};

using Texts = std::vector<std::string>;

void Refresh(FakeEntries& entries, const Texts& printers)
{
    AddNewPrinters(entries, printers, EqualsIgnoringAsciiCase);
    RemoveVanishedPrinters(entries, printers, EqualsIgnoringAsciiCase);
}

TEST(PrinterEntries, FirstRefreshListsThePrintersInOrder)
{
    FakeEntries entries({});
    Refresh(entries, {"A", "B", "C"});
    EXPECT_EQ(entries.Texts(), (Texts{"A", "B", "C"}));
}

TEST(PrinterEntries, NewPrinterTakesItsPositionAndOthersKeepTheirWindows)
{
    FakeEntries entries({{"A", true}, {"C", true}});
    Refresh(entries, {"A", "B", "C"});
    EXPECT_EQ(entries.Texts(), (Texts{"A", "B", "C"}));
    EXPECT_TRUE(entries.HasWindow("A"));
    EXPECT_TRUE(entries.HasWindow("C"));
    EXPECT_FALSE(entries.HasWindow("B"));
    EXPECT_TRUE(entries.closed.empty());
}

TEST(PrinterEntries, AdjacentVanishedPrintersAreBothRemovedAndTheirWindowsClosed)
{
    FakeEntries entries({{"A"}, {"B", true}, {"C", true}, {"D"}});
    Refresh(entries, {"A", "D"});
    EXPECT_EQ(entries.Texts(), (Texts{"A", "D"}));
    EXPECT_EQ(entries.closed, (Texts{"B", "C"}));
}

TEST(PrinterEntries, EmptyEnumerationEmptiesTheList)
{
    FakeEntries entries({{"A", true}, {"B"}});
    Refresh(entries, {});
    EXPECT_TRUE(entries.Texts().empty());
    EXPECT_EQ(entries.closed, (Texts{"A"}));
}

TEST(PrinterEntries, RenamedPrinterReplacesTheOldEntry)
{
    FakeEntries entries({{"Old", true}, {"B"}});
    Refresh(entries, {"New", "B"});
    EXPECT_EQ(entries.Texts(), (Texts{"New", "B"}));
    EXPECT_EQ(entries.closed, (Texts{"Old"}));
}

TEST(PrinterEntries, TextsMatchWithoutRegardToLetterCase)
{
    FakeEntries entries({{"office", true}});
    Refresh(entries, {"OFFICE"});
    EXPECT_EQ(entries.Texts(), (Texts{"office"}));
    EXPECT_TRUE(entries.closed.empty());
    EXPECT_EQ(FindEntry(entries, "Office", EqualsIgnoringAsciiCase), 0);
    EXPECT_EQ(FindEntry(entries, "Offic", EqualsIgnoringAsciiCase), -1);
}

TEST(PrinterEntries, PrintersThatDifferOnlyInCaseNeverInsertPastTheEnd)
{
    FakeEntries entries({});
    Refresh(entries, {"a", "A", "b"});
    EXPECT_EQ(entries.Texts(), (Texts{"a", "b"}));
}

TEST(PrinterEntries, ShellNamesOfAnEntry)
{
    const struct {
        const char* entry;
        Texts names;
    } cases[] = {
        {"Laser", {"Laser"}},
        {"\\\\srv\\laser", {"\\\\srv\\laser", "laser - srv"}},
        {"\\\\srv", {"\\\\srv"}},  // no printer part: nothing further to try
        {"Laser. LPT1:", {"Laser. LPT1:", "Laser"}},
        {"\\\\srv\\a. b", {"\\\\srv\\a. b", "a. b - srv", "\\\\srv\\a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShellNamesForEntry(c.entry), c.names) << c.entry;
}

TEST(PrinterEntries, ShellNameLookupTriesTheEntryFirstThenItsOtherNames)
{
    const Texts shell{"Add Printer", "laser - srv", "Ink", "Laser. LPT1:x"};
    EXPECT_EQ(FindShellName(shell, "\\\\SRV\\Laser", EqualsIgnoringAsciiCase), 1);
    EXPECT_EQ(FindShellName(shell, "Ink. LPT2:", EqualsIgnoringAsciiCase), 2);
    EXPECT_EQ(FindShellName(shell, "ink", EqualsIgnoringAsciiCase), 2);
    EXPECT_EQ(FindShellName(shell, "Missing", EqualsIgnoringAsciiCase), -1);
    EXPECT_EQ(FindShellName({}, "Ink", EqualsIgnoringAsciiCase), -1);
}

}  // namespace
}  // namespace ostrel
