#include "mainwin/HandOff.h"

#include <vector>

std::optional<std::wstring> handedOverPath(const COPYDATASTRUCT* data)
{
    if (data == nullptr || data->dwData != handOffKind || data->lpData == nullptr ||
        data->cbData < sizeof(wchar_t))
        return std::nullopt;
    // Never read beyond cbData, whether or not the sender put a null inside it.
    const auto* text = static_cast<const wchar_t*>(data->lpData);
    const size_t units = data->cbData / sizeof(wchar_t);
    size_t length = 0;
    while (length < units && text[length] != L'\0')
        ++length;
    return std::wstring(text, length);
}

bool sendHandOff(HWND window, const std::wstring& path)
{
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(L'\0');
    COPYDATASTRUCT data;
    data.dwData = handOffKind;
    data.cbData = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    data.lpData = buffer.data();
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE;
}
