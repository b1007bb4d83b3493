// The one owner of every system handle and system-allocated block: it releases its handle with the
// one function that releases that kind, moves but never copies, and takes a new handle only after
// letting go of the old one. Each kind is an alias: Unique<HFONT, ReleaseGdiObject>, ...
#pragma once

#include <utility>

namespace ostrel {

template <typename Handle, auto Release>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{})
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != Handle{})
            Release(old);
    }

private:
    Handle handle_{};
};

}  // namespace ostrel
