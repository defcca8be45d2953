#pragma once

#include <string>

class FileListView;

// The selected rows as text, one line per row: the path, a tab and the time
// text as the row shows it, each line ended by CRLF.
std::wstring selectedRowsText(const FileListView& list);

// What a paste did not take: how many lines, and the first of them.
struct PasteRefusals
{
    int count = 0;
    std::wstring first;
};

// Adds the lines of a text to the list. "path<TAB>time" with a real date and
// time becomes a checked row with that time; a path alone (or with an empty
// time) that names an existing entry is added as a dropped path is; blank
// lines are skipped, every other line is refused.
PasteRefusals pasteText(FileListView& list, const std::wstring& text, bool recursive);
