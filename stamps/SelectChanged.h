#pragma once

class FileListView;

// Reads each row's file anew and selects exactly the rows whose file's
// last-write time is no longer the row's time, or whose file is gone; the
// first of them gets the focus and is scrolled into view. Nothing else about
// a row changes. The number of rows selected.
int selectChanged(FileListView& list);
