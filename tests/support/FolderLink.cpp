#include "support/FolderLink.h"

#include "support/TempDir.h"

#include <windows.h>

#include <algorithm>

namespace testing_support
{

namespace
{

using UnixNameFunction = char*(CDECL*)(LPCWSTR);

// Wine's own conversion of a Windows path to the Unix one; absent on Windows.
UnixNameFunction unixNameFunction()
{
    return reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

std::wstring unixName(UnixNameFunction toUnix, const std::wstring& path)
{
    char* name = toUnix(longPath(path).c_str());
    if (name == nullptr)
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length - 1) : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, name, -1, wide.data(), length);
    HeapFree(GetProcessHeap(), 0, name);
    return wide;
}

// Runs a Unix program (Wine starts ELF files like Windows programs) and waits
// until the condition holds; the process handle Wine returns cannot be waited on.
template <typename Condition>
bool runUnix(const std::wstring& program, const std::wstring& arguments, Condition done)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    const std::wstring image = L"Z:" + program;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(image.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    if (process.hThread != nullptr)
        CloseHandle(process.hThread);
    if (process.hProcess != nullptr)
        CloseHandle(process.hProcess);
    for (int i = 0; i < 1000 && !done(); ++i)
        Sleep(10);
    return done();
}

DWORD attributesOf(const std::wstring& path)
{
    return GetFileAttributesW(longPath(path).c_str());
}

// Runs a shell command in a folder; whether it succeeded. Wine gives no exit
// code of a Unix program: the command leaves a file that tells it.
bool runShell(const std::wstring& folder, const std::wstring& unixFolder,
              const std::wstring& command)
{
    const std::wstring ok = folder + L"\\ok", ended = folder + L"\\ended";
    runUnix(L"/bin/sh",
            L"-c \"cd '" + unixFolder + L"' && PATH=/usr/sbin:/sbin:$PATH && (" + command +
                L") >/dev/null 2>&1 && touch ok; touch ended\"",
            [&] { return attributesOf(ended) != INVALID_FILE_ATTRIBUTES; });
    DeleteFileW(ended.c_str());
    return DeleteFileW(ok.c_str()) != FALSE;
}

} // namespace

