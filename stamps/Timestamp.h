#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The forms of a remembered time, and whether a file carries one. A row keeps
// its time as text: "yyyy/MM/dd HH:mm:ss.fff" of a local date-time. A file
// keeps it as a UTC file time.

// The text of a local date-time.
std::wstring formatTimestamp(const SYSTEMTIME& time);
// Reads the digits of a timestamp text back into its fields; separators carry no meaning.
SYSTEMTIME parseTimestamp(const std::wstring& text);
// The UTC file time of a local date-time, through today's time-zone bias; none
// for fields that are no real date and time.
std::optional<FILETIME> utcFromLocal(const SYSTEMTIME& localTime);

// A file's time as a row shows it, in local time; empty when it is no date.
std::wstring timestampText(const FILETIME& utc);
// The file time a row's text stands for; none for a text that is no real date and time.
std::optional<FILETIME> timestampTime(const std::wstring& text);
// A text in the one form of a row, with the same fields; none for a text that
// is no real date and time. A text ending in a zone designator ("Z", "+09:00",
// "-0500", "+09") names an instant, given in the local time the row shows;
// one whose designator is malformed is none, never read as local time.
std::optional<std::wstring> normalTimestamp(const std::wstring& text);
// Whether a file's time is a row's time to the millisecond, the precision of its text.
bool sameTimestamp(const FILETIME& fileTime, const FILETIME& rowTime);

// The time a row holds: the file time it stands for, and whether that is the
// whole time the row captured (to the 100 ns) or only what its text says (to
// the millisecond: typed, edited, or pasted without the whole time).
struct RowTime
{
    FILETIME utc;
    bool exact;
};
// Whether a file's time is a row's time, at the precision the row holds.
bool sameTimestamp(const FILETIME& fileTime, const RowTime& rowTime);

// The whole time in UTC as ISO 8601 with seven decimals: "2024-07-01T01:00:00.1234567Z".
std::wstring utcTimestampText(const FILETIME& utc);
// Reads such a text back: a date and time of day, up to seven decimals, and
// "Z"; none for anything else.
std::optional<FILETIME> parseUtcTimestamp(std::wstring_view text);
