#include "console/report_tool.h"

#include "console/findings_tool.h"
#include "console/printer_systems.h"
#include "console/report_file_names.h"
#include "platform/file_replace.h"
#include "platform/portable/memory_document.h"
#include "platform/system_path.h"
#include "program_version.h"
#include "report/printer_snapshot.h"
#include "report/report_builder.h"
#include "report/report_compare.h"
#include "report/report_json.h"
#include "report/save_format.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace ostrel {

namespace {

constexpr char Usage[] =
    "usage: ostrel-report [--printers FILE]... --list\n"
    "       ostrel-report [--printers FILE]... [--format json] [-o FILE] ENTRY\n"
    "       ostrel-report [--printers FILE]... [--format json] --all [-o FOLDER]\n"
    "       ostrel-report [--printers FILE]... --snapshot ENTRY|--all [-o FILE]\n"
    "       ostrel-report [--printers FILE]... --compare A B\n"
    "       ostrel-report --findings [--fail-on LEVEL] (ENTRY | --all | --printers FILE...)\n"
    "       ostrel-report --findings --summary [--fail-on LEVEL] (--all | --printers FILE...)\n"
    "       ostrel-report --help | --version\n";

constexpr char Help[] =
    "\n"
    "Builds the report a report window shows for a printer and writes it out.\n"
    "\n"
    "  ENTRY             the report of the printer with this entry (as --list shows it): plain\n"
    "                    text with CR LF line breaks, or RTF when -o names a .rtf file\n"
    "  --list            the printers' entries, one a line\n"
    "  --all             every printer's report: on standard output each after a line\n"
    "                    \"==> ENTRY <==\", or with -o one .txt file a printer in FOLDER\n"
    "  --snapshot ENTRY  record the printer into a printer description file; with --all,\n"
    "                    every printer of the system into one file\n"
    "  --format json     the report as JSON (docs/report-json-format.md); text is the default\n"
    "  --compare A B     the differences of two printers' reports, by section and label;\n"
    "                    A and B are entries or FILE:ENTRY, a printer of a description file\n"
    "  -o FILE|FOLDER    write there, not to standard output; a file there is replaced only\n"
    "                    when its new content is written completely\n"
    "  --printers FILE   printers from a printer description file, not the system's spooler\n"
    "                    (may be repeated; after --findings it takes every file up to the\n"
    "                    next option)\n"
    "  --findings        what the driver's answers contradict, one line a finding:\n"
    "                    \"SEVERITY id: text\" (error, warning, note), \"No findings.\" when there\n"
    "                    are none; for every printer (--all, or files without an ENTRY) each\n"
    "                    line begins with the file and the printer\n"
    "  --summary         with --findings over every printer: per rule, the number of printers\n"
    "                    it fires on, the first three and an example, the most frequent rule\n"
    "                    first; then the printers with no findings\n"
    "  --fail-on LEVEL   with --findings: exit status 5 when a finding is an error (LEVEL\n"
    "                    error), or an error or a warning (LEVEL warning)\n"
    "  --                the argument after it is the entry, even if it begins with '-'\n"
    "  -h, --help        this help\n"
    "  --version         the version of ostrel-report\n"
    "\n"
    "Exit status: 0 when everything was written (with --compare: the reports are the same),\n"
    "1 when a file or standard output could not be read or written (each such file is named\n"
    "on standard error), 2 for a usage error, 3 when a printer could not be opened (its report\n"
    "is written all the same, and the printer is named on standard error), 4 when --compare\n"
    "found differences, 5 for --findings --fail-on LEVEL when a finding is at or above LEVEL.\n";

constexpr char Version[] = "ostrel-report " OSTREL_VERSION_TEXT "\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::vector<std::string> printerFiles;
    bool help = false;
    bool version = false;
    bool list = false;
    bool all = false;
    bool snapshot = false;
    bool findings = false;
    FindingsRequest findingsRequest;
    bool json = false;
    std::vector<std::string> compare;
    std::optional<std::string> output;
    std::optional<std::string> entry;
};

void SetEntry(Options& options, const std::string& entry)
{
    if (entry.empty())
        throw UsageError("the printer entry is empty");
    if (options.entry)
        throw UsageError("more than one printer entry given: \"" + *options.entry + "\" and \"" + entry + "\"");
    options.entry = entry;
}

const std::string& ValueOf(const std::vector<std::string>& arguments, std::size_t& i, const char* missing)
{
    if (i + 1 >= arguments.size())
        throw UsageError(missing);
    return arguments[++i];
}

void AddPrinterFile(Options& options, const std::string& file)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(PathOfSystemText(file), ignored))
        throw UsageError("--printers needs a printer description file, and " + file + " is a folder");
    options.printerFiles.push_back(file);
}

