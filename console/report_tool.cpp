#include "console/report_tool.h"

#include "console/printer_systems.h"
#include "console/report_file_names.h"
#include "platform/file_replace.h"
#include "platform/portable/memory_document.h"
#include "platform/system_path.h"
#include "program_version.h"
#include "report/printer_snapshot.h"
#include "report/report_builder.h"
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
    "       ostrel-report [--printers FILE]... [-o FILE] ENTRY\n"
    "       ostrel-report [--printers FILE]... --all [-o FOLDER]\n"
    "       ostrel-report [--printers FILE]... --snapshot ENTRY [-o FILE]\n"
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
    "  --snapshot ENTRY  record the printer into a printer description file\n"
    "  -o FILE|FOLDER    write there, not to standard output; a file there is replaced only\n"
    "                    when its new content is written completely\n"
    "  --printers FILE   printers from a printer description file, not the system's spooler\n"
    "                    (may be repeated)\n"
    "  --                the argument after it is the entry, even if it begins with '-'\n"
    "  -h, --help        this help\n"
    "  --version         the version of ostrel-report\n"
    "\n"
    "Exit status: 0 when everything was written, 1 when a file or standard output could not\n"
    "be read or written (each such file is named on standard error), 2 for a usage error.\n";

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
    std::optional<std::string> output;
    std::optional<std::string> entry;
};

void SetEntry(Options& options, const std::string& entry)
{
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
            const std::string& file = ValueOf(arguments, i, "--printers needs a printer description file");
            std::error_code ignored;
            if (std::filesystem::is_directory(PathOfSystemText(file), ignored))
                throw UsageError("--printers needs a printer description file, and " + file + " is a folder");
            options.printerFiles.push_back(file);
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--all") {
            options.all = true;
        } else if (argument == "--snapshot") {
            options.snapshot = true;
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
    const bool report = options.entry && !options.snapshot;
    const int modes = int{options.list} + int{options.all} + int{report};
    if (options.snapshot && (!options.entry || options.list || options.all))
        throw UsageError("--snapshot needs exactly one printer entry");
    if (modes != 1 && !options.snapshot)
        throw UsageError(modes == 0 ? "give --list, --all or a printer entry" : "give only one of --list, --all and a printer entry");
    if (options.list && options.output)
        throw UsageError("--list writes to standard output only");
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

// Every report that can be written is; each failure is named on err. Returns whether all were.
// File names are made over the entries of every system at once, so that two files' printers of
// one name never share a report file.
bool WriteAllReports(const PrinterSystems& systems, MemoryDocument& document, const std::optional<std::string>& folder,
                     StandardOutput& out, std::ostream& err)
{
    std::vector<std::pair<std::size_t, std::string>> reports;
    std::vector<std::string> entries;
    for (std::size_t system = 0; system < systems.Count(); ++system)
        for (std::string& entry : systems.Entries(system, err)) {
            entries.push_back(entry);
            reports.emplace_back(system, std::move(entry));
        }

    if (!folder) {
        for (const auto& [system, entry] : reports) {
            ReportBuilder(systems.At(system), document).MakeReport(entry);
            out.Write("==> " + entry + " <==\r\n" + document.PlainText());
        }
        return true;
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
        ReportBuilder(systems.At(system), document).MakeReport(entry);
        try {
            WriteFileReplacing(folderPath / PathOfSystemText(fileNames[i]), document.PlainText());
        } catch (const FileWriteError& failure) {
            err << "ostrel-report: " << failure.what() << " (the report of " << entry << ")\n";
            allWritten = false;
        }
    }
    return allWritten;
}

int Run(const Options& options, const PrinterSystems& systems, std::ostream& outStream, std::ostream& err)
{
    StandardOutput out(outStream);
    if (options.list) {
        std::string list;
        for (std::size_t system = 0; system < systems.Count(); ++system)
            for (const std::string& entry : systems.Entries(system, err))
                list += entry + "\n";
        out.Write(list);
        return ExitOk;
    }

    if (options.snapshot) {
        const auto [spooler, entry] = systems.Locate(*options.entry);
        const std::string description = SnapshotPrinter(*spooler, entry).dump(2) + "\n";
        if (options.output)
            WriteFileReplacing(PathOfSystemText(*options.output), description);
        else
            out.Write(description);
        return ExitOk;
    }

    MemoryDocument document;
    if (options.all)
        return WriteAllReports(systems, document, options.output, out, err) ? ExitOk : ExitFileError;

    const auto [spooler, entry] = systems.Locate(*options.entry);
    ReportBuilder(*spooler, document).MakeReport(entry);
    if (options.output)
        WriteFileReplacing(PathOfSystemText(*options.output),
                           Rendered(document, SaveFormatOf(*options.output), spooler->GetACP()));
    else
        out.Write(document.PlainText());
    return ExitOk;
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
        if (options.printerFiles.empty()) {
            std::unique_ptr<Spooler> spooler = systemSpooler ? systemSpooler() : nullptr;
            if (!spooler)
                throw UsageError("this build has no system spooler: give --printers FILE");
            return Run(options, PrinterSystems(*spooler), out, err);
        }
        DescriptionFiles files;
        for (const std::string& file : options.printerFiles)
            files.LoadFile(file);
        return Run(options, PrinterSystems(files), out, err);
    } catch (const UsageError& error) {
        err << "ostrel-report: " << error.what() << "\n" << Usage;
        return ExitUsage;
    } catch (const std::exception& error) {
        err << "ostrel-report: " << error.what() << "\n";
        return ExitFileError;
    }
}

}  // namespace ostrel
