#include "stamps/Timestamp.h"

#include "tkit/fs/FormatString.h"

#include <cstdint>

std::wstring formatTimestamp(const SYSTEMTIME& time)
{
    return tkit::formatString(L"%04d/%02d/%02d %02d:%02d:%02d.%03d", time.wYear, time.wMonth,
                              time.wDay, time.wHour, time.wMinute, time.wSecond,
                              time.wMilliseconds);
}

SYSTEMTIME parseTimestamp(const std::wstring& text)
{
    SYSTEMTIME time = {};

    // The digits, in order, read as one decimal number; everything else is a separator.
    constexpr std::uint64_t limit = INT64_MAX;
    std::uint64_t number = 0;
    for (const wchar_t c : text)
    {
        if (c < L'0' || c > L'9')
            continue;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - L'0');
        // A number that does not fit gives no time at all rather than a wrapped one
        // that could look like a valid date.
        if (number > (limit - digit) / 10)
            return SYSTEMTIME{};
        number = number * 10 + digit;
    }

    const std::uint64_t year = number / 10000000000000ULL;
    // A year the field cannot hold would come back as a different, valid year.
    if (year > 0xFFFF)
        return SYSTEMTIME{};

    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(number / 100000000000ULL % 100);
    time.wDay = static_cast<WORD>(number / 1000000000ULL % 100);
    time.wHour = static_cast<WORD>(number / 10000000ULL % 100);
    time.wMinute = static_cast<WORD>(number / 100000ULL % 100);
    time.wSecond = static_cast<WORD>(number / 1000ULL % 100);
    time.wMilliseconds = static_cast<WORD>(number % 1000);
    return time;
}

// The conversion must give back exactly the same fields, so a 30th of February
// does not slip into March.
std::optional<FILETIME> utcFromLocal(const SYSTEMTIME& localTime)
{
    FILETIME local;
    FILETIME utc;
    if (!SystemTimeToFileTime(&localTime, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return std::nullopt;
    SYSTEMTIME check;
    if (!FileTimeToSystemTime(&local, &check) || check.wYear != localTime.wYear ||
        check.wMonth != localTime.wMonth || check.wDay != localTime.wDay ||
        check.wHour != localTime.wHour || check.wMinute != localTime.wMinute ||
        check.wSecond != localTime.wSecond || check.wMilliseconds != localTime.wMilliseconds)
        return std::nullopt;
    return utc;
}
