#include <windows.h>
#include <shlobj.h>

#include "platform/shell_namespace.h"
#include "platform/win32/wide_text.h"

namespace ostrel {

namespace {

// Owns one reference to a COM interface.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    // For the out-parameter of a call that hands over a new reference; only on an empty ComRef.
    Interface** Receive() { return &pointer_; }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

class Win32DesktopFolder final : public DesktopFolder {
public:
    bool Open() { return SUCCEEDED(SHGetDesktopFolder(folder_.Receive())); }

    ITEMIDLIST* ParseDisplayName(std::wstring name) override {
        LPITEMIDLIST list = nullptr;
        // The list alone tells the outcome: a folder that cannot parse the name leaves it null.
        folder_->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &list, nullptr);
        return list;
    }

    bool SameObject(const ITEMIDLIST* first, const ITEMIDLIST* second) override {
        const HRESULT order = folder_->CompareIDs(0, first, second);
        return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
    }

private:
    ComRef<IShellFolder> folder_;
};

class Win32Shell final : public ShellNamespace {
public:
    void* Allocate(std::uint32_t size) override {
        ComRef<IMalloc> allocator;
        if (FAILED(SHGetMalloc(allocator.Receive()))) {
            return nullptr;
        }
        return allocator->Alloc(size);
    }

    void Free(void* block) override { CoTaskMemFree(block); }

    std::optional<std::wstring> WidenPath(const char* text) override {
        std::wstring wide = Widen(text);
        if (wide.size() >= MAX_PATH) {
            return std::nullopt;
        }
        return wide;
    }

    std::unique_ptr<DesktopFolder> OpenDesktopFolder() override {
        auto desktop = std::make_unique<Win32DesktopFolder>();
        if (!desktop->Open()) {
            return nullptr;
        }
        return desktop;
    }

    ITEMIDLIST* SpecialFolderLocation(SpecialFolder folder) override {
        const int csidl = folder == SpecialFolder::Desktop ? CSIDL_DESKTOP : CSIDL_DESKTOPDIRECTORY;
        LPITEMIDLIST list = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
            return nullptr;
        }
        return list;
    }
};

}  // namespace

ShellNamespace* PlatformShellNamespace() {
    static Win32Shell shell;
    return &shell;
}

}  // namespace ostrel