Options Parse(const std::vector<std::string>& arguments)
{
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            options.help = true;
            return options;
        } else if (argument == "--version") {
            options.version = true;
            return options;
        } else if (argument == "--printers") {
            AddPrinterFile(options, ValueOf(arguments, i, "--printers needs a printer description file"));
            // A fleet's files: --findings --printers a.json b.json ...
            while (options.findings && i + 1 < arguments.size() && !arguments[i + 1].starts_with("-"))
                AddPrinterFile(options, arguments[++i]);
        } else if (argument == "--findings") {
            options.findings = true;
        } else if (argument == "--fail-on") {
            const std::string& level = ValueOf(arguments, i, "--fail-on needs a level: error or warning");
            if (level != "error" && level != "warning")
                throw UsageError("--fail-on takes error or warning, not \"" + level + "\"");
            options.findingsRequest.failLevel = level == "error" ? Severity::Error : Severity::Warning;
        } else if (argument == "--summary") {
            options.findingsRequest.summary = true;
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--all") {
            options.all = true;
        } else if (argument == "--snapshot") {
            options.snapshot = true;
        } else if (argument == "--format") {
            const std::string& format = ValueOf(arguments, i, "--format needs text or json");
            if (format != "text" && format != "json")
                throw UsageError("--format takes text or json, not \"" + format + "\"");
            options.json = format == "json";
        } else if (argument == "--compare") {
            options.compare.push_back(ValueOf(arguments, i, "--compare needs two printers"));
            options.compare.push_back(ValueOf(arguments, i, "--compare needs two printers"));
        } else if (argument == "-o") {
            const std::string& output = ValueOf(arguments, i, "-o needs a file or folder name");
            if (output.empty())
                throw UsageError("-o needs a file or folder name, not an empty one");
            if (options.output)
                throw UsageError("-o given twice: \"" + *options.output + "\" and \"" + output + "\"");
            options.output = output;
        } else if (argument == "--") {
            while (++i < arguments.size())
                SetEntry(options, arguments[i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else {
            SetEntry(options, argument);
        }
    }
    if (!options.compare.empty()) {
        if (options.compare.size() != 2 || options.entry || options.list || options.all || options.snapshot ||
            options.output || options.json || options.findings)
            throw UsageError("--compare takes two printers and writes to standard output only");
        return options;
    }
    if (options.findingsRequest.failLevel && !options.findings)
        throw UsageError("--fail-on goes with --findings");
    if (options.findingsRequest.summary && !options.findings)
        throw UsageError("--summary goes with --findings");
    if (options.findings) {
        if (options.snapshot || options.list || options.output || options.json)
            throw UsageError("--findings writes to standard output only, and takes no --list or --snapshot");
        if (options.all && options.entry)
            throw UsageError("give --findings a printer entry or --all, not both");
        if (!options.all && !options.entry && options.printerFiles.empty())
            throw UsageError("give --findings a printer entry, --all or --printers FILE...");
        if (options.findingsRequest.summary && options.entry)
            throw UsageError("--summary sums up every printer: give --all or --printers FILE..., not an entry");
        return options;
    }
    const bool report = options.entry && !options.snapshot;
    const int modes = int{options.list} + int{options.all} + int{report};
    if (options.snapshot && (options.list || int{options.entry.has_value()} + int{options.all} != 1))
        throw UsageError("--snapshot needs exactly one printer entry, or --all");
    if (modes != 1 && !options.snapshot)
        throw UsageError(modes == 0 ? "give --list, --all or a printer entry" : "give only one of --list, --all and a printer entry");
    if (options.list && options.output)
        throw UsageError("--list writes to standard output only");
    if (options.json && (options.list || options.snapshot))
        throw UsageError("--format applies to reports only");
    return options;
}

// Standard output may be a full disk or closed: every write is checked, with the system's reason.
class StandardOutput {
public:
    explicit StandardOutput(std::ostream& out) : out_(out) {}

    void Write(std::string_view text)
    {
        errno = 0;
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
        out_.flush();
        if (!out_) {
            const int error = errno;
            throw std::runtime_error(std::string("cannot write standard output: ") +
                                     (error != 0 ? std::strerror(error) : "the stream failed"));
        }
    }

private:
    std::ostream& out_;
};

std::string Rendered(const MemoryDocument& document, SaveFormat format, unsigned codePage)
{
    return format == SaveFormat::RichText ? document.Rtf(codePage) : document.PlainText();
}

// A report is written whether its printer opened or not; that it did not is named on err.
bool Opened(const PrinterNames& names, const std::string& entry, std::ostream& err)
{
    if (names.openFailure)
        err << "ostrel-report: cannot open printer " << entry << ": " << *names.openFailure << "\n";
    return !names.openFailure;
}

std::string JsonText(const Json& json)
{
    return json.dump(2) + "\n";
}

// A --all report file's name for the format: the text name with .json in place of .txt.
std::string FileNameFor(std::string textName, bool json)
{
    if (json)
        textName.replace(textName.size() - 4, 4, ".json");
    return textName;
}

// Every report that can be written is; each failure is named on err, and a file that cannot be
// written outweighs a printer that cannot be opened. File names are made over the entries of
// every system at once, so that two files' printers of one name never share a report file.
int WriteAllReports(const PrinterSystems& systems, MemoryDocument& document, const Options& options,
                    StandardOutput& out, std::ostream& err)
{
    const std::optional<std::string>& folder = options.output;
    StructuredReport items;
    StructuredReport* const itemsIfJson = options.json ? &items : nullptr;
    std::vector<std::pair<std::size_t, std::string>> reports;
    std::vector<std::string> entries;
    for (std::size_t system = 0; system < systems.Count(); ++system)
        for (std::string& entry : systems.Entries(system, err)) {
            entries.push_back(systems.Readable(system, entry));
            reports.emplace_back(system, std::move(entry));
        }

    bool allOpened = true;
    if (!folder) {
        Json all = Json::array();
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const auto& [system, entry] = reports[i];
            allOpened &= Opened(ReportBuilder(systems.At(system), document, itemsIfJson).MakeReport(entry), entries[i], err);
            if (options.json)
                all.push_back(JsonOfReport(items));
            else
                out.Write("==> " + entries[i] + " <==\r\n" + document.PlainText());
        }
        if (options.json)
            out.Write(JsonText(Json{{"reports", std::move(all)}}));
        return allOpened ? ExitOk : ExitPrinterNotOpened;
    }

    const std::filesystem::path folderPath = PathOfSystemText(*folder);
    std::error_code error;
    std::filesystem::create_directories(folderPath, error);
    if (!std::filesystem::is_directory(folderPath))
        throw std::runtime_error("cannot create folder " + *folder + ": " +
                                 (error ? error.message() : "a file of that name is in the way"));
    const std::vector<std::string> fileNames = ReportFileNames(entries);
    bool allWritten = true;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const auto& [system, entry] = reports[i];
        allOpened &= Opened(ReportBuilder(systems.At(system), document, itemsIfJson).MakeReport(entry), entries[i], err);
        try {
            WriteFileReplacing(folderPath / PathOfSystemText(FileNameFor(fileNames[i], options.json)),
                               options.json ? JsonText(JsonOfReport(items)) : document.PlainText());
        } catch (const FileWriteError& failure) {
            err << "ostrel-report: " << failure.what() << " (the report of " << entries[i] << ")\n";
            allWritten = false;
        }
    }
    return !allWritten ? ExitFileError : allOpened ? ExitOk : ExitPrinterNotOpened;
}

