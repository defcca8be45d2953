#include "stamps/ChangedRows.h"

#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/PlatformPath.h"

#include <string>

int selectChangedRows(FileListView& list)
{
    // Selecting rows one by one would repaint each: paint once at the end.
    const tkit::RedrawPause pause(list);
    list.setItemState(-1, 0, LVIS_SELECTED);
    int first = -1;
    int changed = 0;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        // Compared as the list shows times, to the millisecond. A file that
        // cannot be read reads as no time, which a row without a time matches
        // as long as the file is still there.
        const tkit::PlatformPath path(list.path(row));
        const std::wstring current = FileListView::currentTimeText(path);
        if (current == list.timeText(row) &&
            (!current.empty() || tkit::fileAttributes(path).has_value()))
            continue;
        list.setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (changed++ == 0)
            first = row;
    }
    if (first != -1)
    {
        list.setItemState(first, LVIS_FOCUSED, LVIS_FOCUSED);
        list.ensureVisible(first);
    }
    return changed;
}
