#pragma once

#include "tkit/fs/StringList.h"

#include <windows.h>

#include <string>

namespace tkit
{

// Lists the entries of one folder that match any of a ";"-separated set of
// wildcard patterns, skipping "." and "..".
class FileSearch
{
public:
    FileSearch();
    virtual ~FileSearch();
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    // Starts a search; tells only whether there is any entry (next() hands out the first one).
    const WIN32_FIND_DATAW* first(const wchar_t* folderPath, const std::wstring& patternText);
    const WIN32_FIND_DATAW* next();
    void close();
    // The searched folder, ending in a separator.
    const std::wstring& folder() const { return searchFolder; }

private:
    bool accepted() const;

    HANDLE findHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW findData;
    std::wstring searchFolder;
    std::wstring patterns;
    StringList patternList;
    bool pending = true;
};

} // namespace tkit