int WriteFindings(StandardOutput& out, const FindingsOutput& findings)
{
    out.Write(findings.text);
    return findings.reachedLevel ? ExitFindingsAtLevel : ExitOk;
}

int Run(const Options& options, const PrinterSystems& systems, std::ostream& outStream, std::ostream& err)
{
    StandardOutput out(outStream);
    if (options.list) {
        std::string list;
        for (std::size_t system = 0; system < systems.Count(); ++system)
            for (const std::string& entry : systems.Entries(system, err))
                list += systems.Readable(system, entry) + "\n";
        out.Write(list);
        return ExitOk;
    }

    if (options.findings)
        return WriteFindings(out, CollectFindings(systems, options.all ? std::nullopt : options.entry,
                                                  options.findingsRequest, err));

    if (options.snapshot) {
        Json snapshot;
        if (options.all) {
            if (systems.Count() != 1)
                throw UsageError("--snapshot --all records one system: give at most one --printers file");
            snapshot = SnapshotPrinters(systems.At(0), systems.Entries(0, err));
        } else {
            const auto [spooler, entry] = systems.Locate(*options.entry);
            snapshot = SnapshotPrinter(*spooler, entry);
        }
        const std::string description = JsonText(snapshot);
        if (options.output)
            WriteFileReplacing(PathOfSystemText(*options.output), description);
        else
            out.Write(description);
        bool allOpened = true;
        for (const Json& printer : snapshot.at("printers"))
            if (printer.contains("open_error")) {
                const Json& name = printer.at("name");
                err << "ostrel-report: cannot open printer " << (name.is_string() ? name.get<std::string>() : name.dump())
                    << ": error " << printer.at("open_error") << " (recorded in the snapshot)\n";
                allOpened = false;
            }
        return allOpened ? ExitOk : ExitPrinterNotOpened;
    }

    MemoryDocument document;
    if (options.all)
        return WriteAllReports(systems, document, options, out, err);

    const auto [spooler, entry] = systems.Locate(*options.entry);
    StructuredReport items;
    const PrinterNames names = ReportBuilder(*spooler, document, options.json ? &items : nullptr).MakeReport(entry);
    const std::string text = options.json     ? JsonText(JsonOfReport(items))
                             : options.output ? Rendered(document, SaveFormatOf(*options.output), spooler->GetACP())
                                              : document.PlainText();
    if (options.output)
        WriteFileReplacing(PathOfSystemText(*options.output), text);
    else
        out.Write(text);
    return Opened(names, *options.entry, err) ? ExitOk : ExitPrinterNotOpened;
}

