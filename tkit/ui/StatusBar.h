#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tkit
{

// A status bar along the bottom edge of a dialog, made at run time (the
// dialog's template has none), in parts of fixed widths; the last part takes
// the rest. It keeps to the bottom edge as the dialog is resized.
class StatusBar
{
public:
    StatusBar(HWND dialog, int id);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    // The widths of the parts before the last, in pixels.
    void setParts(const std::vector<int>& widths);
    void setText(int part, const std::wstring& text);
    std::wstring text(int part) const;
    // Its height in pixels, as it stands at the dialog's bottom edge.
    int height() const;
    // A part's rectangle in the dialog's client coordinates.
    RECT partRect(int part) const;
    // Follows the dialog's new size (WM_SIZE of the dialog).
    void resized() const;

    HWND window;

private:
    HWND dialog;
};

} // namespace tkit
