#include "platform/text_and_time.h"

#ifdef _WIN32
#include "platform/win32/wide_text.h"
#endif

#include <cstdint>

namespace ostrel {

#ifdef _WIN32

bool FileTimeToSystemTime(const FILETIME& time, SYSTEMTIME& fields)
{
    return ::FileTimeToSystemTime(&time, &fields) != FALSE;
}

std::string WideToAnsi(const WORD* text, std::size_t length)
{
    std::size_t units = 0;
    while (units < length && text[units] != 0)
        ++units;
    return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text), units));
}

#else

namespace {

constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

}  // namespace

bool FileTimeToSystemTime(const FILETIME& time, SYSTEMTIME& fields)
{
    const std::uint64_t ticks = (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    if (ticks >> 63)
        return false;
    constexpr std::uint64_t ticksPerDay = 864000000000ull;
    std::int64_t days = static_cast<std::int64_t>(ticks / ticksPerDay) + DaysFromCivil(1601, 1, 1);
    std::uint64_t rest = ticks % ticksPerDay;

    fields.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2);

    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(rest / 36000000000ull);
    rest %= 36000000000ull;
    fields.wMinute = static_cast<WORD>(rest / 600000000ull);
    rest %= 600000000ull;
    fields.wSecond = static_cast<WORD>(rest / 10000000ull);
    fields.wMilliseconds = static_cast<WORD>(rest % 10000000ull / 10000ull);
    return true;
}

std::string WideToAnsi(const WORD* text, std::size_t length)
{
    std::string ansi;
    for (std::size_t i = 0; i < length && text[i] != 0; ++i)
        ansi += text[i] <= 0xFF ? static_cast<char>(text[i]) : '?';
    return ansi;
}

#endif

}  // namespace ostrel
