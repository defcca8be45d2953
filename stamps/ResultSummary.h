#pragma once

#include "stamps/RowResult.h"

#include <string>

// How the rows of one restore, retry or undo came out, counted as it gives
// them their results, and the one line that says so.
class ResultSummary
{
public:
    // A row that the command gave this result.
    void add(const RowResult& result);
    // A row that an undo had nothing to take back for: the restore wrote no time
    // onto its file, and the row gets its earlier result back.
    void addUntouched();

    int rows() const { return done + unchanged + failed; }

    // "50,000 行: 49,980 復元, 12 変更なし, 8 失敗 / 選択 8 行"; an undo counts
    // what it took back in place of 復元. Before any command, the selection alone.
    std::wstring line(int selected) const;

private:
    int done = 0;
    int unchanged = 0;
    int failed = 0;
    bool undo = false;
    bool counted = false;
};
