#include "tkit/ui/Dialog.h"

#include "support/ModalSteps.h"
#include "support/Recorder.h"
#include "tests/res/testres.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testing_support::Call;
using testing_support::ModalSteps;

namespace
{

// A dialog that records every slot call. Slots that merely answer give
// `answer` (0, the base default, unless a test changes it); the others keep the
// base behaviour, except onOk, whose answer a test can choose.
class RecordingDialog : public tkit::Dialog, public testing_support::Recorder
{
public:
    RecordingDialog() : Dialog(GetModuleHandleW(nullptr), IDD_TEST_PLAIN, &marker) {}

    INT_PTR okAnswer = 1;
    HWND windowAtInit = nullptr;
    LONG_PTR userSlotAtInit = 0;
    int marker = 0;
    LRESULT notifyResult = 0;

    // The slots that one message reached.
    std::vector<Call> callsDuring(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* answered)
    {
        calls.clear();
        *answered = staticDialogProc(window, message, wParam, lParam);
        return calls;
    }

    using Dialog::messageResult;

protected:
    INT_PTR onInitDialog(WPARAM wParam, LPARAM lParam) override
    {
        record("onInitDialog", wParam, lParam);
        windowAtInit = window;
        userSlotAtInit = GetWindowLongPtrW(window, DWLP_USER);
        return Dialog::onInitDialog(wParam, lParam);
    }
    INT_PTR onClose() override
    {
        record("onClose");
        return Dialog::onClose();
    }
    INT_PTR onDestroy() override
    {
        record("onDestroy");
        return Dialog::onDestroy();
    }
    INT_PTR onOk(WPARAM wParam, LPARAM lParam) override
    {
        record("onOk", wParam, lParam);
        return okAnswer;
    }
    INT_PTR onCancel(WPARAM wParam, LPARAM lParam) override
    {
        record("onCancel", wParam, lParam);
        return Dialog::onCancel(wParam, lParam);
    }
    INT_PTR onCommand(WPARAM wParam, LPARAM lParam) override
    {
        return record("onCommand", wParam, lParam);
    }
    INT_PTR onSysCommand(WPARAM wParam, LPARAM lParam) override
    {
        return record("onSysCommand", wParam, lParam);
    }
    INT_PTR onNotify(WPARAM wParam, LPARAM lParam) override
    {
        record("onNotify", wParam, lParam);
        if (notifyResult != 0)
        {
            setMessageResult(notifyResult);
            return 1;
        }
        return answer;
    }
    INT_PTR onPaint() override
    {
        record("onPaint");
        return answer != 0 ? answer : Dialog::onPaint();
    }
    INT_PTR onSize(WPARAM wParam, LPARAM lParam) override
    {
        return record("onSize", wParam, lParam);
    }
    INT_PTR onMove(WPARAM wParam, LPARAM lParam) override
    {
        return record("onMove", wParam, lParam);
    }
    INT_PTR onCtlColor(HDC dc, HWND control) override
    {
        return record("onCtlColor", reinterpret_cast<WPARAM>(dc),
                      reinterpret_cast<LPARAM>(control));
    }
    INT_PTR onDropFiles(HDROP drop) override
    {
        return record("onDropFiles", reinterpret_cast<WPARAM>(drop));
    }
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return record("onMessage", wParam, lParam, message);
    }
};

// Runs the dialog modally and performs the steps inside its loop, each on its
// own turn of the loop. The last step is expected to end the dialog; if it did
// not, the run is ended with 99, which no route of the dispatcher gives.
INT_PTR runSteps(tkit::Dialog& dialog, std::vector<std::function<void()>> bodies)
{
    ModalSteps steps;
    for (size_t i = 0; i < bodies.size(); ++i)
    {
        const bool last = i + 1 == bodies.size();
        steps.then([&dialog, body = bodies[i], last] {
            body();
            if (last && IsWindowVisible(dialog.window))
                EndDialog(dialog.window, 99);
        });
    }
    return steps.run([&] { return dialog.runModal(nullptr); });
}

void cancel(const tkit::Dialog& dialog)
{
    SendMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
}

struct RouteCase
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* slot;
    WPARAM slotWParam; // what the slot receives
    LPARAM slotLParam;
};

