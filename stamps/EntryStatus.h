#pragma once

// The outcome of the last restore of a row, kept as the row's item data.
enum class EntryStatus : int
{
    Unset = 0,
    Restored = 1,
    Failed = -1,
};
