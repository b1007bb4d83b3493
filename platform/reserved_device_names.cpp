#include "platform/reserved_device_names.h"

#include <array>

namespace ostrel {

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

}  // namespace

bool IsReservedDeviceName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 4> Plain{"CON", "PRN", "AUX", "NUL"};
    for (const std::string_view device : Plain)
        if (EqualsIgnoringCase(name, device))
            return true;
    if (name.size() == 4 && (EqualsIgnoringCase(name.substr(0, 3), "COM") || EqualsIgnoringCase(name.substr(0, 3), "LPT")))
        return name[3] >= '1' && name[3] <= '9';
    return false;
}

}  // namespace ostrel
