#pragma once

#include <windows.h>

#include <optional>
#include <string>

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
// Whether a file's time is a row's time, at the precision a row holds: the millisecond.
bool sameTimestamp(const FILETIME& fileTime, const FILETIME& rowTime);
