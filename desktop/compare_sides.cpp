#include "desktop/compare_sides.h"

#include "platform/portable/memory_document.h"
#include "platform/printer_list.h"
#include "report/report_builder.h"
#include "report/report_compare.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace ostrel {

std::vector<std::string> OtherPrinters(const std::vector<std::string>& entries, const std::string& own)
{
    std::vector<std::string> others;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(others),
                 [&](const std::string& entry) { return entry != own; });
    return others;
}

SideReport ReportOfPrinter(Spooler& spooler, const std::string& entry)
{
    SideReport side;
    MemoryDocument document;  // only the data is kept
    side.openFailure = ReportBuilder(spooler, document, &side.items).MakeReport(entry).openFailure;
    return side;
}

DescriptionFile::DescriptionFile(const std::string& path)
{
    files_.LoadFile(path);
}

std::vector<std::string> DescriptionFile::Printers()
{
    return PrinterList(files_.System(0)).Entries();
}

SideReport DescriptionFile::Report(const std::string& entry)
{
    const DescriptionFiles::Found found = files_.Find(entry);
    return ReportOfPrinter(files_.System(found.file), found.entry);
}

std::string ComparisonText(const StructuredReport& a, const StructuredReport& b)
{
    return DifferencesText(CompareReports(a, b));
}

SideReport ReportOfSide(const CompareSide& side, Spooler& system)
{
    if (side.file.empty())
        return ReportOfPrinter(system, side.entry);
    return DescriptionFile(side.file).Report(side.entry);
}

std::string ComparisonTextOfSides(const CompareSide& a, const CompareSide& b, Spooler& system)
{
    try {
        return ComparisonText(ReportOfSide(a, system).items, ReportOfSide(b, system).items);
    } catch (const std::runtime_error& error) {
        return std::string("*** CANNOT COMPARE ***: ") + error.what() + "\r\n";
    }
}

std::wstring FileNameOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring SideName(const std::wstring& entry, const std::wstring& filePath)
{
    return filePath.empty() ? entry : entry + L" (" + FileNameOf(filePath) + L")";
}

std::wstring CompareCaption(const std::wstring& a, const std::wstring& b)
{
    return L"比較 A: " + a + L" / B: " + b;
}

}  // namespace ostrel
