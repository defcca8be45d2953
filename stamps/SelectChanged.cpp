#include "stamps/SelectChanged.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"

#include <optional>

namespace
{

// How a row's file stands against the row's time.
enum class FileState
{
    same,
    // Its time is not the row's (or the row has none), or it is gone.
    changed,
    unreadable,
};

FileState stateOf(const FileListView& list, int row)
{
    const tkit::EntryTime current = tkit::readLastWriteTime(tkit::PlatformPath(list.path(row)));
    if (!current.time)
        return current.missing ? FileState::changed : FileState::unreadable;
    const std::optional<RowTime> remembered = list.rowTime(row);
    return remembered && sameTimestamp(*current.time, *remembered) ? FileState::same
                                                                   : FileState::changed;
}

} // namespace

ChangedRows selectChanged(FileListView& list, Steps& steps)
{
    // Selecting rows one by one would repaint each: paint once at the end.
    const tkit::RedrawPause pause(list);
    list.setItemState(-1, 0, LVIS_SELECTED);
    int first = -1;
    ChangedRows changed;
    const int count = list.itemCount();
    steps.setTotal(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
    {
        if (row > 0 && !steps.advance())
            break;
        const FileState state = stateOf(list, row);
        if (state == FileState::same)
            continue;
        if (state == FileState::unreadable)
            changed.unreadable.add(list.path(row));
        list.setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (changed.selected++ == 0)
            first = row;
    }
    if (first != -1)
    {
        list.setItemState(first, LVIS_FOCUSED, LVIS_FOCUSED);
        list.ensureVisible(first);
    }
    return changed;
}