// The printers the tool works on: the --printers files, or else the system's spooler, set up when
// first asked for (a --compare of two FILE:ENTRY sides needs neither).
class ToolPrinters {
public:
    ToolPrinters(const Options& options, const SystemSpoolerFactory& systemSpooler)
        : options_(options), systemSpooler_(systemSpooler)
    {
    }

    const PrinterSystems& Get()
    {
        if (systems_)
            return *systems_;
        if (!options_.printerFiles.empty()) {
            for (const std::string& file : options_.printerFiles)
                files_.LoadFile(file);
            return systems_.emplace(files_);
        }
        spooler_ = systemSpooler_ ? systemSpooler_() : nullptr;
        if (!spooler_)
            throw UsageError(options_.compare.empty() ? "this build has no system spooler: give --printers FILE"
                                                      : "this build has no system spooler: give FILE:ENTRY or --printers FILE");
        return systems_.emplace(*spooler_);
    }

private:
    const Options& options_;
    const SystemSpoolerFactory& systemSpooler_;
    std::unique_ptr<Spooler> spooler_;
    DescriptionFiles files_;
    std::optional<PrinterSystems> systems_;
};

// The report of one side of --compare: FILE:ENTRY when what stands before a colon is a file (a
// Windows path's drive colon is passed over, as no file is named by its letter alone), otherwise
// an entry of the printers the tool works on.
StructuredReport CompareSide(const std::string& side, ToolPrinters& printers)
{
    StructuredReport items;
    MemoryDocument document;
    for (std::size_t colon = side.find(':'); colon != std::string::npos; colon = side.find(':', colon + 1)) {
        const std::string file = side.substr(0, colon);
        std::error_code ignored;
        if (!std::filesystem::is_regular_file(PathOfSystemText(file), ignored))
            continue;
        DescriptionFiles files;
        files.LoadFile(file);
        const auto [spooler, entry] = PrinterSystems(files).Locate(side.substr(colon + 1));
        ReportBuilder(*spooler, document, &items).MakeReport(entry);
        return items;
    }
    const auto [spooler, entry] = printers.Get().Locate(side);
    ReportBuilder(*spooler, document, &items).MakeReport(entry);
    return items;
}

int Compare(const Options& options, ToolPrinters& printers, std::ostream& outStream)
{
    const StructuredReport a = CompareSide(options.compare[0], printers);
    const StructuredReport b = CompareSide(options.compare[1], printers);
    const std::vector<SectionDifferences> differences = CompareReports(a, b);
    StandardOutput(outStream).Write(DifferencesText(differences));
    return differences.empty() ? ExitOk : ExitDifferent;
}

}  // namespace

int RunReportTool(const std::vector<std::string>& arguments, const SystemSpoolerFactory& systemSpooler,
                  std::ostream& out, std::ostream& err)
{
    try {
        const Options options = Parse(arguments);
        if (options.help || options.version) {
            StandardOutput(out).Write(options.help ? std::string(Usage) + Help : std::string(Version));
            return ExitOk;
        }
        ToolPrinters printers(options, systemSpooler);
        if (!options.compare.empty())
            return Compare(options, printers, out);
        // A fleet's files are judged one at a time, never all loaded at once.
        if (options.findings && !options.entry && !options.printerFiles.empty()) {
            StandardOutput output(out);
            return WriteFindings(output, CollectFindings(options.printerFiles, options.findingsRequest, err));
        }
        return Run(options, printers.Get(), out, err);
    } catch (const UsageError& error) {
        err << "ostrel-report: " << error.what() << "\n" << Usage;
        return ExitUsage;
    } catch (const std::exception& error) {
        err << "ostrel-report: " << error.what() << "\n";
        return ExitFileError;
    }
}

}  // namespace ostrel
