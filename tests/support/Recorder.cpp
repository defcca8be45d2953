#include "support/Recorder.h"

namespace testing_support
{

LRESULT Recorder::record(const char* slot, WPARAM wParam, LPARAM lParam, UINT message)
{
    calls.push_back({slot, message, wParam, lParam});
    return answer;
}

bool Recorder::reached(const std::string& slot) const
{
    for (const Call& call : calls)
    {
        if (call.slot == slot)
            return true;
    }
    return false;
}

std::string Recorder::slots() const
{
    std::string names;
    for (const Call& call : calls)
        names += (names.empty() ? "" : " ") + call.slot;
    return names;
}

std::vector<WPARAM> Recorder::wParams(UINT message) const
{
    std::vector<WPARAM> found;
    for (const Call& call : calls)
    {
        if (call.message == message)
            found.push_back(call.wParam);
    }
    return found;
}

LRESULT RecordingList::onNotify(WPARAM wParam, LPARAM lParam)
{
    const LRESULT answered = record("onNotify", wParam, lParam, WM_NOTIFY);
    return forward ? callPrevious(WM_NOTIFY, wParam, lParam) : answered;
}

LRESULT RecordingList::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT answered = record("onMessage", wParam, lParam, message);
    return forward ? callPrevious(message, wParam, lParam) : answered;
}

} // namespace testing_support
