#include "app/report_tool.h"

#include "app/printer_systems.h"
#include "platform/portable/memory_document.h"
#include "report/printer_snapshot.h"
#include "report/report_builder.h"
#include "report/save_format.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace ostrel {

namespace {

constexpr char Usage[] =
    "usage: ostrel-report [--printers FILE]... --list\n"
    "       ostrel-report [--printers FILE]... [-o FILE] ENTRY\n"
    "       ostrel-report [--printers FILE]... --all [-o FOLDER]\n"
    "       ostrel-report [--printers FILE]... --snapshot ENTRY [-o FILE]\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::vector<std::string> printerFiles;
    bool list = false;
    bool all = false;
    bool snapshot = false;
    std::string output;
    std::string entry;
};

Options Parse(const std::vector<std::string>& arguments)
{
    Options options;
    bool haveEntry = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--printers") {
            if (i + 1 >= arguments.size())
                throw UsageError("--printers needs a printer description file");
            options.printerFiles.push_back(arguments[++i]);
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--all") {
            options.all = true;
        } else if (argument == "--snapshot") {
            options.snapshot = true;
        } else if (argument == "-o") {
            if (i + 1 >= arguments.size())
                throw UsageError("-o needs a file or folder name");
            options.output = arguments[++i];
        } else if (argument == "--") {
            if (i + 1 < arguments.size()) {
                options.entry = arguments[++i];
                haveEntry = true;
            }
        } else if (argument.rfind("-", 0) == 0 && argument.size() > 1) {
            throw UsageError("unknown option " + argument);
        } else if (haveEntry) {
            throw UsageError("more than one printer entry given: \"" + options.entry + "\" and \"" + argument + "\"");
        } else {
            options.entry = argument;
            haveEntry = true;
        }
    }
    const int modes = int{options.list} + int{options.all} + int{haveEntry && !options.snapshot};
    if (options.snapshot && (!haveEntry || options.list || options.all))
        throw UsageError("--snapshot needs exactly one printer entry");
    if (modes != 1 && !options.snapshot)
        throw UsageError(modes == 0 ? "give --list, --all or a printer entry" : "give only one of --list, --all and a printer entry");
    if (options.list && !options.output.empty())
        throw UsageError("--list writes to standard output only");
    return options;
}

std::string Rendered(const MemoryDocument& document, SaveFormat format)
{
    return format == SaveFormat::RichText ? document.Rtf() : document.PlainText();
}

// Writes beside the target and renames, so that a failed write leaves an existing file as it was.
void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::filesystem::path temporary = path;
    temporary += ".partial";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file)
            file.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw FileError("cannot write " + path.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw FileError("cannot write " + path.string());
    }
}

// A file name for an entry: characters that no Windows file name may hold become '_'.
std::string FileNameOf(const std::string& entry)
{
    std::string name = entry.empty() ? "printer" : entry;
    for (char& c : name)
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return name + ".txt";
}

int Run(const Options& options, const PrinterSystems& systems, std::ostream& out, std::ostream& err)
{
    if (options.list) {
        for (std::size_t system = 0; system < systems.Count(); ++system)
            for (const std::string& entry : systems.Entries(system, err))
                out << entry << "\n";
        return ExitOk;
    }

    if (options.snapshot) {
        const auto [spooler, entry] = systems.Locate(options.entry);
        const std::string description = SnapshotPrinter(*spooler, entry).dump(2) + "\n";
        if (options.output.empty())
            out << description;
        else
            WriteFile(options.output, description);
        return ExitOk;
    }

    MemoryDocument document;
    if (!options.all) {
        const auto [spooler, entry] = systems.Locate(options.entry);
        ReportBuilder(*spooler, document).MakeReport(entry);
        if (options.output.empty())
            out << document.PlainText();
        else
            WriteFile(options.output, Rendered(document, SaveFormatOf(options.output)));
        return ExitOk;
    }

    if (!options.output.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.output, error);
        if (!std::filesystem::is_directory(options.output))
            throw FileError("cannot create folder " + options.output);
    }
    for (std::size_t system = 0; system < systems.Count(); ++system) {
        ReportBuilder builder(systems.At(system), document);
        for (const std::string& entry : systems.Entries(system, err)) {
            builder.MakeReport(entry);
            if (options.output.empty())
                out << document.PlainText();
            else
                WriteFile(std::filesystem::path(options.output) / FileNameOf(entry), document.PlainText());
        }
    }
    return ExitOk;
}

}  // namespace

int RunReportTool(const std::vector<std::string>& arguments, const SystemSpoolerFactory& systemSpooler,
                  std::ostream& out, std::ostream& err)
{
    try {
        const Options options = Parse(arguments);
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
