#include "platform/win32/wide_text.h"

namespace ostrel {

namespace {

// With lossy null, what the page lacks is replaced; otherwise *lossy says whether anything was.
std::string NarrowText(std::wstring_view text, UINT codePage, BOOL* lossy)
{
    if (text.empty())
        return {};
    const DWORD flags = lossy != nullptr ? WC_NO_BEST_FIT_CHARS : 0;
    const int units = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, flags, text.data(), units, nullptr, 0, nullptr, lossy);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, flags, text.data(), units, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring Widen(std::string_view text, UINT codePage)
{
    if (text.empty())
        return {};
    const int units = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), units, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), units, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view text, UINT codePage)
{
    return NarrowText(text, codePage, nullptr);
}

std::optional<std::string> NarrowExactly(std::wstring_view text, UINT codePage)
{
    BOOL lossy = FALSE;
    std::string narrow = NarrowText(text, codePage, &lossy);
    if (lossy || (narrow.empty() && !text.empty()))
        return std::nullopt;
    return narrow;
}

}  // namespace ostrel
