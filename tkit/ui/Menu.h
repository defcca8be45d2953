#pragma once

#include <windows.h>

namespace tkit
{

// Owns a menu and destroys it with the object; popup is a submenu kept at hand.
class Menu
{
public:
    explicit Menu(HINSTANCE instance);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    // Sets or clears the check mark of an item of handle, found by command id.
    void setChecked(UINT commandId, bool checked) const;
    // Enables or greys an item of popup, found by command id.
    void setEnabled(UINT commandId, bool enabled) const;
    // Shows popup at a point of the screen for owner and waits for the choice;
    // the chosen command id, or 0 when the menu was closed without one.
    UINT track(HWND owner, POINT at) const;
    // The submenu of handle that holds the item with the command id, at any
    // depth; null when no submenu holds it.
    HMENU submenuHolding(UINT commandId) const;

    HINSTANCE instance;
    HMENU handle = nullptr;
    HMENU popup = nullptr;
};

} // namespace tkit
