#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace testing_support
{

// A drop handle as the shell makes it: a movable global block holding a
// DROPFILES header and the wide names, each null-terminated, with one more
// null at the end.
HDROP makeDrop(const std::vector<std::wstring>& names);
// True while the block behind a drop handle has not been released.
bool dropIsHeld(HDROP drop);
// Puts files on the clipboard as the shell copies them, or else the text.
void putOnClipboard(HWND owner, const std::wstring& text,
                    const std::vector<std::wstring>& files = {});
// The text on the clipboard, or "(none)".
std::wstring clipboardText();

} // namespace testing_support
