#include "console/printer_systems.h"

#include "platform/printer_list.h"

#include <ostream>
#include <utility>

namespace ostrel {

PrinterSystems::PrinterSystems(DescriptionFiles& files) : files_(&files)
{
    for (std::size_t file = 0; file < files.Count(); ++file)
        spoolers_.push_back(&files.System(file));
}

std::pair<Spooler*, std::string> PrinterSystems::Locate(const std::string& entry) const
{
    if (files_ == nullptr)
        return {spoolers_.front(), entry};
    const DescriptionFiles::Found found = files_->Find(entry);
    return {spoolers_[found.file], found.entry};
}

std::vector<std::string> PrinterSystems::Entries(std::size_t system, std::ostream& err) const
{
    PrinterList list(At(system));
    for (const BrokenRecord& record : list.BrokenRecords()) {
        const std::string* name =
            files_ != nullptr ? files_->System(system).EnumeratedPrinterName(record.index) : nullptr;
        err << "ostrel-report: "
            << (name != nullptr ? files_->Path(system) + ": printer \"" + *name + "\""
                                : "printer record " + std::to_string(record.index))
            << ": left out of the printer list: " << record.reason << "\n";
    }
    return list.Entries();
}

}  // namespace ostrel
