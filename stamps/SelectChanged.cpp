#include "stamps/SelectChanged.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"

#include <optional>

namespace
{

// Whether a row's file still carries the row's time. A file whose time cannot
// be read counts as carrying a row without a time, as long as it is there.
bool unchanged(const FileListView& list, int row)
{
    const tkit::PlatformPath path(list.path(row));
    const std::optional<FILETIME> current = tkit::readLastWriteTime(path);
    const std::optional<FILETIME> remembered = timestampTime(list.timeText(row));
    if (current && remembered)
        return sameTimestamp(*current, *remembered);
    return !current && list.timeText(row).empty() && tkit::fileAttributes(path).has_value();
}

} // namespace

int selectChanged(FileListView& list)
{
    // Selecting rows one by one would repaint each: paint once at the end.
    const tkit::RedrawPause pause(list);
    list.setItemState(-1, 0, LVIS_SELECTED);
    int first = -1;
    int changed = 0;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        if (unchanged(list, row))
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
