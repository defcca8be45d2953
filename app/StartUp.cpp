#include "app/StartUp.h"

#include "mainwin/HandOff.h"
#include "mainwin/WindowTitle.h"
#include "tkit/fs/FullPath.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

size_t handOver(HWND window, const tkit::StringList& paths)
{
    size_t taken = 0;
    // The open window resolves paths against its own current folder, so
    // relative names are made absolute here, where they were typed.
    while (taken < paths.size() && sendHandOff(window, tkit::fullPath(paths[taken])))
        ++taken;
    return taken;
}

HWND findOpenMainWindow()
{
    const std::wstring title = windowTitle();
    HWND candidate = nullptr;
    while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", title.c_str())) != nullptr)
    {
        wchar_t className[32] = {};
        HWND list = GetDlgItem(candidate, IDC_FILE_LIST);
        if (list != nullptr && GetClassNameW(list, className, 32) > 0 &&
            std::wcscmp(className, WC_LISTVIEWW) == 0)
            return candidate;
    }
    return nullptr;
}

std::wstring windowClaimName()
{
    return windowTitle() + L" window";
}

HWND electWindow(SessionMutex& claim, DWORD patience)
{
    // How often a waiting start looks for the window.
    constexpr ULONGLONG lookInterval = 50;
    const ULONGLONG deadline = GetTickCount64() + patience;
    for (;;)
    {
        if (HWND window = findOpenMainWindow())
            return window;
        const ULONGLONG now = GetTickCount64();
        if (!claim.valid() || now >= deadline)
            return nullptr;
        // Taken: no other start is opening a window. A window opened without
        // the claim (by a start that waited in vain) may have come meanwhile.
        if (claim.take(static_cast<DWORD>(std::min(deadline - now, lookInterval))))
            return findOpenMainWindow();
    }
}
