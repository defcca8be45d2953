#include "tkit/fs/TextFile.h"

#include "tkit/fs/FormatString.h"
#include "tkit/fs/PlatformPath.h"

#include <algorithm>
#include <string_view>

namespace tkit
{

namespace
{

constexpr char utf8Mark[] = "\xEF\xBB\xBF";

// Closes a handle on every way out.
struct Handle
{
    HANDLE handle;
    ~Handle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

std::string utf8Of(const std::wstring& text)
{
    std::string bytes(utf8Mark);
    if (text.empty())
        return bytes;
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    const size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[start], size,
                        nullptr, nullptr);
    return bytes;
}

// The text of bytes in a code page; empty when they are not valid in it.
std::wstring decoded(UINT codePage, std::string_view bytes, DWORD flags)
{
    if (bytes.empty())
        return {};
    const int size = MultiByteToWideChar(codePage, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
}

DWORD writeAll(HANDLE file, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();)
    {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return GetLastError();
        done += written;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

} // namespace

DWORD saveTextFile(const std::wstring& path, const std::wstring& text)
{
    const PlatformPath target(path);
    // Windows does not replace a read-only file. Wine: MoveFileExW replaces
    // it; the check keeps both the same.
    if (const DWORD attributes = GetFileAttributesW(target.name());
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    // Beside the target, so that taking its place is a rename on one volume.
    const PlatformPath temporary(formatString(L"%ls.%lx.tmp", path.c_str(), GetCurrentProcessId()));
    DWORD error = ERROR_SUCCESS;
    {
        const Handle file{CreateFileW(temporary.name(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file.handle == INVALID_HANDLE_VALUE)
            return GetLastError();
        error = writeAll(file.handle, utf8Of(text));
    }
    if (error == ERROR_SUCCESS && !MoveFileExW(temporary.name(), target.name(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS)
        DeleteFileW(temporary.name());
    return error;
}

DWORD loadTextFile(const std::wstring& path, std::wstring& text)
{
    const PlatformPath source(path);
    std::string bytes;
    {
        const Handle file{CreateFileW(source.name(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
        LARGE_INTEGER size = {};
        if (file.handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.handle, &size))
            return GetLastError();
        if (size.QuadPart > 0x7FFFFFFF)
            return ERROR_FILE_TOO_LARGE;
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() &&
            !ReadFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            return GetLastError();
        bytes.resize(read);
    }
    const std::string_view all(bytes);
    if (all.substr(0, 2) == "\xFF\xFE")
    {
        const std::string_view units = all.substr(2);
        text.assign(units.size() / 2, L'\0');
        for (size_t at = 0; at < text.size(); ++at)
            text[at] = static_cast<wchar_t>(static_cast<unsigned char>(units[2 * at]) |
                                            static_cast<unsigned char>(units[2 * at + 1]) << 8);
        return ERROR_SUCCESS;
    }
    const std::string_view body = all.substr(0, 3) == utf8Mark ? all.substr(3) : all;
    text = decoded(CP_UTF8, body, MB_ERR_INVALID_CHARS);
    if (text.empty() && !body.empty())
        text = decoded(CP_ACP, body, 0);
    return ERROR_SUCCESS;
}

} // namespace tkit
