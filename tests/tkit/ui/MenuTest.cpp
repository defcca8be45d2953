#include "tkit/ui/Menu.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A menu bar like the main window's: the commands sit in popups.
HMENU makeBar(HMENU& settings)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 40001, L"one");
    AppendMenuW(file, MF_STRING, 40002, L"two");
    settings = CreatePopupMenu();
    AppendMenuW(settings, MF_STRING, 40004, L"four");
    AppendMenuW(settings, MF_STRING | MF_GRAYED, 40005, L"five");
    AppendMenuW(settings, MF_STRING, 40006, L"six");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"file");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), L"settings");
    return bar;
}

UINT stateOf(HMENU menu, UINT id)
{
    return GetMenuState(menu, id, MF_BYCOMMAND);
}

TEST(Menu, SetCheckedFindsTheItemInAPopupAndChangesOnlyTheMark)
{
    tkit::Menu menu(GetModuleHandleW(nullptr));
    menu.handle = makeBar(menu.popup);
    const struct
    {
        UINT id;
        bool checked;
        const char* marks; // of 40001, 40002, 40004, 40005 and 40006 afterwards
    } steps[] = {{40004, true, "00100"},  {40005, true, "00110"},  {40001, true, "10110"},
                 {40004, false, "10010"}, {40004, false, "10010"}, {40005, false, "10000"},
                 {40006, true, "10001"}};
    for (const auto& step : steps)
    {
        menu.setChecked(step.id, step.checked);
        std::string marks;
        for (const UINT id : {40001u, 40002u, 40004u, 40005u, 40006u})
            marks += (stateOf(menu.handle, id) & MF_CHECKED) ? '1' : '0';
        EXPECT_EQ(marks, step.marks) << "after setting " << step.id;
    }
    EXPECT_TRUE(stateOf(menu.handle, 40005) & MF_GRAYED) << "the disabled item stays disabled";
    EXPECT_FALSE(stateOf(menu.handle, 40006) & MF_GRAYED);
    EXPECT_EQ(menu.submenuHolding(40005), menu.popup);
    EXPECT_EQ(menu.submenuHolding(40099), nullptr);
    // An id that is not in the menu changes nothing.
    menu.setChecked(40099, true);
    EXPECT_TRUE(stateOf(menu.handle, 40006) & MF_CHECKED);
}

TEST(Menu, DestructionDestroysTheTreeAndIsHarmlessWithoutOne)
{
    HMENU settings = nullptr;
    HMENU bar = makeBar(settings);
    {
        tkit::Menu menu(GetModuleHandleW(nullptr));
        menu.handle = bar;
        menu.popup = settings;
    }
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(settings)) << "the popup goes with its tree";

    // A popup outside the tree of handle is never destroyed on its own: not
    // without a handle, nor with one destroyed already (as a dialog's bar goes
    // with its window).
    HMENU outside = CreatePopupMenu();
    HMENU gone = CreateMenu();
    DestroyMenu(gone);
    for (HMENU handle : {HMENU{nullptr}, gone})
    {
        {
            tkit::Menu menu(GetModuleHandleW(nullptr));
            menu.handle = handle;
            menu.popup = outside;
            menu.setChecked(40001, true);
        }
        EXPECT_TRUE(IsMenu(outside)) << (handle ? "destroyed handle" : "no handle");
    }
    DestroyMenu(outside);
}

} // namespace
