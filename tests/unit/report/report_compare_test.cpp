#include "report/report_compare.h"

#include <gtest/gtest.h>

namespace ostrel {
namespace {

ReportValue Numbered(std::uint64_t number, const std::string& text)
{
    ReportValue value;
    value.text = text;
    value.raw = number;
    return value;
}

ReportValue Text(const std::string& text)
{
    ReportValue value;
    value.text = text;
    return value;
}

ReportItem List(const std::string& label, std::vector<ReportValue> values)
{
    return {label, true, std::move(values)};
}

// Entries that share a number (drivers list several user-defined papers as 256) pair in order,
// and a section or a line that only one side has is named with its values.
TEST(CompareReports, RepeatedNumbersPairInOrderAndMissingSectionsShowTheirValues)
{
    StructuredReport a{"P",
                       {{"Ostrel", {List("DC_PAPERS", {Numbered(256, "User 1"), Numbered(256, "User 2")})}},
                        {"Gone", {{std::nullopt, false, {Text("Same as Default")}}}}}};
    StructuredReport b{"P", {{"Ostrel", {List("DC_PAPERS", {Numbered(256, "User 1"), Numbered(256, "User 2b"),
                                                            Numbered(256, "User 3")})}}}};
    const std::vector<SectionDifferences> differences = CompareReports(a, b);
    EXPECT_EQ(DifferencesText(differences), "- Ostrel -\r\n"
                                            "DC_PAPERS                : changed: User 2  |  User 2b\r\n"
                                            "                         : only in B: User 3\r\n"
                                            "\r\n"
                                            "- Gone -\r\n"
                                            "                         : only in A: Same as Default\r\n");
    EXPECT_TRUE(CompareReports(b, b).empty());
    EXPECT_EQ(DifferencesText({}), "Same.\r\n");
}

}  // namespace
}  // namespace ostrel
