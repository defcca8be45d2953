#include "tkit/ui/Menu.h"

namespace tkit
{

namespace
{

HMENU findSubmenuHolding(HMENU menu, UINT commandId)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
    {
        HMENU submenu = GetSubMenu(menu, position);
        if (submenu == nullptr)
            continue;
        if (GetMenuState(submenu, commandId, MF_BYCOMMAND) != static_cast<UINT>(-1))
        {
            // The item may sit deeper still: take the innermost submenu.
            HMENU inner = findSubmenuHolding(submenu, commandId);
            return inner != nullptr ? inner : submenu;
        }
    }
    return nullptr;
}

} // namespace

Menu::Menu(HINSTANCE module) : instance(module) {}

Menu::~Menu()
{
    // A dialog's menu bar usually goes with its window; a handle that no
    // longer names a menu is not passed on. The popup is part of the tree of
    // handle and never destroyed on its own.
    if (handle != nullptr && IsMenu(handle))
        DestroyMenu(handle);
}

void Menu::setChecked(UINT commandId, bool checked) const
{
    if (handle == nullptr)
        return;
    // Only the check mark changes: read the item's state first so that a
    // disabled or default item keeps being so.
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(handle, commandId, FALSE, &info))
        return;
    constexpr UINT checkMark = MFS_CHECKED;
    info.fState = checked ? (info.fState | checkMark) : (info.fState & ~checkMark);
    SetMenuItemInfoW(handle, commandId, FALSE, &info);
}

void Menu::setEnabled(UINT commandId, bool enabled) const
{
    if (popup != nullptr)
        EnableMenuItem(popup, commandId,
                       enabled ? UINT{MF_BYCOMMAND | MF_ENABLED} : UINT{MF_BYCOMMAND | MF_GRAYED});
}

UINT Menu::track(HWND owner, POINT at) const
{
    if (popup == nullptr)
        return 0;
    // The owner must be in front for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                       at.y, 0, owner, nullptr);
    return static_cast<UINT>(chosen);
}

HMENU Menu::submenuHolding(UINT commandId) const
{
    return handle != nullptr ? findSubmenuHolding(handle, commandId) : nullptr;
}

} // namespace tkit
