#include "platform/spooler_buffer.h"

#include <cstdint>
#include <cstring>

namespace ostrel {

namespace {

// Compared as integers: a pointer from elsewhere must not be compared with buffer pointers directly.
bool Inside(const std::vector<BYTE>& bytes, const void* address)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    return !bytes.empty() && at >= begin && at - begin < bytes.size();
}

}  // namespace

std::size_t SpoolerBuffer::BytesFrom(const void* address) const
{
    if (!Inside(bytes_, address))
        throw DataFault("pointer outside the returned buffer");
    return bytes_.size() - (reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(bytes_.data()));
}

const BYTE* SpoolerBuffer::Bytes(const void* address, std::size_t length) const
{
    if (length > BytesFrom(address))
        throw DataFault("data runs past the end of the returned buffer");
    return static_cast<const BYTE*>(address);
}

const char* SpoolerBuffer::Text(const char* text) const
{
    if (text == nullptr)
        return nullptr;
    if (std::memchr(text, 0, BytesFrom(text)) == nullptr)
        throw DataFault("text runs past the end of the returned buffer");
    return text;
}

const char* SpoolerBuffer::MultiText(const char* text) const
{
    if (text == nullptr)
        return nullptr;
    for (const char* item = text;; ++item) {
        const auto* end = static_cast<const char*>(std::memchr(item, 0, BytesFrom(item)));
        if (end == nullptr)
            throw DataFault("text list runs past the end of the returned buffer");
        if (end == item)
            return text;
        item = end;
    }
}

}  // namespace ostrel
