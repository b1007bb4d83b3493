// Owners for the system handles the windows use (the platform's Unique, one alias a kind), and the
// scoped changes a window makes: the wait cursor, an object selected into a device context.
#pragma once

#include "platform/unique_handle.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

namespace ostrel::ui {

using ostrel::Unique;

inline void ReleaseGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void ReleaseIcon(HICON icon) { DestroyIcon(icon); }
inline void ReleaseMenu(HMENU menu) { DestroyMenu(menu); }
inline void ReleaseAccelerators(HACCEL table) { DestroyAcceleratorTable(table); }
inline void ReleaseImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void ReleaseTaskMemory(void* block) { CoTaskMemFree(block); }
inline void ReleaseKernelObject(HANDLE object) { CloseHandle(object); }

using UniqueIcon = Unique<HICON, ReleaseIcon>;
using UniqueMenu = Unique<HMENU, ReleaseMenu>;
using UniqueAccelerators = Unique<HACCEL, ReleaseAccelerators>;
using UniqueImageList = Unique<HIMAGELIST, ReleaseImageList>;
using UniqueFont = Unique<HFONT, ReleaseGdiObject>;
using UniqueBitmap = Unique<HBITMAP, ReleaseGdiObject>;
using UniqueRegion = Unique<HRGN, ReleaseGdiObject>;
// Events, threads and the like, whose failed creation gives null.
using UniqueKernelObject = Unique<HANDLE, ReleaseKernelObject>;
template <typename T>
using UniqueTaskMemory = Unique<T*, ReleaseTaskMemory>;

// One reference to a COM interface.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    // For a call that hands over a new reference; releases what was held first.
    Interface** Receive()
    {
        reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset()
    {
        if (pointer_ != nullptr)
            std::exchange(pointer_, nullptr)->Release();
    }

private:
    Interface* pointer_ = nullptr;
};

// Shows the hourglass for its lifetime and puts back the cursor that showed before, on every path.
class WaitCursor {
public:
    // 32514 is IDC_WAIT, which the headers give only as a narrow resource name.
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// A device context selection undone at scope end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace ostrel::ui
