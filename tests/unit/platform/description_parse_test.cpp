#include "platform/portable/description_values.h"
#include "platform/portable/scripted_spooler.h"
#include "report/printer_snapshot.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace ostrel {
namespace {

// The message a description fails to load with, or "" when it loads.
std::string LoadError(const Json& printers, const Json& system = Json::object())
{
    try {
        ScriptedSpooler spooler;
        spooler.Load(Json{{"system", system}, {"printers", printers}}, "f.json");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

std::string LoadTextError(const std::string& text)
{
    try {
        ScriptedSpooler().LoadText(text, "f.json");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(DescriptionFile, PrintersWhoseNamesDifferOnlyInCaseAreRefused)
{
    const std::string error = LoadError(Json::array({{{"name", "Office"}}, {{"name", "Ink"}}, {{"name", "OFFICE"}}}));
    EXPECT_EQ(error, "f.json: printers \"Office\" and \"OFFICE\" differ only in letter case; one system cannot hold both");

    // Across two loads into one system as well; nothing of the refused description is kept.
    ScriptedSpooler spooler;
    spooler.Load(Json{{"printers", Json::array({{{"name", "Office"}}})}}, "a.json");
    EXPECT_THROW(spooler.Load(Json{{"printers", Json::array({{{"name", "Ink"}}, {{"name", "office"}}})}}, "b.json"),
                 std::runtime_error);
    try {
        spooler.Load(Json{{"printers", Json::array({{{"name", "Laser"}}, {{"name", "LASER"}}})}}, "c.json");
        ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("\"Laser\" and \"LASER\""), std::string::npos) << error.what();
    }
    EXPECT_TRUE(spooler.HasPrinter("OFFICE"));
    EXPECT_FALSE(spooler.HasPrinter("Ink"));
}

TEST(DescriptionFile, DeepNestingIsRefusedWithAShortMessage)
{
    constexpr int Depth = 50000;
    const std::string text =
        R"({"printers": [{"name": )" + std::string(Depth, '[') + std::string(Depth, ']') + "}]}";
    const std::string error = LoadTextError(text);
    EXPECT_EQ(error, "f.json: values nest deeper than 16 levels");

    // A value built in memory is checked the same way, without walking it recursively (nor copying it).
    Json description = {{"printers", Json::array({Json::object()})}};
    Json* innermost = &description["printers"][0]["name"];
    for (int i = 0; i < Depth; ++i)
        innermost = &(*innermost)[0];
    try {
        ScriptedSpooler().Load(description, "f.json");
        ADD_FAILURE() << "a deep value loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "f.json: values nest deeper than 16 levels");
    }

    // A large value that is not a string is quoted by a short excerpt.
    const std::string wrong = LoadError(Json::array({{{"name", Json::array({std::string(100000, 'x'), 1, 2})}}}));
    EXPECT_LT(wrong.size(), 200u) << wrong;
    EXPECT_NE(wrong.find("name: expected a string, found [\"xxx"), std::string::npos) << wrong;

    EXPECT_LT(LoadTextError(R"({"printers": [{"name": ")" + std::string(100000, 'x') + "}").size(), 300u);
}

TEST(DescriptionFile, NumbersThatDoNotFitTheirFieldAreErrorsNamingTheField)
{
    const struct {
        Json printer;
        const char* message;
    } cases[] = {
        {{{"capabilities", {{"DC_COPIES", 1e300}}}}, "capabilities: DC_COPIES: 1e+300 does not fit its field"},
        {{{"capabilities", {{"DC_COPIES", 1.5}}}}, "capabilities: DC_COPIES: 1.5 is not an integer"},
        {{{"capabilities", {{"DC_COPIES", 2147483648}}}}, "DC_COPIES: 2147483648 does not fit its field"},
        {{{"capabilities", {{"DC_PAPERS", {9, 70000}}}}}, "DC_PAPERS: entry 1: 70000 does not fit its field"},
        {{{"capabilities", {{"DC_BINS", {{"answer", 1}, {"fill_answer", -3000000000LL}}}}}}, "fill_answer: -3000000000 does not fit"},
        {{{"printer_info", {{"2", {{"Status", 4294967296}}}}}}, "printer_info: 2: Status: 4294967296 does not fit"},
        {{{"printer_info", {{"2", {{"record_size", -1}}}}}}, "printer_info: 2: record_size: -1 does not fit"},
        {{{"printer_info", {{"99999999999", {}}}}}, "printer_info: \"99999999999\" is not a number"},
        {{{"driver_info", {{"3", {{"error", "x"}}}}}}, "driver_info: 3: error: expected a number, found \"x\""},
        {{{"open_error", 0.5}}, "open_error: 0.5 is not an integer"},
        {{{"document_properties", {{"devmode", {{"dmCopies", 70000}}}}}},
         "document_properties: devmode: dmCopies: 70000 does not fit its field (-32768 to 65535)"},
    };
    for (const auto& c : cases) {
        Json printer = c.printer;
        printer["name"] = "P";
        const std::string error = LoadError(Json::array({printer}));
        EXPECT_EQ(error.rfind("f.json: printer \"P\": ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }

    // Every value that fits loads: both readings of a field's bits, and integers written as decimals.
    EXPECT_EQ(LoadError(Json::array({{{"name", "P"},
                                      {"capabilities", {{"DC_COPIES", -2147483648LL}, {"DC_PAPERS", {-1, 65535}},
                                                        {"DC_ORIENTATION", 90.0}}},
                                      {"printer_info", {{"2", {{"Status", 4294967295LL}, {"Priority", -1}}}}}}})),
              "");
}

TEST(DescriptionFile, MediaTypeNamesSurviveTheRoundTripWhateverTheDriverWrote)
{
    // A 63-character name and the first half of an emoji: the driver cut the pair at 64 units.
    std::u16string cut(63, u'm');
    cut += char16_t{0xD83D};
    const std::u16string names[] = {cut, u"Plain \u00e9", u"Photo \U0001F4F7", std::u16string(1, char16_t{0xDC00})};
    for (const std::u16string& name : names) {
        const Json stored = JsonStringOfUtf16(name);
        const std::string text = stored.dump();  // throws on what is not UTF-8
        EXPECT_EQ(Utf16OfJsonString(ParseDescription(text)), name) << text;
    }
    EXPECT_TRUE(JsonStringOfUtf16(u"Plain").is_string());

    // Through a snapshot and back into a spooler.
    ScriptedSpooler spooler;
    spooler.Load(Json{{"printers", Json::array({{{"name", "P"},
                                                 {"capabilities",
                                                  {{"DC_MEDIATYPENAMES", {JsonStringOfUtf16(cut), "Plain"}}}}}})}},
                 "f.json");
    ScriptedSpooler copy;
    copy.LoadText(SnapshotPrinter(spooler, "P").dump(2), "snapshot.json");
    char16_t entries[2][64] = {};
    ASSERT_EQ(copy.DeviceCapabilitiesA("P", "", 34, entries, sizeof entries), 2);
    EXPECT_EQ(std::u16string(entries[0], 64), cut);
    EXPECT_EQ(std::u16string(entries[1]), u"Plain");
}

}  // namespace
}  // namespace ostrel
