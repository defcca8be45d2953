#include "stamps/ResultSummary.h"

namespace
{

// A count with its thousands grouped, as the line shows it: "50,000".
std::wstring grouped(int count)
{
    std::wstring digits = std::to_wstring(count);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L',');
    return digits;
}

} // namespace

void ResultSummary::add(const RowResult& result)
{
    counted = true;
    undo = undo || result.undo || result.outcome == RowOutcome::undone ||
           result.outcome == RowOutcome::changedSince;
    if (result.failed())
        ++failed;
    else if (result.outcome == RowOutcome::unchanged)
        ++unchanged;
    else
        ++done;
}

void ResultSummary::addUntouched()
{
    counted = true;
    undo = true;
    ++unchanged;
}

std::wstring ResultSummary::line(int selected) const
{
    const std::wstring selection = L"選択 " + grouped(selected) + L" 行";
    if (!counted)
        return selection;
    return grouped(rows()) + L" 行: " + grouped(done) + (undo ? L" 元に戻し, " : L" 復元, ") +
           grouped(unchanged) + L" 変更なし, " + grouped(failed) + L" 失敗 / " + selection;
}