TEST(Dialog, EachMessageReachesItsOneSlotWithItsArgumentsAndTheSlotAnswers)
{
    NMHDR header = {};
    const LPARAM notify = reinterpret_cast<LPARAM>(&header);
    const RouteCase cases[] = {
        {WM_MOVE, 0, MAKELPARAM(10, 20), "onMove", 0, MAKELPARAM(10, 20)},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50), "onSize", SIZE_RESTORED, MAKELPARAM(100, 50)},
        {WM_PAINT, 0, 0, "onPaint", 0, 0},
        {WM_NOTIFY, 1001, notify, "onNotify", 1001, notify},
        {WM_COMMAND, 40001, 0, "onCommand", 40001, 0},
        // Only the low word selects OK and Cancel: 0x101 and 0x202 are other commands.
        {WM_COMMAND, 0x101, 0, "onCommand", 0x101, 0},
        {WM_COMMAND, MAKEWPARAM(0x202, BN_CLICKED), 0x4444, "onCommand",
         MAKEWPARAM(0x202, BN_CLICKED), 0x4444},
        {WM_SYSCOMMAND, SC_KEYMENU, 0, "onSysCommand", SC_KEYMENU, 0},
        // Only the drop handle goes on; lParam is not passed.
        {WM_DROPFILES, 0x1234, 0x5678, "onDropFiles", 0x1234, 0},
        // The colour messages are not routed to onCtlColor.
        {WM_CTLCOLORDLG, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLORSTATIC, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLORBTN, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLOREDIT, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLORLISTBOX, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLORSCROLLBAR, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_CTLCOLORMSGBOX, 0x11, 0x22, "onMessage", 0x11, 0x22},
        {WM_USER + 7, 1, 2, "onMessage", 1, 2},
        {WM_KEYDOWN, VK_DELETE, 1, "onMessage", VK_DELETE, 1},
    };
    RecordingDialog dialog;
    const INT_PTR end =
        runSteps(dialog, {[&] {
                     for (const RouteCase& c : cases)
                     {
                         SCOPED_TRACE(testing::Message()
                                      << "message " << c.message << " wParam " << c.wParam);
                         dialog.answer = 0x5A;
                         INT_PTR answered = 0;
                         const std::vector<Call> calls =
                             dialog.callsDuring(c.message, c.wParam, c.lParam, &answered);
                         dialog.answer = 0;
                         ASSERT_EQ(calls.size(), 1u);
                         EXPECT_EQ(calls[0].slot, c.slot);
                         if (calls[0].slot == "onMessage")
                         {
                             EXPECT_EQ(calls[0].message, c.message);
                         }
                         EXPECT_EQ(calls[0].wParam, c.slotWParam);
                         EXPECT_EQ(calls[0].lParam, c.slotLParam);
                         EXPECT_EQ(answered, 0x5A);
                     }
                     cancel(dialog);
                 }});
    EXPECT_EQ(end, IDCANCEL);
    EXPECT_FALSE(dialog.reached("onCtlColor"));
}

struct EndCase
{
    const char* name;
    std::function<void(HWND)> act;
    INT_PTR code;      // what the modal run returns
    int result;        // the dialog's result field afterwards
    const char* slot;  // the slot that decided
    WPARAM slotWParam; // what that slot received
};

// What the modal loop does with a key that reaches a control of the dialog.
void pressKey(HWND dialog, WPARAM key)
{
    MSG message = {};
    message.hwnd = GetDlgItem(dialog, IDOK);
    message.message = WM_KEYDOWN;
    message.wParam = key;
    IsDialogMessageW(dialog, &message);
}

TEST(Dialog, OkCancelAndCloseEndTheModalRunByEveryRoute)
{
    const EndCase cases[] = {
        {"IDOK command", [](HWND w) { SendMessageW(w, WM_COMMAND, IDOK, 0); }, 1, 1, "onOk", IDOK},
        {"IDOK accelerator", [](HWND w) { SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0); }, 1,
         1, "onOk", MAKEWPARAM(IDOK, 1)},
        {"OK button", [](HWND w) { SendMessageW(GetDlgItem(w, IDOK), BM_CLICK, 0, 0); }, 1, 1,
         "onOk", MAKEWPARAM(IDOK, BN_CLICKED)},
        {"Enter key", [](HWND w) { pressKey(w, VK_RETURN); }, 1, 1, "onOk",
         MAKEWPARAM(IDOK, BN_CLICKED)},
        {"IDCANCEL command", [](HWND w) { SendMessageW(w, WM_COMMAND, IDCANCEL, 0); }, 2, 2,
         "onCancel", IDCANCEL},
        {"IDCANCEL accelerator",
         [](HWND w) { SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), 0); }, 2, 2, "onCancel",
         MAKEWPARAM(IDCANCEL, 1)},
        {"Cancel button", [](HWND w) { SendMessageW(GetDlgItem(w, IDCANCEL), BM_CLICK, 0, 0); }, 2,
         2, "onCancel", MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {"Escape key", [](HWND w) { pressKey(w, VK_ESCAPE); }, 2, 2, "onCancel", IDCANCEL},
        // The close box ends with 1 but is not OK: result stays 0.
        {"WM_CLOSE", [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }, 1, 0, "onClose", 0},
        {"system menu Close", [](HWND w) { SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, 1, 0,
         "onClose", 0},
    };
    for (const EndCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingDialog dialog;
        const INT_PTR code = runSteps(dialog, {[&] { c.act(dialog.window); }});
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(dialog.result, c.result);
        EXPECT_FALSE(IsWindow(dialog.window)) << "the window outlived the modal run";
        EXPECT_TRUE(dialog.reached("onDestroy"));
        bool found = false;
        for (const Call& call : dialog.calls)
        {
            if (call.slot == c.slot && !found)
            {
                found = true;
                // The whole wParam: an accelerator keeps its high word.
                EXPECT_EQ(call.wParam, c.slotWParam);
            }
        }
        EXPECT_TRUE(found) << c.slot << " was not reached";
        // Only one of the three deciding slots runs on any route.
        int deciding = 0;
        for (const Call& call : dialog.calls)
            deciding += call.slot == "onOk" || call.slot == "onCancel" || call.slot == "onClose";
        EXPECT_EQ(deciding, 1);
    }
}

