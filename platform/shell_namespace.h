// The part of the shell that the item-ID list functions reach: its task allocator, the desktop
// folder's display-name parser and comparison, and the lists of two special folders.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/shell_records.h"

namespace ostrel {

enum class SpecialFolder {
    Desktop,           // the namespace root
    DesktopDirectory,  // the file-system folder behind the desktop
};

class DesktopFolder {
public:
    virtual ~DesktopFolder() = default;

    // A new list from the task allocator, or null when the name does not parse.
    virtual ITEMIDLIST* ParseDisplayName(std::wstring name) = 0;

    // Whether two lists from the root name the same object, as the folder compares them: items of
    // file-system objects carry time stamps, so equal objects need not have equal bytes.
    virtual bool SameObject(const ITEMIDLIST* first, const ITEMIDLIST* second) = 0;
};

class ShellNamespace {
public:
    virtual ~ShellNamespace() = default;

    // Null when the allocator is unavailable or the block cannot be had; the contents are undefined.
    virtual void* Allocate(std::uint32_t size) = 0;
    // Accepts null and any block from Allocate or from the lists returned here.
    virtual void Free(void* block) = 0;

    // The text (not null) in the system code page as a wide display name of at most 259
    // characters, or nothing when it does not convert or does not fit.
    virtual std::optional<std::wstring> WidenPath(const char* text) = 0;

    // Null when the desktop folder is unavailable; destroying it releases the folder.
    virtual std::unique_ptr<DesktopFolder> OpenDesktopFolder() = 0;

    // A new list from the task allocator, or null when the folder has none.
    virtual ITEMIDLIST* SpecialFolderLocation(SpecialFolder folder) = 0;
};

// The shell of the platform itself: the Win32 one in the Windows builds, none natively.
ShellNamespace* PlatformShellNamespace();

// The shell that the exported item-ID functions use: the installed one, else the platform's.
ShellNamespace* ActiveShellNamespace();

// Installs a shell (null falls back to the platform's) and returns the one installed before.
ShellNamespace* InstallShellNamespace(ShellNamespace* shell);

// Installs a shell for its own lifetime, then puts back the one it replaced.
class ScopedShellNamespace {
public:
    explicit ScopedShellNamespace(ShellNamespace& shell) : previous_(InstallShellNamespace(&shell)) {}
    ~ScopedShellNamespace() { InstallShellNamespace(previous_); }
    ScopedShellNamespace(const ScopedShellNamespace&) = delete;
    ScopedShellNamespace& operator=(const ScopedShellNamespace&) = delete;

private:
    ShellNamespace* previous_;
};

}  // namespace ostrel
