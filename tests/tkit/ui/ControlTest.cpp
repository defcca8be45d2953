#include "tkit/ui/Control.h"

#include "support/Hosts.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using testing_support::HostDialog;
using testing_support::RecordingList;

namespace
{

// Overrides nothing: the wrapped control no longer sees any message.
class SilentControl : public tkit::Control
{
public:
    using Control::callPrevious;
    using Control::Control;
};

// Inserts a row straight through the window's current procedure.
LRESULT insertRow(HWND list)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"row");
    return SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

LONG_PTR procedureOf(HWND window)
{
    return GetWindowLongPtrW(window, GWLP_WNDPROC);
}

TEST(Control, ConstructionSubclassesTheDialogItem)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    const HWND list = host.item(IDC_FILE_LIST);
    const LONG_PTR original = procedureOf(list);
    RecordingList control(host.window, IDC_FILE_LIST);
    EXPECT_EQ(control.id, IDC_FILE_LIST);
    EXPECT_EQ(control.parent, host.window);
    EXPECT_EQ(control.window, list);
    EXPECT_TRUE(control.subclassed);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(control.previousProc), original);
    EXPECT_EQ(procedureOf(list), reinterpret_cast<LONG_PTR>(&tkit::Control::staticWindowProc));
    // The whole 64-bit address is in the slot.
    EXPECT_EQ(GetWindowLongPtrW(list, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&control));
}

TEST(Control, NotificationsReachOnlyOnNotifyAndEverythingElseOnlyOnMessage)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    RecordingList control(host.window, IDC_FILE_LIST);
    NMHDR header = {};
    const LPARAM notify = reinterpret_cast<LPARAM>(&header);
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* slot;
    } cases[] = {
        {WM_NOTIFY, 7, notify, "onNotify"}, {WM_KEYDOWN, VK_DELETE, 1, "onMessage"},
        {WM_USER + 3, 1, 2, "onMessage"},   {LVM_GETITEMCOUNT, 0, 0, "onMessage"},
        {WM_COMMAND, 5, 6, "onMessage"},    {WM_PAINT, 0, 0, "onMessage"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.message);
        control.calls.clear();
        control.answer = 0x1234;
        EXPECT_EQ(SendMessageW(control.window, c.message, c.wParam, c.lParam), 0x1234);
        ASSERT_EQ(control.calls.size(), 1u);
        EXPECT_EQ(control.calls[0].slot, c.slot);
        EXPECT_EQ(control.calls[0].message, c.message);
        EXPECT_EQ(control.calls[0].wParam, c.wParam);
        EXPECT_EQ(control.calls[0].lParam, c.lParam);
    }
    control.answer = 0;
}

TEST(Control, DefaultSlotsAnswerZeroAndTheControlNeverSeesTheMessage)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    SilentControl control(host.window, IDC_FILE_LIST);
    EXPECT_EQ(insertRow(control.window), 0);
    EXPECT_EQ(control.callPrevious(LVM_GETITEMCOUNT, 0, 0), 0) << "the insert reached the list";
    // Straight to the list's own procedure the same request works.
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"row");
    EXPECT_EQ(control.callPrevious(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
    EXPECT_EQ(control.callPrevious(LVM_GETITEMCOUNT, 0, 0), 1);
}

TEST(Control, AWindowWithoutAnObjectIsAnsweredZeroAndNotPassedOn)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    const HWND list = host.item(IDC_FILE_LIST);
    ASSERT_EQ(GetWindowLongPtrW(list, GWLP_USERDATA), 0);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"row");
    EXPECT_EQ(
        tkit::Control::staticWindowProc(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)),
        0);
    EXPECT_EQ(tkit::Control::staticWindowProc(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0) << "the insert reached the list";
}

TEST(Control, DestructionPutsThePreviousProcedureBack)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    const HWND list = host.item(IDC_FILE_LIST);
    const LONG_PTR original = procedureOf(list);
    {
        SilentControl control(host.window, IDC_FILE_LIST);
        EXPECT_EQ(insertRow(list), 0);
        EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    }
    EXPECT_EQ(procedureOf(list), original);
    // The list works again, and no message can reach the destroyed wrapper.
    EXPECT_EQ(insertRow(list), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(tkit::Control::staticWindowProc(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST(Control, AForwardingWrapperOutlivesItsWindowHarmlessly)
{
    HostDialog host(IDD_TEST_LIST_HIDDEN);
    auto* control = new RecordingList(host.window, IDC_FILE_LIST, true);
    const HWND list = control->window;
    // Forwarded requests reach the list as if it were not wrapped.
    EXPECT_EQ(insertRow(list), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    DestroyWindow(host.window);
    EXPECT_FALSE(IsWindow(list));
    // The messages of the control's own destruction reached the live object.
    EXPECT_FALSE(control->wParams(WM_DESTROY).empty());
    EXPECT_FALSE(control->wParams(WM_NCDESTROY).empty());
    delete control;
}

} // namespace
