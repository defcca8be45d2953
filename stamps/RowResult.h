#pragma once

#include <windows.h>

#include <string>

// What the last restore or undo did to a row, and why where it did not do it.
enum class RowOutcome : unsigned char
{
    // Never restored, or reset since (an edit, an unchecked box): no text.
    none,
    restored,
    // The file already carried the row's time and was not written.
    unchanged,
    undone,
    // An undo left the file: it changed, or another file took its place, since the restore.
    changedSince,
    fileMissing,
    folderMissing,
    inUse,
    accessDenied,
    // The row has no time to write.
    noTime,
    // The row's time text names no real date or time (30 February).
    notADate,
    // The file did not keep the time written: read back once the pass was done,
    // it carries another (a volume that rounds, a later row of the same file,
    // a share that ignores the write).
    readBackDiffers,
    // Any other error: the system's own text for it, with its code.
    systemError,
};

struct RowResult
{
    RowOutcome outcome = RowOutcome::none;
    // The system's error code, for systemError.
    DWORD error = ERROR_SUCCESS;
    // A failure of an undo rather than of a restore.
    bool undo = false;

    bool failed() const;
    bool operator==(const RowResult&) const = default;
};

// The result of a file operation that failed with a system error code.
RowResult failureOf(DWORD error, bool undo = false);

// The row's text in the list, short Japanese: "復元しました", "ファイルが見つかりません",
// an undo's failure after "元に戻せませんでした: "; empty for none.
std::wstring resultText(const RowResult& result);
