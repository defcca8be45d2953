#include "support/BenchTree.h"

#include <cwchar>
#include <deque>

namespace bench
{

std::wstring entryName(int serial, bool folder)
{
    static const wchar_t* const fileForms[] = {L"ファイル%06d.txt", L"data_%06d.bin",
                                               L"写真_%06d.jpg", L"report-%06d.docx"};
    static const wchar_t* const folderForms[] = {L"フォルダ%06d", L"dir_%06d"};
    wchar_t name[64];
    const wchar_t* form = folder ? folderForms[serial % 2] : fileForms[serial % 4];
    swprintf(name, 64, form, serial);
    return name;
}

void generateTree(const std::wstring& root, int entries, TreeShape shape)
{
    CreateDirectoryW(root.c_str(), nullptr);
    std::deque<std::wstring> folders = {root};
    int made = 0;
    while (made < entries && !folders.empty())
    {
        const std::wstring folder = folders.front();
        folders.pop_front();
        for (int i = 0; i < shape.entriesPerFolder && made < entries; ++i, ++made)
        {
            const bool isFolder = i < shape.foldersPerFolder;
            const std::wstring path = folder + L"\\" + entryName(made, isFolder);
            if (isFolder)
            {
                CreateDirectoryW(path.c_str(), nullptr);
                folders.push_back(path);
                continue;
            }
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
}

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesW(path.c_str(),
                                   data.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring scratchPath(const std::wstring& stem)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"cgbench-" + stem + L"-" + std::to_wstring(GetCurrentProcessId());
}

double secondsBetween(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter;
}

} // namespace bench
