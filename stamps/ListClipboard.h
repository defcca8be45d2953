#pragma once

#include "stamps/Skipped.h"

#include <windows.h>

class FileListView;

// Copy and paste of the list's rows through the clipboard, for one owner window.
class ListClipboard
{
public:
    ListClipboard(FileListView& rows, HWND window) : list(rows), owner(window) {}

    // Puts the selected rows on the clipboard as text, one line per row: the
    // full path (a relative row's made full against the current folder), a tab
    // and the time text as the row shows it, each line ended by CRLF. Leaves
    // the clipboard alone when no row is selected. False when the clipboard
    // could not be written (another program kept it open).
    bool copy() const;
    // Adds what the clipboard holds: copied files as a drop adds them, else the
    // lines of a text, each ended by CR, LF or CRLF. "path<TAB>time" with a
    // real date and time becomes a checked row with that time; a path alone
    // (or with an empty time) that names an existing entry is added as a
    // dropped path is; blank lines are skipped. A path in double quotes is
    // taken without them, a byte-order mark at the start of the text is
    // dropped. Gives back the lines refused.
    Skipped paste(bool recursive) const;
    // Whether the clipboard holds files or text to paste; asked without opening it.
    static bool canPaste();

private:
    // Adds the lines of a pasted text.
    Skipped pasteText(const std::wstring& text, bool recursive) const;

    FileListView& list;
    HWND owner;
};
