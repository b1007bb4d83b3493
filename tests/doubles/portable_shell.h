// A shell for the native build: a task allocator on malloc that knows its live blocks, and a
// desktop folder that names a path by one item per backslash-separated component.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>

#include "platform/shell_namespace.h"

namespace ostrel {

// Display names follow these rules: the system code page is Latin-1 (one byte, one character); a
// path of 260 bytes or more does not widen; a name parses when it is not empty, contains no control
// character and none of < > " | ? *, and has no empty component (a single trailing backslash is
// allowed, as in "C:\"). Each component becomes one item whose data are its bytes; two lists name
// the same object when their items match without regard to ASCII letter case. The desktop root is
// the empty list; the desktop directory is the list of the configured path.
class PortableShell final : public ShellNamespace {
public:
    explicit PortableShell(std::string desktopDirectory = "C:\\Users\\me\\Desktop");

    void* Allocate(std::uint32_t size) override;
    void Free(void* block) override;
    std::optional<std::wstring> WidenPath(const char* text) override;
    std::unique_ptr<DesktopFolder> OpenDesktopFolder() override;
    ITEMIDLIST* SpecialFolderLocation(SpecialFolder folder) override;

    // Lets this many more allocations succeed and fails the ones after them, until the next call.
    void LimitAllocations(std::size_t remaining) { allocationsLeft_ = remaining; }

    std::size_t LiveBlocks() const { return live_.size(); }
    // Frees of blocks this allocator does not hold (double or foreign frees); they are ignored.
    std::size_t StrayFrees() const { return strayFrees_; }

private:
    std::string desktopDirectory_;
    std::set<void*> live_;
    std::size_t strayFrees_ = 0;
    std::optional<std::size_t> allocationsLeft_;
};

}  // namespace ostrel
