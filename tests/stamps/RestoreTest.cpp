#include "stamps/Restore.h"

#include "support/FolderLink.h"
#include "support/Hosts.h"
#include "support/TempDir.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "tkit/fs/FormatString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include <string>
#include <vector>

using testing_support::lastWriteTicks;
using testing_support::ListDialog;
using testing_support::longPath;
using testing_support::markOf;
using testing_support::MountedVolume;
using testing_support::RunningProgram;
using testing_support::setLastWriteTicks;
using testing_support::TempDir;
using testing_support::wholeMilliseconds;

namespace
{

constexpr unsigned long long anHour = 36'000'000'000ULL;

DWORD attributesOf(const std::wstring& path)
{
    return GetFileAttributesW(longPath(path).c_str());
}

std::vector<EntryStatus> statusesOf(const FileListView& list)
{
    std::vector<EntryStatus> statuses;
    for (int row = 0; row < list.itemCount(); ++row)
        statuses.push_back(list.status(row));
    return statuses;
}

// Runs body on a list that holds a row for each path (with recursive, a
// folder's whole tree too), as the main window adds them.
void withList(const std::vector<std::wstring>& paths, bool recursive,
              const std::function<void(FileListView&)>& body)
{
    ListDialog host;
    for (const std::wstring& path : paths)
        host.view().addPath(path, recursive);
    body(host.view());
}

// Captures the files, moves each one's time an hour on, restores, and returns
// each row's status.
std::vector<EntryStatus> captureTouchRestore(const std::vector<std::wstring>& paths)
{
    std::vector<EntryStatus> statuses;
    withList(paths, false, [&](FileListView& list) {
        for (const std::wstring& path : paths)
            setLastWriteTicks(path, lastWriteTicks(path) + anHour);
        restoreCheckedRows(list);
        statuses = statusesOf(list);
    });
    return statuses;
}

// The whole time, 100 ns steps included, while the row's text is the captured
// one; an edited text's millisecond once it is not.
TEST(Restore, WritesTheWholeCapturedTimeBackAndAnEditedTimeToTheMillisecond)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    // 7 ms and a sub-millisecond remainder, which the timestamp text does not keep.
    const auto original = testing_support::localTicks(2023, 6, 7, 8, 9, 10, 7, 4321);
    ASSERT_TRUE(setLastWriteTicks(file, original));
    EXPECT_EQ(captureTouchRestore({file}), std::vector{EntryStatus::Restored});
    EXPECT_EQ(lastWriteTicks(file), original);
    withList({file}, false, [&](FileListView& list) {
        list.setTimeText(0, testing_support::shownAs(original + 10'000));
        restoreCheckedRows(list);
    });
    EXPECT_EQ(lastWriteTicks(file), wholeMilliseconds(original) + 10'000);
}

// Only the last-write time changes, and only where it differs: an untouched
// file keeps its digits below the millisecond, and no attribute is written. A
// file held open without sharing, as a document by its editor, is restored too.
TEST(Restore, AttributesSurviveAndReadOnlyAndHeldFilesAreRestored)
{
    struct Case
    {
        const wchar_t* name;
        DWORD attributes;
        bool touched = true;
        bool held = false;
    };
    const Case cases[] = {
        {L"plain.txt", FILE_ATTRIBUTE_ARCHIVE},
        {L"readonly.txt", FILE_ATTRIBUTE_READONLY},
        {L"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
        {L"system.txt", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN},
        {L"all.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {L".dotfile", FILE_ATTRIBUTE_ARCHIVE},
        {L"untouched.txt", FILE_ATTRIBUTE_ARCHIVE, false, true},
        {L"untouched-readonly.txt", FILE_ATTRIBUTE_READONLY, false, true},
        {L"held.txt", FILE_ATTRIBUTE_ARCHIVE, true, true},
        {L"held-readonly.txt", FILE_ATTRIBUTE_READONLY, true, true},
    };
    TempDir dir;
    const auto original = testing_support::localTicks(2023, 6, 7, 8, 9, 10, 7, 4321);
    std::vector<std::wstring> paths;
    std::vector<DWORD> before;
    for (const Case& c : cases)
    {
        paths.push_back(dir.file(c.name));
        setLastWriteTicks(paths.back(), original);
        SetFileAttributesW(paths.back().c_str(), c.attributes);
        before.push_back(attributesOf(paths.back()));
    }
    std::vector<EntryStatus> statuses;
    withList(paths, false, [&](FileListView& list) {
        std::vector<HANDLE> held;
        for (size_t i = 0; i < paths.size(); ++i)
            if ((!cases[i].touched || setLastWriteTicks(paths[i], original + anHour)) &&
                cases[i].held)
                held.push_back(CreateFileW(paths[i].c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
        restoreCheckedRows(list);
        std::for_each(held.begin(), held.end(), CloseHandle);
        statuses = statusesOf(list);
    });
    for (size_t i = 0; i < paths.size(); ++i)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(cases[i].name)));
        EXPECT_EQ(statuses[i], EntryStatus::Restored);
        EXPECT_EQ(attributesOf(paths[i]), before[i]);
        EXPECT_EQ(lastWriteTicks(paths[i]), original);
    }
    // Wine: an attribute write leaves a DOS-attribute record on a dot-file (hidden by its
    // name), which keeps it hidden once renamed without the dot.
    ASSERT_TRUE(MoveFileW((dir / L".dotfile").c_str(), (dir / L"dotfile").c_str()));
    EXPECT_EQ(attributesOf(dir / L"dotfile") & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// Each cause, made real, gives its row its own result and the cross; a retry
// writes only the rows that failed, and a row that fails again says why again.
TEST(Restore, EachRowSaysWhatTheRestoreDidOrWhyNotAndARetryWritesOnlyTheFailedRows)
{
    TempDir dir;
    const MountedVolume volume(dir.path(), false);
    const RunningProgram program(dir.path());
    const std::wstring twice = dir.file(L"twice.txt"), touched = dir.file(L"touched.txt");
    using Cause = std::function<void(FileListView&, int)>;
    const Cause none = [](FileListView&, int) {};
    const Cause later = [](FileListView& list, int row) {
        list.setTimeText(row, testing_support::shownAs(lastWriteTicks(list.path(row)) + anHour));
    };
    const auto text = [](const wchar_t* time) {
        return [time](FileListView& list, int row) { list.setTimeText(row, time); };
    };
    struct Case
    {
        const char* name;
        std::wstring path; // empty: the cause cannot be made here
        Cause cause;
        std::wstring result, retried;
    };
    const Case cases[] = {
        {"written", touched, later, L"復元しました", L"復元しました"},
        {"already there", dir.file(L"same.txt"), none, L"変更なし", L"変更なし"},
        {"the file gone (made again before the retry)", dir.file(L"gone.txt"),
         [&](FileListView&, int) { DeleteFileW((dir / L"gone.txt").c_str()); },
         L"ファイルが見つかりません", L"復元しました"},
        {"its folder gone", dir.file(L"folder\\f.txt"),
         [&](FileListView&, int) { testing_support::removeTree(dir / L"folder"); },
         L"フォルダーが見つかりません", L"フォルダーが見つかりません"},
        {"a running program's file", program.path(), later, L"ほかのプログラムが使用中です",
         L"ほかのプログラムが使用中です"},
        {"on a read-only volume", volume.path().empty() ? L"" : dir.file(L"volume\\ro.txt"),
         [&](FileListView& list, int row) { later(list, row), volume.makeReadOnly(); },
         L"アクセスが拒否されました", L"アクセスが拒否されました"},
        {"no time", dir.file(L"none.txt"), text(L""), L"日時がありません", L"日時がありません"},
        {"30 February", dir.file(L"feb.txt"), text(L"2023/02/30 12:00:00.000"),
         L"実在しない日時です", L"実在しない日時です"},
        {"no name Windows takes", dir.file(L"name.txt"),
         [&](FileListView& list, int row) { list.setPath(row, dir / L"a|b.txt"); },
         tkit::systemMessage(ERROR_INVALID_NAME), tkit::systemMessage(ERROR_INVALID_NAME)},
        {"one file, an earlier row", twice, none, L"書き込み後に読み戻した日時が異なります",
         L"復元しました"},
        {"one file, a later row", twice, later, L"復元しました", L"復元しました"},
    };
    ListDialog host;
    FileListView& list = host.view();
    std::vector<const Case*> made;
    for (const Case& c : cases)
        if (!c.path.empty())
            made.push_back(&c), list.addPath(c.path, false);
    for (size_t row = 0; row < made.size(); ++row)
        made[row]->cause(list, static_cast<int>(row));
    restoreCheckedRows(list);
    const std::vector<std::wstring> results = host.column(2);
    std::vector<int> marks(made.size());
    for (size_t row = 0; row < made.size(); ++row)
        marks[row] = markOf(list, static_cast<int>(row));
    dir.file(L"gone.txt");
    const unsigned long long touchedAgain = lastWriteTicks(touched) + 3 * anHour;
    setLastWriteTicks(touched, touchedAgain);
    restoreCheckedRows(list, RestoreRows::failed);
    for (size_t row = 0; row < made.size(); ++row)
    {
        SCOPED_TRACE(made[row]->name);
        EXPECT_EQ(results[row], made[row]->result);
        EXPECT_EQ(marks[row],
                  results[row] == L"復元しました" || results[row] == L"変更なし" ? 1 : 2);
        EXPECT_EQ(host.column(2)[row], made[row]->retried);
    }
    EXPECT_EQ(lastWriteTicks(touched), touchedAgain) << "a restored row is not written again";
    if (made.size() < std::size(cases))
        GTEST_SKIP() << "a running program's file, a read-only volume: Wine as root only";
}

TEST(Restore, ADeletedFileIsRedAndNothingIsCreated)
{
    TempDir dir;
    const std::wstring gone = dir.file(L"gone.txt");
    const std::wstring kept = dir.file(L"kept.txt");
    std::vector<EntryStatus> statuses;
    withList({gone, kept}, false, [&](FileListView& list) {
        DeleteFileW(gone.c_str());
        restoreCheckedRows(list);
        statuses = {list.status(0), list.status(1)};
    });
    EXPECT_EQ(statuses, (std::vector{EntryStatus::Failed, EntryStatus::Restored}));
    EXPECT_EQ(attributesOf(gone), INVALID_FILE_ATTRIBUTES);
}

TEST(Restore, UncheckedRowsAreSkippedEvenWhenTheirFileIsGone)
{
    TempDir dir;
    const std::wstring skipped = dir.file(L"skipped.txt");
    const std::wstring gone = dir.file(L"gone.txt");
    unsigned long long touched = 0;
    std::vector<EntryStatus> statuses;
    withList({skipped, gone}, false, [&](FileListView& list) {
        touched = lastWriteTicks(skipped) + anHour;
        setLastWriteTicks(skipped, touched);
        DeleteFileW(gone.c_str());
        list.setChecked(0, false);
        list.setChecked(1, false);
        restoreCheckedRows(list);
        statuses = {list.status(0), list.status(1)};
    });
    EXPECT_EQ(statuses, (std::vector{EntryStatus::Unset, EntryStatus::Unset}));
    EXPECT_EQ(lastWriteTicks(skipped), touched);
    EXPECT_EQ(attributesOf(gone), INVALID_FILE_ATTRIBUTES);
}

TEST(Restore, AFolderRowGetsItsOwnTimeBack)
{
    TempDir dir;
    const std::wstring folder = dir.folder(L"folder");
    const auto original = testing_support::localTicks(2019, 12, 31, 23, 59, 59, 999);
    ASSERT_TRUE(setLastWriteTicks(folder, original));
    EXPECT_EQ(captureTouchRestore({folder}), std::vector{EntryStatus::Restored});
    EXPECT_EQ(lastWriteTicks(folder), original);
}

TEST(Restore, TextsThatHoldNoValidTimeWriteNothing)
{
    // An empty text (a file that could not be read at capture), a year before
    // 1601, impossible dates and times.
    const wchar_t* texts[] = {L"",
                              L"1600/12/31 23:59:59.999",
                              L"2023/02/30 12:00:00.000",
                              L"2023/13/01 12:00:00.000",
                              L"2023/01/01 24:00:00.000",
                              L"2023/01/01 12:60:00.000",
                              L"garbage"};
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD attributesBefore = attributesOf(file);
    const auto before = lastWriteTicks(file);
    for (const wchar_t* text : texts)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        EntryStatus status = EntryStatus::Unset;
        withList({file}, false, [&](FileListView& list) {
            list.setTimeText(0, text);
            restoreCheckedRows(list);
            status = list.status(0);
        });
        EXPECT_EQ(status, EntryStatus::Failed);
        EXPECT_EQ(lastWriteTicks(file), before);
        EXPECT_EQ(attributesOf(file), attributesBefore);
    }
}

TEST(Restore, PathsLongerThan260CharactersAreRestoredReadOnlyIncluded)
{
    TempDir dir;
    const std::wstring deep = dir.folder(std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e'));
    const std::wstring plain =
        dir.file(deep.substr(dir.path().size() + 1) + L"\\" + std::wstring(40, L'f') + L".txt");
    const std::wstring readOnly =
        dir.file(deep.substr(dir.path().size() + 1) + L"\\" + std::wstring(40, L'r') + L".txt");
    ASSERT_GT(plain.size(), 260u);
    SetFileAttributesW(longPath(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD readOnlyAttributes = attributesOf(readOnly);
    ASSERT_TRUE(readOnlyAttributes & FILE_ATTRIBUTE_READONLY);
    const auto plainBefore = lastWriteTicks(plain);
    const auto readOnlyBefore = lastWriteTicks(readOnly);
    EXPECT_EQ(captureTouchRestore({plain, readOnly}),
              (std::vector{EntryStatus::Restored, EntryStatus::Restored}));
    EXPECT_EQ(lastWriteTicks(plain), plainBefore);
    EXPECT_EQ(lastWriteTicks(readOnly), readOnlyBefore);
    EXPECT_EQ(attributesOf(readOnly), readOnlyAttributes);
}

// Added with their folder, every row shows its own file's time and a restore
// lands on its own file only, for names that the platform's own resolution
// would take for another: a trailing dot or space, a device name.
TEST(Restore, EachRowNamesExactlyItsOwnFileWhatTheNameEndsIn)
{
    TempDir dir;
    const std::vector<std::wstring> names = {L"report.",    L"report",    L"memo ",   L"memo",
                                             L"dirdot.\\f", L"dirdot\\f", L"nul.txt", L"con"};
    std::map<std::wstring, unsigned long long> times;
    for (size_t i = 0; i < names.size(); ++i)
    {
        const std::wstring path = dir.file(L"top\\" + names[i]);
        times[path] = testing_support::localTicks(2001, 2, 3, 4, 5, 6, static_cast<int>(10 + i));
        ASSERT_TRUE(setLastWriteTicks(path, times[path])) << path;
    }
    const std::wstring dropped = dir / L"top\\report";

    std::map<std::wstring, std::wstring> shown;
    std::vector<EntryStatus> statuses;
    withList({dir / L"top"}, true, [&](FileListView& list) {
        for (int row = list.itemCount() - 1; row >= 0; --row)
        {
            shown[list.path(row)] = list.timeText(row);
            if (list.path(row) == dropped)
                list.deleteItem(row);
        }
        for (const auto& [path, ticks] : times)
            setLastWriteTicks(path, ticks + anHour);
        restoreCheckedRows(list);
        statuses = statusesOf(list);
    });
    EXPECT_EQ(shown.size(), names.size() + 3) << "top, dirdot. and dirdot have rows too";
    for (const auto& [path, ticks] : times)
    {
        EXPECT_EQ(shown[path], testing_support::shownAs(ticks)) << path;
        EXPECT_EQ(lastWriteTicks(path), path == dropped ? ticks + anHour : ticks) << path;
    }
    EXPECT_EQ(statuses, std::vector<EntryStatus>(names.size() + 2, EntryStatus::Restored));
}

// A folder on a network share, deeper than 260 characters: its rows name the
// share as the user does, and its times come back to the millisecond.
TEST(Restore, ANetworkFolderDeeperThan260CharactersIsCapturedAndRestored)
{
    TempDir dir;
    testing_support::WineShare share(dir.path());
    if (share.path().empty())
        GTEST_SKIP() << "differs from Windows on purpose: the share is Wine's own mapping of "
                        "dosdevices\\unc, which only Wine serves";
    std::wstring relative = L"top";
    while ((share.path() + L"\\" + relative).size() < 270)
        relative += L"\\network-folder";
    const std::wstring folder = share.path() + L"\\" + relative;
    const std::wstring deep = folder + L"\\sub\\deep.txt";
    const auto original = testing_support::localTicks(2018, 8, 9, 10, 11, 12, 345, 678);
    ASSERT_TRUE(setLastWriteTicks(dir.file(relative + L"\\sub\\deep.txt"), original));

    std::vector<std::wstring> rows;
    std::vector<EntryStatus> statuses;
    withList({folder}, true, [&](FileListView& list) {
        for (int row = 0; row < list.itemCount(); ++row)
            rows.push_back(list.path(row));
        EXPECT_EQ(list.timeText(list.itemCount() - 1), testing_support::shownAs(original));
        setLastWriteTicks(deep, original + anHour);
        restoreCheckedRows(list);
        statuses = statusesOf(list);
    });
    EXPECT_EQ(rows, (std::vector<std::wstring>{folder, folder + L"\\sub", deep}));
    EXPECT_EQ(statuses, std::vector<EntryStatus>(3, EntryStatus::Restored));
    EXPECT_EQ(lastWriteTicks(deep), original);
}

TEST(Restore, EachRestoreSetsEveryCheckedRowsStatusAfresh)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    std::vector<EntryStatus> seen;
    withList({file}, false, [&](FileListView& list) {
        DeleteFileW(file.c_str());
        restoreCheckedRows(list);
        seen.push_back(list.status(0));
        dir.file(L"a.txt");
        restoreCheckedRows(list);
        seen.push_back(list.status(0));
        DeleteFileW(file.c_str());
        restoreCheckedRows(list);
        seen.push_back(list.status(0));
    });
    EXPECT_EQ(seen, (std::vector{EntryStatus::Failed, EntryStatus::Restored, EntryStatus::Failed}));
}

// Green only for the time a file carries once the whole pass is done. Wine has
// no volume that rounds an edited time (FAT, exFAT) and no share that ignores
// the write: the same file in two rows, with two times, stands in for them.
TEST(Restore, AFileInTwoRowsIsGreenOnlyInTheRowOfTheTimeItEndsWith)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    const auto first = lastWriteTicks(file), second = first + anHour;
    // The file at neither time, and at the first row's time, which that row leaves alone.
    for (const auto start : {first + 2 * anHour, first})
    {
        std::vector<EntryStatus> statuses;
        withList({file, file}, false, [&](FileListView& list) {
            list.setTimeText(1, testing_support::shownAs(second));
            setLastWriteTicks(file, start);
            restoreCheckedRows(list);
            statuses = statusesOf(list);
        });
        EXPECT_EQ(statuses, (std::vector{EntryStatus::Failed, EntryStatus::Restored}));
        EXPECT_EQ(lastWriteTicks(file), wholeMilliseconds(second));
        setLastWriteTicks(file, first);
    }
}

TEST(Restore, AnEmptyListIsLeftAlone)
{
    int rows = -1;
    withList({}, false, [&](FileListView& list) {
        restoreCheckedRows(list);
        rows = list.itemCount();
    });
    EXPECT_EQ(rows, 0);
}

TEST(Restore, UndoPutsBackTheTimesBeforeTheRestoreOnlyWhereTheyAreStillTheRestoredOnes)
{
    const unsigned long long taken = testing_support::localTicks(2022, 3, 4, 5, 6, 7, 8);
    const struct
    {
        const char* name;
        // After the restore: 0 nothing, 1 the time changed, 2 deleted, 3 made read-only,
        // 4 the row deleted, 5 the file was gone at the restore, 6 replaced by another
        // file with the restored time.
        int after;
        // 0 no file, 1 the time before the restore, 2 the time set since, 3 the restored time.
        int timeAfterUndo;
        EntryStatus status;
        int left;
        // The row's result; for "its row deleted" the other row's.
        const wchar_t* result;
        // On a volume that keeps coarser times: 1 whole seconds, 2 FAT's 2 s.
        int volume = 0;
    } cases[] = {
        {"untouched", 0, 1, EntryStatus::Unset, 0, L"元に戻しました"},
        {"changed since", 1, 2, EntryStatus::Restored, 1,
         L"復元の後に変更されたため、元に戻しませんでした"},
        {"gone since", 2, 0, EntryStatus::Restored, 1,
         L"元に戻せませんでした: ファイルが見つかりません"},
        {"read-only", 3, 1, EntryStatus::Unset, 0, L"元に戻しました"},
        {"its row deleted", 4, 1, EntryStatus::Unset, 0, L""},
        {"gone at the restore", 5, 0, EntryStatus::Unset, 0, L""},
        {"replaced since", 6, 3, EntryStatus::Restored, 1,
         L"復元の後に変更されたため、元に戻しませんでした"},
        {"on a volume of whole seconds", 0, 1, EntryStatus::Unset, 0, L"元に戻しました", 1},
        {"on FAT", 0, 1, EntryStatus::Unset, 0, L"元に戻しました", 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::optional<MountedVolume> volume;
        if (c.volume != 0 && volume.emplace(dir.path(), c.volume == 2).path().empty())
            GTEST_SKIP() << "a volume can be mounted only under Wine as root: " << c.name;
        const std::wstring at = c.volume != 0 ? L"volume\\" : L"";
        const std::wstring file = dir.file(at + L"a.txt");
        const std::wstring other = dir.file(at + L"b.txt");
        ASSERT_TRUE(setLastWriteTicks(file, taken));
        RestoreRecord record;
        Skipped left;
        std::vector<EntryStatus> statuses;
        std::vector<std::wstring> results;
        unsigned long long times[] = {0, 0, taken + 2 * anHour, 0};
        withList({file, other}, false, [&](FileListView& list) {
            // A time of the row that the volume may not keep.
            list.setTimeText(0, testing_support::shownAs(taken));
            setLastWriteTicks(file, taken + anHour);
            times[1] = lastWriteTicks(file);
            if (c.after == 5)
                DeleteFileW(file.c_str());
            record = restoreCheckedRows(list);
            times[3] = lastWriteTicks(file);
            // Another file takes its name and its time, as an editor saves.
            if (c.after == 6 && MoveFileExW(dir.file(at + L"new.txt").c_str(), file.c_str(),
                                            MOVEFILE_REPLACE_EXISTING))
                setLastWriteTicks(file, times[3]);
            if (c.after == 1)
                setLastWriteTicks(file, taken + 2 * anHour);
            if (c.after == 2)
                DeleteFileW(file.c_str());
            if (c.after == 3)
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
            if (c.after == 4)
                list.deleteItem(0);
            left = record.undo(list);
            EXPECT_EQ(record.undo(list).count, 0) << "a second undo does nothing";
            for (int row = 0; row < list.itemCount(); ++row)
                statuses.push_back(list.status(row));
            results = {list.itemText(0, 2), list.itemText(list.itemCount() - 1, 2)};
        });
        EXPECT_EQ(c.timeAfterUndo == 0 ? 0 : lastWriteTicks(file), times[c.timeAfterUndo]);
        EXPECT_EQ(left.count, c.left);
        EXPECT_EQ(left.first, c.left == 0 ? L"" : file);
        EXPECT_EQ(statuses.front(), c.after == 4 ? EntryStatus::Unset : c.status);
        EXPECT_EQ(statuses.back(), EntryStatus::Unset) << "the untouched file's row";
        EXPECT_EQ(results, (std::vector<std::wstring>{c.result, L""}));
        EXPECT_EQ(c.timeAfterUndo != 0 && (attributesOf(file) & FILE_ATTRIBUTE_READONLY),
                  c.after == 3);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

} // namespace
