#include "stamps/SelectFailed.h"

#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"

int selectFailed(FileListView& list)
{
    // Selecting rows one by one would repaint each: paint once at the end.
    const tkit::RedrawPause pause(list);
    list.setItemState(-1, 0, LVIS_SELECTED);
    int first = -1;
    int selected = 0;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        if (list.status(row) != EntryStatus::Failed)
            continue;
        list.setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (selected++ == 0)
            first = row;
    }
    if (first != -1)
    {
        list.setItemState(first, LVIS_FOCUSED, LVIS_FOCUSED);
        list.ensureVisible(first);
    }
    return selected;
}

bool anyCheckedFailed(const FileListView& list)
{
    for (int row = 0, count = list.itemCount(); row < count; ++row)
        if (list.status(row) == EntryStatus::Failed && list.isChecked(row))
            return true;
    return false;
}
