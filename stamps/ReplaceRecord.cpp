#include "stamps/ReplaceRecord.h"

#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"

#include <unordered_map>

ReplaceRecord ReplaceRecord::apply(FileListView& list, const std::vector<PathChange>& changes,
                                   Steps& steps)
{
    ReplaceRecord record;
    const tkit::RedrawPause pause(list);
    steps.setTotal(changes.size());
    for (const PathChange& change : changes)
    {
        record.entries.push_back({list.itemId(change.row), list.path(change.row),
                                  list.status(change.row), list.result(change.row), change.path});
        list.setPath(change.row, change.path);
        list.setStatus(change.row, EntryStatus::Unset);
        if (!steps.advance())
            break;
    }
    return record;
}

Skipped ReplaceRecord::undo(FileListView& list, Steps& steps)
{
    std::vector<Entry> taken;
    taken.swap(entries);
    std::unordered_map<UINT, const Entry*> byId;
    for (const Entry& entry : taken)
        byId.emplace(entry.id, &entry);

    Skipped left;
    const tkit::RedrawPause pause(list);
    steps.setTotal(taken.size());
    bool stopped = false;
    for (int row = 0, count = list.itemCount(); row < count && !stopped; ++row)
    {
        const auto found = byId.find(list.itemId(row));
        if (found == byId.end())
            continue;
        const Entry& entry = *found->second;
        byId.erase(found);
        if (list.path(row) != entry.after)
            left.add(list.path(row));
        else
        {
            list.setPath(row, entry.before);
            list.setStatus(row, entry.status);
            list.setResult(row, entry.result);
        }
        stopped = !steps.advance();
    }
    // Stopped: the rows not reached can still be taken back.
    for (Entry& entry : taken)
        if (stopped && byId.count(entry.id) != 0)
            entries.push_back(std::move(entry));
    return left;
}
