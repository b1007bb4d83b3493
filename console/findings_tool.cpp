#include "console/findings_tool.h"

#include "findings/findings.h"
#include "platform/portable/memory_document.h"
#include "report/report_builder.h"

namespace ostrel {

namespace {

// The report is built as the report window builds it; its text is not needed, only what it read.
void Judge(Spooler& spooler, const std::string& entry, const std::string& prefix,
           std::optional<Severity> failLevel, MemoryDocument& document, ReportFacts& facts, FindingsOutput& output)
{
    ReportBuilder(spooler, document).MakeReport(entry, &facts);
    for (const Finding& finding : FindingsOf(facts)) {
        output.text += prefix + FindingLine(finding) + "\n";
        output.reachedLevel |= failLevel && finding.severity <= *failLevel;
    }
}

void JudgeEveryPrinter(const PrinterSystems& systems, std::optional<Severity> failLevel, std::ostream& err,
                       MemoryDocument& document, ReportFacts& facts, FindingsOutput& output)
{
    for (std::size_t system = 0; system < systems.Count(); ++system) {
        const std::string* file = systems.FileOf(system);
        for (const std::string& printer : systems.Entries(system, err)) {
            const std::string prefix = (file != nullptr ? *file + ": " : "") + systems.Readable(system, printer) + ": ";
            Judge(systems.At(system), printer, prefix, failLevel, document, facts, output);
        }
    }
}

void NoneFound(FindingsOutput& output)
{
    if (output.text.empty())
        output.text = "No findings.\n";
}

}  // namespace

FindingsOutput CollectFindings(const PrinterSystems& systems, const std::optional<std::string>& entry,
                               std::optional<Severity> failLevel, std::ostream& err)
{
    FindingsOutput output;
    MemoryDocument document;
    ReportFacts facts;
    if (entry) {
        const auto [spooler, located] = systems.Locate(*entry);
        Judge(*spooler, located, "", failLevel, document, facts, output);
    } else {
        JudgeEveryPrinter(systems, failLevel, err, document, facts, output);
    }
    NoneFound(output);
    return output;
}

FindingsOutput CollectFindings(const std::vector<std::string>& files, std::optional<Severity> failLevel,
                               std::ostream& err)
{
    FindingsOutput output;
    MemoryDocument document;
    ReportFacts facts;
    for (const std::string& file : files) {
        DescriptionFiles one;
        one.LoadFile(file);
        JudgeEveryPrinter(PrinterSystems(one), failLevel, err, document, facts, output);
    }
    NoneFound(output);
    return output;
}

}  // namespace ostrel
