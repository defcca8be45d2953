#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The one form of a remembered time: "yyyy/MM/dd HH:mm:ss.fff" of a local date-time.
std::wstring formatTimestamp(const SYSTEMTIME& time);
// Reads the digits of a timestamp text back into its fields; separators carry no meaning.
SYSTEMTIME parseTimestamp(const std::wstring& text);
// The UTC file time of a local date-time, through today's time-zone bias; none
// for fields that are no real date and time.
std::optional<FILETIME> utcFromLocal(const SYSTEMTIME& localTime);