FolderLink::FolderLink(const std::wstring& link, const std::wstring& target) : linkPath(link)
{
    if (!runningUnderWine())
    {
        if (CreateSymbolicLinkW(longPath(link).c_str(), longPath(target).c_str(),
                                SYMBOLIC_LINK_FLAG_DIRECTORY |
                                    SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
            return;
        refused = L"Windows refused a symbolic link (error " + std::to_wstring(GetLastError()) +
                  L"): without developer mode only an administrator may make one";
        return;
    }
    const UnixNameFunction toUnix = unixNameFunction();
    if (toUnix == nullptr)
        return;
    const std::wstring unixTarget = unixName(toUnix, target);
    const std::wstring unixLinkName = unixName(toUnix, link);
    if (unixTarget.empty() || unixLinkName.empty())
        return;
    unixLink = runUnix(L"/bin/ln", L"-s \"" + unixTarget + L"\" \"" + unixLinkName + L"\"",
                       [this] { return exists(); });
}

FolderLink::~FolderLink()
{
    if (attributesOf(linkPath) == INVALID_FILE_ATTRIBUTES)
        return;
    if (!unixLink)
    {
        RemoveDirectoryW(longPath(linkPath).c_str());
        return;
    }
    // Wine refuses to remove a Unix link as a folder or as a file; rm removes the link itself.
    const UnixNameFunction toUnix = unixNameFunction();
    const std::wstring unixLinkName = unixName(toUnix, linkPath);
    runUnix(L"/bin/rm", L"-f \"" + unixLinkName + L"\"",
            [this] { return attributesOf(linkPath) == INVALID_FILE_ATTRIBUTES; });
}

bool FolderLink::exists() const
{
    const DWORD attributes = attributesOf(linkPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

WineShare::WineShare(const std::wstring& target)
{
    // Wine names C: as <prefix>/dosdevices/c:/ and maps Z: to the Unix root.
    const UnixNameFunction toUnix = unixNameFunction();
    const std::wstring drive = toUnix != nullptr ? unixName(toUnix, L"C:\\") : std::wstring();
    const size_t at = drive.rfind(L"/dosdevices/");
    if (at == std::wstring::npos)
        return;
    uncFolder = L"Z:" + drive.substr(0, at) + L"/dosdevices/unc";
    std::replace(uncFolder.begin(), uncFolder.end(), L'/', L'\\');
    createFolders(uncFolder + L"\\SERVER");
    link = std::make_unique<FolderLink>(uncFolder + L"\\SERVER\\SHARE", target);
    if (link->exists())
        sharePath = L"\\\\SERVER\\SHARE";
}

WineShare::~WineShare()
{
    link.reset();
    // Only empty folders go: whatever else Wine serves stays.
    RemoveDirectoryW(longPath(uncFolder + L"\\SERVER").c_str());
    RemoveDirectoryW(longPath(uncFolder).c_str());
}

MappedDrive::MappedDrive(const std::wstring& target)
{
    wchar_t letter = L'X';
    while (letter > L'D' && (GetLogicalDrives() & (1u << (letter - L'A'))) != 0)
        --letter;
    const std::wstring drive = {letter, L':'};
    const auto mapped = [&] { return attributesOf(drive + L"\\") != INVALID_FILE_ATTRIBUTES; };
    if (!runningUnderWine())
    {
        if (DefineDosDeviceW(0, drive.c_str(), target.c_str()))
            name = drive;
        return;
    }
    // Wine names C: as <prefix>/dosdevices/c:/, and X: as the link beside it.
    const UnixNameFunction toUnix = unixNameFunction();
    const std::wstring c = toUnix != nullptr ? unixName(toUnix, L"C:\\") : std::wstring();
    const std::wstring unixTarget = toUnix != nullptr ? unixName(toUnix, target) : std::wstring();
    const size_t at = c.rfind(L"/dosdevices/");
    if (at == std::wstring::npos || unixTarget.empty())
        return;
    unixLink = c.substr(0, at) + L"/dosdevices/" + wchar_t(letter - L'A' + L'a') + L':';
    if (runUnix(L"/bin/ln", L"-s \"" + unixTarget + L"\" \"" + unixLink + L"\"", mapped))
        name = drive;
}

MappedDrive::~MappedDrive()
{
    if (name.empty())
        return;
    if (unixLink.empty())
        DefineDosDeviceW(DDD_REMOVE_DEFINITION, name.c_str(), nullptr);
    else
        runUnix(L"/bin/rm", L"-f \"" + unixLink + L"\"",
                [this] { return attributesOf(name + L"\\") == INVALID_FILE_ATTRIBUTES; });
}

MountedVolume::MountedVolume(const std::wstring& parent, bool fat) : parentPath(parent)
{
    const UnixNameFunction toUnix = runningUnderWine() ? unixNameFunction() : nullptr;
    unixParent = toUnix != nullptr ? unixName(toUnix, parent) : std::wstring();
    unmount = fat ? L"fusermount -u volume" : L"umount volume";
    if (!unixParent.empty() &&
        runShell(parent, unixParent,
                 std::wstring(L"mkdir volume && truncate -s 8M img && ") +
                     (fat ? L"mkfs.vfat img && fusefat -o rw+ img volume"
                          : L"mkfs.ext4 -q -F -I 128 img && mount -o loop img volume")))
        folder = parent + L"\\volume";
}

bool MountedVolume::makeReadOnly() const
{
    return !folder.empty() && runShell(parentPath, unixParent, L"mount -o remount,ro volume");
}

MountedVolume::~MountedVolume()
{
    if (!folder.empty())
        runShell(parentPath, unixParent, unmount);
}

RunningProgram::RunningProgram(const std::wstring& folder)
{
    const UnixNameFunction toUnix = runningUnderWine() ? unixNameFunction() : nullptr;
    const std::wstring unixFolder = toUnix != nullptr ? unixName(toUnix, folder) : std::wstring();
    // It runs while running.hold is there, a minute at most, and says when it is done.
    if (!unixFolder.empty() &&
        runShell(folder, unixFolder,
                 L"cp /bin/sh running && touch running.hold && { ./running -c 'touch "
                 L"running.started; i=0; while [ -e running.hold ] && [ $i -lt 1200 ]; do "
                 L"sleep 0.05; i=$((i+1)); done; touch running.ended' & }"))
        program = folder + L"\\running";
    for (int i = 0; i < 1000 && !program.empty() &&
                    attributesOf(program + L".started") == INVALID_FILE_ATTRIBUTES;
         ++i)
        Sleep(10);
}

RunningProgram::~RunningProgram()
{
    if (!program.empty() && DeleteFileW((program + L".hold").c_str()))
        for (int i = 0; i < 1000 && attributesOf(program + L".ended") == INVALID_FILE_ATTRIBUTES;
             ++i)
            Sleep(10);
}

} // namespace testing_support
