#include "stamps/ListFile.h"

#include "stamps/FileListView.h"
#include "stamps/ListText.h"
#include "tkit/fs/TextFile.h"

DWORD saveList(const FileListView& list, const std::wstring& path)
{
    const bool selectedOnly = list.nextItem(-1, LVNI_SELECTED) != -1;
    return tkit::saveTextFile(path,
                              std::wstring(listHeader) + L"\r\n" + listText(list, selectedOnly));
}

DWORD openList(FileListView& list, const std::wstring& path, bool recursive, Skipped& refused,
               Steps& steps)
{
    std::wstring text;
    const DWORD error = tkit::loadTextFile(path, text);
    if (error == ERROR_SUCCESS)
        refused = addListText(list, text, recursive, steps);
    return error;
}
