#include "platform/shell_namespace.h"

namespace ostrel {

namespace {

// Set only when a caller (a test, say) replaces the platform's shell.
ShellNamespace* installed = nullptr;

}  // namespace

#ifndef _WIN32
ShellNamespace* PlatformShellNamespace() {
    return nullptr;
}
#endif

ShellNamespace* ActiveShellNamespace() {
    return installed != nullptr ? installed : PlatformShellNamespace();
}

ShellNamespace* InstallShellNamespace(ShellNamespace* shell) {
    ShellNamespace* previous = installed;
    installed = shell;
    return previous;
}

}  // namespace ostrel
