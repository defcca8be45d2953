#pragma once

#include "tkit/ui/ListView.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support
{

// One call that reached a slot of a test object.
struct Call
{
    std::string slot;
    UINT message; // the message, where the slot is handed one
    WPARAM wParam;
    LPARAM lParam;
};

// The calls that reached a test object, in order, and what its slots answer.
// The tests' wrappers of a dialog, an application, a control and the host
// dialog all record here.
class Recorder
{
public:
    // Notes a call; returns answer.
    LRESULT record(const char* slot, WPARAM wParam = 0, LPARAM lParam = 0, UINT message = 0);
    bool reached(const std::string& slot) const;
    // The slots reached, in order, one space between them.
    std::string slots() const;
    // The wParam of every recorded call of a message, in order.
    std::vector<WPARAM> wParams(UINT message) const;

    std::vector<Call> calls;
    // What a slot that merely answers gives.
    LRESULT answer = 0;
};

// A wrapped list control that records every message reaching its slots and
// answers `answer`, or, with forward set, hands each on to the control as a
// class wrapping a working control does.
class RecordingList : public tkit::ListView, public Recorder
{
public:
    RecordingList(HWND dialog, int item, bool passOn = false)
        : ListView(dialog, item), forward(passOn)
    {
    }

    bool forward;

protected:
    LRESULT onNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace testing_support
