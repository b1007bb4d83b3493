#include "tests/ui/bed.h"

namespace ostrel::uitest {

void Bed::Screenshot(const std::wstring& name) const {
    RunHostTool(Quoted(screenshotTool) + L" " + Quoted(artefacts + L"/" + name));
}

void AddQueue(const std::wstring& name) {
    RunHostTool(L"/usr/sbin/lpadmin -p " + Quoted(name) + L" -v file:/dev/null -E");
}

void RemoveQueue(const std::wstring& name) { RunHostTool(L"/usr/sbin/lpadmin -x " + Quoted(name)); }

}  // namespace ostrel::uitest
