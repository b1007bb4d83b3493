#include "tests/doubles/portable_shell.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrel {

namespace {

constexpr std::size_t kMaxPath = 260;  // wide characters, terminator included
constexpr std::size_t kMaxItemData = 0xFFFF - sizeof(std::uint16_t);

bool IsValidPathCharacter(wchar_t c) {
    return c >= 0x20 && c <= 0xFF && std::wstring_view(L"<>\"|?*").find(c) == std::wstring_view::npos;
}

// Null when the name breaks a rule of the class comment.
std::optional<std::vector<std::string>> SplitComponents(const std::wstring& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::vector<std::string> components(1);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c == L'\\') {
            if (components.back().empty()) {
                return std::nullopt;
            }
            if (i + 1 < name.size()) {
                components.emplace_back();
            }
        } else if (!IsValidPathCharacter(c) || components.back().size() == kMaxItemData) {
            return std::nullopt;
        } else {
            components.back().push_back(static_cast<char>(c));
        }
    }
    return components;
}

ITEMIDLIST* BuildList(ShellNamespace& shell, const std::vector<std::string>& components) {
    std::size_t size = sizeof(std::uint16_t);
    for (const std::string& component : components) {
        size += sizeof(std::uint16_t) + component.size();
    }
    auto* bytes = static_cast<std::uint8_t*>(shell.Allocate(static_cast<std::uint32_t>(size)));
    if (bytes == nullptr) {
        return nullptr;
    }
    std::uint8_t* at = bytes;
    for (const std::string& component : components) {
        const auto count = static_cast<std::uint16_t>(sizeof(std::uint16_t) + component.size());
        std::memcpy(at, &count, sizeof count);
        std::memcpy(at + sizeof count, component.data(), component.size());
        at += count;
    }
    std::memset(at, 0, sizeof(std::uint16_t));
    return reinterpret_cast<ITEMIDLIST*>(bytes);
}

ITEMIDLIST* ParsePath(ShellNamespace& shell, const std::wstring& name) {
    const std::optional<std::vector<std::string>> components = SplitComponents(name);
    return components ? BuildList(shell, *components) : nullptr;
}

std::vector<std::string> ReadItems(const ITEMIDLIST* list) {
    std::vector<std::string> items;
    const auto* at = reinterpret_cast<const char*>(list);
    while (true) {
        std::uint16_t count;
        std::memcpy(&count, at, sizeof count);
        if (count == 0) {
            return items;
        }
        items.emplace_back(at + sizeof count, count - sizeof count);
        at += count;
    }
}

bool EqualIgnoringCase(const std::string& first, const std::string& second) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::equal(first.begin(), first.end(), second.begin(), second.end(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

class PortableDesktopFolder final : public DesktopFolder {
public:
    explicit PortableDesktopFolder(ShellNamespace& shell) : shell_(shell) {}

    ITEMIDLIST* ParseDisplayName(std::wstring name) override { return ParsePath(shell_, name); }

    bool SameObject(const ITEMIDLIST* first, const ITEMIDLIST* second) override {
        const std::vector<std::string> firstItems = ReadItems(first);
        const std::vector<std::string> secondItems = ReadItems(second);
        return std::equal(firstItems.begin(), firstItems.end(), secondItems.begin(), secondItems.end(),
                          EqualIgnoringCase);
    }

private:
    ShellNamespace& shell_;
};

}  // namespace

PortableShell::PortableShell(std::string desktopDirectory)
    : desktopDirectory_(std::move(desktopDirectory)) {}

void* PortableShell::Allocate(std::uint32_t size) {
    if (allocationsLeft_) {
        if (*allocationsLeft_ == 0) {
            return nullptr;
        }
        --*allocationsLeft_;
    }
    // A zero-byte request still yields a distinct block, as the shell's allocator does.
    void* block = std::malloc(size != 0 ? size : 1);
    if (block != nullptr) {
        live_.insert(block);
    }
    return block;
}

void PortableShell::Free(void* block) {
    if (block == nullptr) {
        return;
    }
    if (live_.erase(block) == 0) {
        ++strayFrees_;
        return;
    }
    std::free(block);
}

std::optional<std::wstring> PortableShell::WidenPath(const char* text) {
    const std::string_view bytes(text);
    if (bytes.size() >= kMaxPath) {
        return std::nullopt;
    }
    std::wstring wide;
    for (const char c : bytes) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::unique_ptr<DesktopFolder> PortableShell::OpenDesktopFolder() {
    return std::make_unique<PortableDesktopFolder>(*this);
}

ITEMIDLIST* PortableShell::SpecialFolderLocation(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::Desktop:
        return BuildList(*this, {});
    case SpecialFolder::DesktopDirectory: {
        const std::optional<std::wstring> path = WidenPath(desktopDirectory_.c_str());
        return path ? ParsePath(*this, *path) : nullptr;
    }
    }
    return nullptr;
}

}  // namespace ostrel
