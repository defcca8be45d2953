#include "stamps/Timestamp.h"

#include "tkit/fs/FormatString.h"

#include <cstdint>

namespace
{

// FILETIME ticks are 100 ns; a remembered time has whole milliseconds.
constexpr std::uint64_t ticksPerMillisecond = 10'000;

std::uint64_t millisecondsOf(const FILETIME& time)
{
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return ticks / ticksPerMillisecond;
}

// The fields' file time, only if it gives back exactly the same fields, so a
// 30th of February does not slip into March.
std::optional<FILETIME> exactFileTime(const SYSTEMTIME& fields)
{
    FILETIME time;
    SYSTEMTIME check;
    if (!SystemTimeToFileTime(&fields, &time) || !FileTimeToSystemTime(&time, &check) ||
        check.wYear != fields.wYear || check.wMonth != fields.wMonth ||
        check.wDay != fields.wDay || check.wHour != fields.wHour ||
        check.wMinute != fields.wMinute || check.wSecond != fields.wSecond ||
        check.wMilliseconds != fields.wMilliseconds)
        return std::nullopt;
    return time;
}

} // namespace

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

std::optional<FILETIME> utcFromLocal(const SYSTEMTIME& localTime)
{
    const std::optional<FILETIME> local = exactFileTime(localTime);
    FILETIME utc;
    if (!local || !LocalFileTimeToFileTime(&*local, &utc))
        return std::nullopt;
    return utc;
}

std::wstring timestampText(const FILETIME& utc)
{
    FILETIME local = {};
    SYSTEMTIME time = {};
    if (FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, &time))
        return formatTimestamp(time);
    return {};
}

std::optional<FILETIME> timestampTime(const std::wstring& text)
{
    return utcFromLocal(parseTimestamp(text));
}

std::optional<std::wstring> normalTimestamp(const std::wstring& text)
{
    const SYSTEMTIME fields = parseTimestamp(text);
    if (!utcFromLocal(fields))
        return std::nullopt;
    return formatTimestamp(fields);
}

bool sameTimestamp(const FILETIME& fileTime, const FILETIME& rowTime)
{
    return millisecondsOf(fileTime) == millisecondsOf(rowTime);
}
