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

} // namespace tkit