TEST(Dialog, AnOkThatAnswersZeroKeepsTheDialogOpen)
{
    RecordingDialog dialog;
    dialog.okAnswer = 0;
    const INT_PTR code = runSteps(dialog, {[&] {
                                               SendMessageW(dialog.window, WM_COMMAND, IDOK, 0);
                                               INT_PTR answered = 1;
                                               dialog.callsDuring(WM_COMMAND, IDOK, 0, &answered);
                                               EXPECT_EQ(answered, 0);
                                               EXPECT_EQ(dialog.result, 0);
                                           },
                                           [&] {
                                               // A later turn of the same loop: the dialog is still
                                               // there.
                                               EXPECT_TRUE(IsWindowVisible(dialog.window));
                                               dialog.okAnswer = 1;
                                               SendMessageW(dialog.window, WM_COMMAND, IDOK, 0);
                                           }});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(dialog.result, 1);
}

TEST(Dialog, InitialisationAttachesTheObjectBeforeItsSlotRuns)
{
    RecordingDialog dialog;
    EXPECT_EQ(dialog.window, nullptr);
    runSteps(dialog, {[&] { cancel(dialog); }});
    ASSERT_FALSE(dialog.calls.empty());
    // Nothing reaches the object before initialisation (the font message comes first).
    EXPECT_EQ(dialog.calls[0].slot, "onInitDialog");
    EXPECT_EQ(dialog.calls[0].lParam, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_NE(dialog.windowAtInit, nullptr);
    EXPECT_EQ(dialog.windowAtInit, dialog.window);
    EXPECT_EQ(dialog.userSlotAtInit, reinterpret_cast<LONG_PTR>(&dialog));
    EXPECT_EQ(static_cast<tkit::Dialog&>(dialog).param, &dialog.marker);
    EXPECT_EQ(dialog.marker, 0) << "the base never touches what param points at";
    EXPECT_EQ(dialog.calls.back().slot, "onMessage") << "WM_NCDESTROY comes last";
}

TEST(Dialog, AStoredMessageResultIsTheAnswerWithAllItsBits)
{
    RecordingDialog dialog;
    const LRESULT wide = static_cast<LRESULT>(0x123456789LL);
    LRESULT answered = 0;
    LRESULT stored = 0;
    runSteps(dialog, {[&] {
                 dialog.notifyResult = wide;
                 NMHDR header = {};
                 answered =
                     SendMessageW(dialog.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
                 stored = dialog.messageResult();
                 dialog.notifyResult = 0;
                 cancel(dialog);
             }});
    EXPECT_EQ(answered, wide);
    EXPECT_EQ(stored, wide);
}

TEST(Dialog, AWindowWithoutAnObjectIsAnsweredZero)
{
    HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TEST_PLAIN),
                                     nullptr, tkit::Dialog::staticDialogProc, 0);
    ASSERT_NE(window, nullptr);
    NMHDR header = {};
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } messages[] = {{WM_COMMAND, IDOK, 0},
                    {WM_COMMAND, IDCANCEL, 0},
                    {WM_CLOSE, 0, 0},
                    {WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)},
                    {WM_USER, 1, 2}};
    for (const auto& m : messages)
        EXPECT_EQ(tkit::Dialog::staticDialogProc(window, m.message, m.wParam, m.lParam), 0)
            << m.message;
    EXPECT_TRUE(IsWindowVisible(window)) << "nothing ended the window";
    DestroyWindow(window);
}

} // namespace
