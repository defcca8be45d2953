#pragma once

#include "stamps/Skipped.h"
#include "stamps/Steps.h"

#include <string>

class FileListView;

// The list as text, as a copy and a saved list hold it: one line per row, the
// full path (a relative row's made full against the current folder), the time
// as the row shows it (local time) and the whole time in UTC, each ended by a
// tab or, the last, by CRLF. A row without a real time has no UTC column text.

// The first line of a saved list; a text may begin with it, and it adds no row.
inline constexpr wchar_t listHeader[] = L"ファイル名\t更新日時\t更新日時 (UTC)";

// The rows as text: the selected ones, or every row.
std::wstring listText(const FileListView& list, bool selectedOnly);

// Adds the lines of a text, each ended by CR, LF or CRLF, to the list:
// - "path<TAB>local<TAB>utc": a checked row with the UTC time, exact to the
//   100 ns, whatever the local column says; a malformed UTC column refuses
//   the line, it is never read as local time;
// - "path<TAB>local": a checked row with that time, read in today's offset
//   (or in the zone it names, "Z" or "+09:00");
// - a path alone, or with empty time columns, that names an existing entry:
//   added as a dropped path is;
// - blank lines and the header are skipped; every other line is refused.
// A path in double quotes is taken without them, a byte-order mark at the
// start of the text is dropped. Gives back the lines refused.
// Runs in steps; stopped, the lines added so far stay.
Skipped addListText(FileListView& list, const std::wstring& text, bool recursive,
                    Steps& steps = Steps::none());
