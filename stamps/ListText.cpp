#include "stamps/ListText.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/FullPath.h"
#include "tkit/fs/PlatformPath.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace
{

bool isBlank(std::wstring_view line)
{
    return line.find_first_not_of(L" \t") == std::wstring_view::npos;
}

// The columns of a line, split at its tabs.
std::vector<std::wstring_view> columnsOf(std::wstring_view line)
{
    std::vector<std::wstring_view> columns;
    for (size_t start = 0;;)
    {
        const size_t tab = line.find(L'\t', start);
        columns.push_back(line.substr(start, tab - start));
        if (tab == std::wstring_view::npos)
            return columns;
        start = tab + 1;
    }
}

// Adds the row of one line; false when the line is refused.
bool addLine(FileListView& list, std::wstring_view line, bool recursive)
{
    const std::vector<std::wstring_view> columns = columnsOf(line);
    if (columns.size() > 3)
        return false;
    std::wstring_view name = columns[0];
    // Explorer copies a path in double quotes; they are no part of the name.
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        name = name.substr(1, name.size() - 2);
    const std::wstring path(name);
    const std::wstring_view local = columns.size() > 1 ? columns[1] : std::wstring_view();
    const std::wstring_view utc = columns.size() > 2 ? columns[2] : std::wstring_view();
    if (path.empty())
        return false;
    if (!utc.empty())
    {
        // The UTC column is the time itself, whatever the offset is now.
        const std::optional<FILETIME> exact = parseUtcTimestamp(utc);
        const std::wstring shown = exact ? timestampText(*exact) : std::wstring();
        if (shown.empty())
            return false;
        list.addRemembered(path, shown, exact);
        return true;
    }
    if (local.empty())
    {
        // Like a drop, which brings only paths that are there.
        const tkit::PlatformPath target(path);
        if (!tkit::fileAttributes(target))
            return false;
        list.addPath(target, recursive);
        return true;
    }
    const std::optional<std::wstring> shown = normalTimestamp(std::wstring(local));
    if (!shown)
        return false;
    list.addRemembered(path, *shown);
    return true;
}

} // namespace

std::wstring listText(const FileListView& list, bool selectedOnly)
{
    std::wstring text;
    const UINT flags = selectedOnly ? LVNI_SELECTED : LVNI_ALL;
    for (int row = list.nextItem(-1, flags); row != -1; row = list.nextItem(row, flags))
    {
        // A relative row names its file through this program's current folder;
        // read elsewhere it must still name that file.
        text += tkit::fullPath(list.path(row));
        text += L'\t';
        text += list.timeText(row);
        text += L'\t';
        if (const std::optional<RowTime> time = list.rowTime(row))
            text += utcTimestampText(time->utc);
        text += L"\r\n";
    }
    return text;
}

Skipped addListText(FileListView& list, const std::wstring& text, bool recursive, Steps& steps)
{
    Skipped refused;
    const tkit::RedrawPause pause(list);
    std::wstring_view all(text);
    // A byte-order mark that an editor left at the start is no part of the first path.
    if (!all.empty() && all.front() == L'\xFEFF')
        all.remove_prefix(1);
    steps.setTotal(static_cast<size_t>(std::count(all.begin(), all.end(), L'\n')) + 1);
    for (size_t start = 0; start < all.size() && steps.advance();)
    {
        // CR, LF and CRLF each end a line.
        size_t end = all.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos)
            end = all.size();
        const std::wstring_view line = all.substr(start, end - start);
        start = end + (all.substr(end, 2) == L"\r\n" ? 2 : 1);
        if (isBlank(line) || line == listHeader)
            continue;
        if (!addLine(list, line, recursive))
            refused.add(line);
    }
    return refused;
}
