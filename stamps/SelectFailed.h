#pragma once

class FileListView;

// Selects exactly the rows whose last restore failed; the first of them gets
// the focus and is scrolled into view. Gives how many it selected.
int selectFailed(FileListView& list);
// Whether a checked row's last restore failed: a retry has something to do.
bool anyCheckedFailed(const FileListView& list);
