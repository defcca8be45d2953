#pragma once

#include <windows.h>

// Keeps one child control at a fixed distance from the right and bottom edges
// of its dialog's client area.
class ResizeAnchor
{
public:
    ResizeAnchor(HWND dialog, HWND control);

    // Sizes the control for a client area of the given size; never below zero.
    void resize(int clientWidth, int clientHeight) const;
    // Scales the margins from one display scale to another.
    void rescale(UINT fromDpi, UINT toDpi);

    HWND control;
    int marginWidth = 0;
    int marginHeight = 0;
    RECT clientRect = {};
    RECT controlRect = {};
    POINT controlOrigin = {};
};
