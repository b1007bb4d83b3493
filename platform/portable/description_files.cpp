#include "platform/portable/description_files.h"

#include "platform/portable/code_page.h"
#include "platform/printer_list.h"

#include <utility>

namespace ostrel {

void DescriptionFiles::LoadFile(const std::string& path)
{
    auto system = std::make_unique<ScriptedSpooler>();
    system->LoadFile(path);
    files_.push_back({path, std::move(system)});
}

DescriptionFiles::Found DescriptionFiles::Find(const std::string& entry) const
{
    for (std::size_t file = 0; file < files_.size(); ++file)
        if (System(file).HasPrinter(DeviceNameOfEntry(entry)))
            return {file, entry};
    for (std::size_t file = 0; file < files_.size(); ++file) {
        const std::optional<std::string> spelled = CodePageBytesOfUtf8(entry, System(file).CodePage());
        if (spelled && System(file).HasPrinter(DeviceNameOfEntry(*spelled)))
            return {file, *spelled};
    }
    return {0, entry};
}

}  // namespace ostrel
