#include "stamps/Timestamp.h"

#include "tkit/fs/FormatString.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace
{

// FILETIME ticks are 100 ns; a remembered time has whole milliseconds.
constexpr std::uint64_t ticksPerMillisecond = 10'000;

std::uint64_t ticksOf(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t millisecondsOf(const FILETIME& time)
{
    return ticksOf(time) / ticksPerMillisecond;
}

// The fields' file time, only if it gives back exactly the same fields, so a
// 30th of February does not slip into March.
std::optional<FILETIME> exactFileTime(const SYSTEMTIME& fields)
{
    FILETIME time;
    SYSTEMTIME check;
    if (!SystemTimeToFileTime(&fields, &time) || !FileTimeToSystemTime(&time, &check) ||
        check.wYear != fields.wYear || check.wMonth != fields.wMonth || check.wDay != fields.wDay ||
        check.wHour != fields.wHour || check.wMinute != fields.wMinute ||
        check.wSecond != fields.wSecond || check.wMilliseconds != fields.wMilliseconds)
        return std::nullopt;
    return time;
}

// Where the zone designator of a trimmed time text begins, or npos for none: a
// final "Z", any "+", or a minus once the time of day has begun (after a "T", a
// space or a colon); before that, a "-" separates the date's fields.
size_t zoneStart(std::wstring_view text)
{
    if (!text.empty() && (text.back() == L'Z' || text.back() == L'z'))
        return text.size() - 1;
    if (const size_t plus = text.find(L'+'); plus != std::wstring_view::npos)
        return plus;
    const size_t time = text.find_first_of(L"Tt :");
    return time == std::wstring_view::npos ? time : text.find_first_of(L"-\u2212", time);
}

// The number of exactly two decimal digits, or -1.
int twoDigits(std::wstring_view field)
{
    if (field.size() != 2 || field[0] < L'0' || field[0] > L'9' || field[1] < L'0' ||
        field[1] > L'9')
        return -1;
    return (field[0] - L'0') * 10 + (field[1] - L'0');
}

// The minutes ahead of UTC that a zone designator names: "Z", or a sign and
// "hh", "hhmm" or "hh:mm"; none for anything else.
std::optional<int> offsetMinutes(std::wstring_view zone)
{
    if (zone == L"Z" || zone == L"z")
        return 0;
    const std::wstring_view rest = zone.substr(1);
    std::wstring_view minuteField = L"00";
    if (rest.size() == 5 && rest[2] == L':')
        minuteField = rest.substr(3);
    else if (rest.size() == 4)
        minuteField = rest.substr(2);
    else if (rest.size() != 2)
        return std::nullopt;
    const int hours = twoDigits(rest.substr(0, 2));
    const int minutes = twoDigits(minuteField);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return std::nullopt;
    return (zone.front() == L'+' ? 1 : -1) * (hours * 60 + minutes);
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
    std::wstring_view trimmed(text);
    trimmed.remove_prefix(std::min(trimmed.size(), trimmed.find_first_not_of(L" \t")));
    trimmed.remove_suffix(trimmed.size() - (trimmed.find_last_not_of(L" \t") + 1));
    const size_t zone = zoneStart(trimmed);
    if (zone == std::wstring_view::npos)
    {
        const SYSTEMTIME fields = parseTimestamp(text);
        if (!utcFromLocal(fields))
            return std::nullopt;
        return formatTimestamp(fields);
    }

    // The fields are the clock at the zone's offset: the instant is the offset
    // earlier than the same clock in UTC. A malformed zone refuses the text
    // rather than let it be read as local time.
    const std::optional<int> offset = offsetMinutes(trimmed.substr(zone));
    const std::optional<FILETIME> clock =
        exactFileTime(parseTimestamp(std::wstring(trimmed.substr(0, zone))));
    if (!offset || !clock)
        return std::nullopt;
    constexpr std::int64_t ticksPerMinute = 60 * 1000 * 10'000;
    const std::int64_t ticks =
        static_cast<std::int64_t>(ticksOf(*clock)) - std::int64_t{*offset} * ticksPerMinute;
    if (ticks < 0)
        return std::nullopt;
    const FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    std::wstring shown = timestampText(utc);
    if (shown.empty())
        return std::nullopt;
    return shown;
}

bool sameTimestamp(const FILETIME& fileTime, const FILETIME& rowTime)
{
    return millisecondsOf(fileTime) == millisecondsOf(rowTime);
}

bool sameTimestamp(const FILETIME& fileTime, const RowTime& rowTime)
{
    if (!rowTime.exact)
        return sameTimestamp(fileTime, rowTime.utc);
    return CompareFileTime(&fileTime, &rowTime.utc) == 0;
}

std::wstring utcTimestampText(const FILETIME& utc)
{
    SYSTEMTIME time = {};
    if (!FileTimeToSystemTime(&utc, &time))
        return {};
    return tkit::formatString(L"%04d-%02d-%02dT%02d:%02d:%02d.%07dZ", time.wYear, time.wMonth,
                              time.wDay, time.wHour, time.wMinute, time.wSecond,
                              static_cast<int>(ticksOf(utc) % 10'000'000));
}

std::optional<FILETIME> parseUtcTimestamp(std::wstring_view text)
{
    // yyyy-MM-ddTHH:mm:ss, then "." and one to seven digits or nothing, then Z.
    constexpr std::wstring_view shape = L"0000-00-00T00:00:00";
    if (text.size() < shape.size() + 1 || (text.back() != L'Z' && text.back() != L'z'))
        return std::nullopt;
    for (size_t at = 0; at < shape.size(); ++at)
    {
        const bool digit = text[at] >= L'0' && text[at] <= L'9';
        if (shape[at] == L'0' ? !digit : text[at] != shape[at] && !(at == 10 && text[at] == L' '))
            return std::nullopt;
    }
    std::wstring_view fraction = text.substr(shape.size(), text.size() - shape.size() - 1);
    if (!fraction.empty() &&
        (fraction.front() != L'.' || fraction.size() < 2 || fraction.size() > 8))
        return std::nullopt;
    std::uint64_t ticks = 0;
    for (size_t at = 1; at < 8; ++at)
    {
        const wchar_t c = at < fraction.size() ? fraction[at] : L'0';
        if (c < L'0' || c > L'9')
            return std::nullopt;
        ticks = ticks * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    const std::optional<FILETIME> second =
        exactFileTime(parseTimestamp(std::wstring(text.substr(0, shape.size())) + L".000"));
    if (!second)
        return std::nullopt;
    ticks += ticksOf(*second);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}
