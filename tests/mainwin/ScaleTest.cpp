// A large tree through the whole program: captured from the command line into
// the main window, its times moved, restored, then restored again with some
// files gone and some read-only. Every file must come back to the millisecond
// and only the missing files may fail.

#include "mainwin/MainDialog.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "support/Hosts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

using testing_support::lastWriteTicks;
using testing_support::quoted;
using testing_support::setLastWriteTicks;
using testing_support::TempDir;
using testing_support::withMainWindow;

namespace
{

constexpr int folderCount = 20;
constexpr int filesPerFolder = 1000;
constexpr int fileCount = folderCount * filesPerFolder;
constexpr unsigned long long anHour = 36'000'000'000ULL;
// 2019-03-04 around noon UTC, in FILETIME ticks.
constexpr unsigned long long baseTicks = 131'961'456'000'000'000ULL;

std::wstring numbered(const wchar_t* form, int number)
{
    wchar_t name[64];
    swprintf(name, 64, form, number);
    return name;
}

// Every file with a time of its own, milliseconds and a sub-millisecond rest
// included (the rest is not kept by the timestamp text).
unsigned long long originalTicks(int file)
{
    return baseTicks + static_cast<unsigned long long>(file) * 100'070'000ULL + 4321;
}

// Folders of Japanese and ASCII names, each with files of both kinds; the
// paths of the files, in the order made.
std::vector<std::wstring> makeTree(const TempDir& dir)
{
    std::vector<std::wstring> files;
    files.reserve(fileCount);
    for (int folder = 0; folder < folderCount; ++folder)
    {
        const std::wstring folderPath =
            dir.folder(numbered(folder % 2 ? L"フォルダ%02d" : L"dir_%02d", folder));
        for (int at = 0; at < filesPerFolder; ++at)
        {
            const int serial = static_cast<int>(files.size());
            const std::wstring path =
                folderPath + L"\\" + numbered(at % 2 ? L"写真_%05d.jpg" : L"data_%05d.bin", serial);
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return {};
            const FILETIME time = testing_support::fileTimeOf(originalTicks(serial));
            SetFileTime(file, nullptr, nullptr, &time);
            CloseHandle(file);
            files.push_back(path);
        }
    }
    return files;
}

struct Row
{
    std::wstring path;
    std::wstring text;
    int image;
};

std::vector<Row> rowsOf(const FileListView& list)
{
    std::vector<Row> rows;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
        rows.push_back({list.itemText(row, 0), list.itemText(row, 1), list.stateImage(row)});
    return rows;
}

bool operator==(const Row& a, const Row& b)
{
    return a.path == b.path && a.text == b.text && a.image == b.image;
}

// The rows whose status is not the expected one, and the paths whose time
// is not the expected one, as readable lines (the first few of each).
struct Mismatches
{
    std::vector<std::wstring> lines;
    int count = 0;
    void add(const std::wstring& line)
    {
        if (++count <= 10)
            lines.push_back(line);
    }
};

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string describe(const Mismatches& mismatches)
{
    std::string text = std::to_string(mismatches.count) + " mismatches";
    for (const std::wstring& line : mismatches.lines)
        text += "\n  " + narrow(line);
    return text;
}

// Checks every row: its status (Failed for the paths in `missing`, Restored
// for the others) and, for the others, that the file holds its captured time.
Mismatches checkRestore(const FileListView& list,
                        const std::unordered_map<std::wstring, unsigned long long>& captured,
                        const std::set<std::wstring>& missing)
{
    Mismatches mismatches;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        const std::wstring path = list.itemText(row, 0);
        const auto status = static_cast<EntryStatus>(list.itemData(row));
        const bool gone = missing.count(path) != 0;
        if (status != (gone ? EntryStatus::Failed : EntryStatus::Restored))
            mismatches.add(L"status " + std::to_wstring(static_cast<int>(status)) + L": " + path);
        if (gone)
            continue;
        const auto expected = captured.find(path);
        if (expected == captured.end() || lastWriteTicks(path) != expected->second)
            mismatches.add(L"time: " + path);
    }
    return mismatches;
}

TEST(Scale, TwentyThousandFilesComeBackExactlyAndOnlyMissingOnesFail)
{
    TempDir dir;
    const std::vector<std::wstring> files = makeTree(dir);
    ASSERT_EQ(files.size(), static_cast<size_t>(fileCount));

    // What capture must find: each file's own time without its sub-millisecond
    // rest, and each folder's time as it is now.
    std::unordered_map<std::wstring, unsigned long long> captured;
    for (size_t at = 0; at < files.size(); ++at)
        captured[files[at]] =
            testing_support::wholeMilliseconds(originalTicks(static_cast<int>(at)));
    captured[dir.path()] = testing_support::wholeMilliseconds(lastWriteTicks(dir.path()));
    for (int folder = 0; folder < folderCount; ++folder)
    {
        const std::wstring path = files[static_cast<size_t>(folder * filesPerFolder)];
        const std::wstring parent = path.substr(0, path.rfind(L'\\'));
        captured[parent] = testing_support::wholeMilliseconds(lastWriteTicks(parent));
    }

    withMainWindow(L"-r " + quoted(dir.path()), [&](MainDialog& dialog) {
        const FileListView& list = *dialog.list();
        const std::vector<Row> before = rowsOf(list);
        ASSERT_EQ(before.size(), captured.size());

        // Every path elsewhere in time, then the first restore.
        for (const Row& row : before)
            ASSERT_TRUE(setLastWriteTicks(row.path, captured[row.path] + anHour + 5));
        dialog.restoreTimestamps();
        const Mismatches first = checkRestore(list, captured, {});
        EXPECT_EQ(first.count, 0) << describe(first);

        // 100 files gone, 100 others read-only and moved in time.
        std::set<std::wstring> deleted;
        std::vector<std::wstring> readOnly;
        for (int at = 0; at < 100; ++at)
        {
            const std::wstring& gone = files[static_cast<size_t>(at * 200)];
            ASSERT_TRUE(DeleteFileW(gone.c_str()));
            deleted.insert(gone);
            const std::wstring& locked = files[static_cast<size_t>(at * 200 + 100)];
            ASSERT_TRUE(setLastWriteTicks(locked, captured[locked] + anHour));
            ASSERT_TRUE(SetFileAttributesW(locked.c_str(), GetFileAttributesW(locked.c_str()) |
                                                               FILE_ATTRIBUTE_READONLY));
            readOnly.push_back(locked);
        }
        std::unordered_map<std::wstring, DWORD> attributes;
        for (const Row& row : before)
        {
            if (!deleted.count(row.path))
                attributes[row.path] = GetFileAttributesW(row.path.c_str());
        }

        dialog.restoreTimestamps();
        const Mismatches second = checkRestore(list, captured, deleted);
        EXPECT_EQ(second.count, 0) << describe(second);

        // Read-only files are read-only again, and no other attribute of
        // any file has changed.
        int changed = 0;
        for (const auto& [path, bits] : attributes)
            changed += GetFileAttributesW(path.c_str()) != bits ? 1 : 0;
        EXPECT_EQ(changed, 0);
        for (const std::wstring& locked : readOnly)
            EXPECT_TRUE(GetFileAttributesW(locked.c_str()) & FILE_ATTRIBUTE_READONLY);
        // Rows, their order, texts and boxes are as captured.
        EXPECT_TRUE(rowsOf(list) == before);
        for (const std::wstring& locked : readOnly)
            SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    });
}

} // namespace
