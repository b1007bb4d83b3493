// Builds reports from printer descriptions written inline in a test.
#pragma once

#include "platform/portable/memory_document.h"
#include "platform/portable/scripted_spooler.h"
#include "report/report_builder.h"
#include "report/report_context.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ostrel::testing {

inline std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// One printer called "P" described by printer (merged into {"name": "P"}) and system.
struct ScriptedReport {
    ScriptedSpooler spooler;
    MemoryDocument document;

    explicit ScriptedReport(Json printer, Json system = Json::object())
    {
        printer["name"] = printer.value("name", "P");
        spooler.Load(Json{{"system", system}, {"printers", Json::array({printer})}}, "test");
    }

    std::vector<std::string> Build(const std::string& entry = "P")
    {
        ReportBuilder(spooler, document).MakeReport(entry);
        return LinesOf(document.Text());
    }
};

// The non-blank lines that write gives for the printer described (its name becomes device),
// with the printer opened as a report opens it, or not opened at all.
inline std::vector<std::string> WrittenSections(void (*write)(ReportContext&), Json printer,
                                                 Json system = Json::object(), bool open = true,
                                                 const std::string& device = "P")
{
    printer["name"] = device;
    ScriptedSpooler spooler;
    spooler.Load(Json{{"system", system}, {"printers", Json::array({printer})}}, "test");
    MemoryDocument document;
    ReportWriter writer(document);
    ReportContext context{spooler, writer, device, {}, nullptr};
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    if (open) {
        EXPECT_TRUE(spooler.OpenPrinterA(device, &context.printer, &defaults));
    }
    write(context);
    if (open)
        spooler.ClosePrinter(context.printer);
    std::vector<std::string> lines = LinesOf(document.Text());
    std::erase(lines, "");
    return lines;
}

// The lines of one section: from its title up to the next title (exclusive).
inline std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& title)
{
    std::vector<std::string> section;
    bool inside = false;
    for (const std::string& line : lines) {
        const bool isTitle = line.size() > 4 && line.rfind("- ", 0) == 0 && line.substr(line.size() - 2) == " -";
        if (isTitle)
            inside = line == "- " + title + " -";
        if (inside && !line.empty())
            section.push_back(line);
    }
    return section;
}

}  // namespace ostrel::testing
