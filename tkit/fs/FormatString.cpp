#include "tkit/fs/FormatString.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace tkit
{

std::wstring formatString(const wchar_t* format, ...)
{
    if (format == nullptr)
        return std::wstring();

    std::vector<wchar_t> buffer(512, L'\0');

    va_list args;
    va_start(args, format);

    // A counting pass first, so that a long result gets a buffer it fits in.
    va_list counting;
    va_copy(counting, args);
    const int needed = _vscwprintf(format, counting);
    va_end(counting);
    if (needed >= 0 && buffer.size() < static_cast<size_t>(needed) + 2)
        buffer.assign(static_cast<size_t>(needed) + 2, L'\0');

    std::vswprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);

    // The formatting routine may leave the buffer unterminated when it fails.
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

std::wstring systemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    // The system's text ends with a line break.
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    return formatString(L"%ls (%lu)", message.c_str(), code);
}

} // namespace tkit
