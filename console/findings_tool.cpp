#include "console/findings_tool.h"

#include "findings/findings.h"
#include "findings/fleet_summary.h"
#include "platform/portable/memory_document.h"
#include "report/report_builder.h"

namespace ostrel {

namespace {

// Judges printer after printer into lines or a summary. The report is built as the report window
// builds it, into one document and one set of facts for all of them; its text is not needed, only
// what it read.
class Judge {
public:
    explicit Judge(const FindingsRequest& request) : request_(request) {}

    // printer: the name before each line, empty for a printer judged alone.
    void Printer(Spooler& spooler, const std::string& entry, const std::string& printer)
    {
        ReportBuilder(spooler, document_).MakeReport(entry, &facts_);
        const std::vector<Finding> findings = FindingsOf(facts_);
        for (const Finding& finding : findings)
            output_.reachedLevel |= request_.failLevel && finding.severity <= *request_.failLevel;
        if (request_.summary) {
            summary_.Add(printer, findings);
            return;
        }
        const std::string prefix = printer.empty() ? printer : printer + ": ";
        for (const Finding& finding : findings)
            output_.text += prefix + FindingLine(finding) + "\n";
    }

    void EveryPrinter(const PrinterSystems& systems, std::ostream& err)
    {
        for (std::size_t system = 0; system < systems.Count(); ++system) {
            const std::string* file = systems.FileOf(system);
            for (const std::string& entry : systems.Entries(system, err))
                Printer(systems.At(system), entry, (file != nullptr ? *file + ": " : "") + systems.Readable(system, entry));
        }
    }

    FindingsOutput Output()
    {
        if (request_.summary)
            output_.text = summary_.Text();
        else if (output_.text.empty())
            output_.text = "No findings.\n";
        return std::move(output_);
    }

private:
    const FindingsRequest& request_;
    MemoryDocument document_;
    ReportFacts facts_;
    FleetSummary summary_;
    FindingsOutput output_;
};

}  // namespace

FindingsOutput CollectFindings(const PrinterSystems& systems, const std::optional<std::string>& entry,
                               const FindingsRequest& request, std::ostream& err)
{
    Judge judge(request);
    if (entry) {
        const auto [spooler, located] = systems.Locate(*entry);
        judge.Printer(*spooler, located, "");
    } else {
        judge.EveryPrinter(systems, err);
    }
    return judge.Output();
}

FindingsOutput CollectFindings(const std::vector<std::string>& files, const FindingsRequest& request,
                               std::ostream& err)
{
    Judge judge(request);
    for (const std::string& file : files) {
        DescriptionFiles one;
        one.LoadFile(file);
        judge.EveryPrinter(PrinterSystems(one), err);
    }
    return judge.Output();
}

}  // namespace ostrel
