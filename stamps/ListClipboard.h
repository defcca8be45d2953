#pragma once

#include "stamps/Skipped.h"
#include "stamps/Steps.h"

#include <windows.h>

class FileListView;

// Copy and paste of the list's rows through the clipboard, for one owner window.
class ListClipboard
{
public:
    ListClipboard(FileListView& rows, HWND window) : list(rows), owner(window) {}

    // Puts the selected rows on the clipboard as the list's text (listText).
    // Leaves the clipboard alone when no row is selected. False when the
    // clipboard could not be written (another program kept it open).
    bool copy() const;
    // Adds what the clipboard holds: copied files as a drop adds them, else
    // the lines of a text (addListText). Gives back the lines refused.
    Skipped paste(bool recursive, Steps& steps = Steps::none()) const;
    // Whether the clipboard holds files or text to paste; asked without opening it.
    static bool canPaste();

private:
    FileListView& list;
    HWND owner;
};
