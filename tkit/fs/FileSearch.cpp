#include "tkit/fs/FileSearch.h"

#include "tkit/fs/PathStrings.h"

namespace tkit
{

FileSearch::FileSearch() : findData() {}

FileSearch::~FileSearch()
{
    close();
}

const WIN32_FIND_DATAW* FileSearch::first(const wchar_t* folderPath,
                                          const std::wstring& patternText)
{
    close();
    if (folderPath == nullptr || *folderPath == L'\0')
        return nullptr;

    searchFolder = addTrailingSeparator(folderPath);
    patterns = patternText;
    patternList.clear();
    splitAtAny(&patternList, patterns, L";");

    // The platform is asked for every entry; the patterns are applied here. A
    // path that names no folder (a file, nothing at all) lists nothing.
    const std::wstring searchName = platformName(searchFolder + L"*");
    findHandle = FindFirstFileExW(searchName.c_str(), FindExInfoStandard, &findData,
                                  FindExSearchNameMatch, nullptr, 0);
    if (findHandle == INVALID_HANDLE_VALUE)
        return nullptr;
    while (!accepted())
    {
        if (!FindNextFileW(findHandle, &findData))
        {
            close();
            return nullptr;
        }
    }
    return &findData;
}

const WIN32_FIND_DATAW* FileSearch::next()
{
    if (findHandle == INVALID_HANDLE_VALUE || patterns.empty())
        return nullptr;
    if (pending)
    {
        pending = false;
        return &findData;
    }
    do
    {
        if (!FindNextFileW(findHandle, &findData))
            return nullptr;
    } while (!accepted());
    return &findData;
}

void FileSearch::close()
{
    pending = true;
    if (findHandle != INVALID_HANDLE_VALUE)
        FindClose(findHandle);
    findHandle = INVALID_HANDLE_VALUE;
}

bool FileSearch::accepted() const
{
    const wchar_t* name = findData.cFileName;
    if (lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0)
        return false;
    for (const std::wstring& pattern : patternList)
    {
        if (wildcardMatch(name, pattern.c_str()))
            return true;
    }
    return false;
}

} // namespace tkit
