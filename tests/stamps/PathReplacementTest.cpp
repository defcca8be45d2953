#include "stamps/PathReplacement.h"

#include "support/FolderLink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::TempDir;

namespace
{

// Each case's rows, texts and name match; the rows' paths after OK and the
// preview's counts: changed, found, not found, by name, shared pairs, invalid.
TEST(PathReplacement, GivesEachRowItsNewPathAndCountsWhatTheReplacementDoes)
{
    TempDir dir;
    for (const wchar_t* file :
         {L"old\\a.jpg", L"old\\b.jpg", L"new\\a.jpg", L"new\\b.png", L"new\\p1.png",
          L"new\\p2.png", L"new\\p2.heic", L"new\\album.zip", L"Ärger\\x.txt"})
        dir.file(file);
    for (const wchar_t* folder : {L"old\\album", L"new\\p0.jpeg"})
        dir.folder(folder);
    testing_support::MappedDrive mapped(dir.path());
    ASSERT_FALSE(mapped.drive().empty());
    const std::wstring d = dir.path() + L"\\", x = mapped.drive() + L"\\", old = d + L"old\\",
                       fresh = d + L"new\\", tooLong(32767, L'x');
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(dir.path().c_str());
    const struct
    {
        const char* name;
        std::vector<std::wstring> rows;
        std::wstring find, with;
        bool byName;
        std::vector<std::wstring> after;
        ReplacementCounts counts;
        std::vector<int> applied = {};
    } cases[] = {
        {"a folder prefix",
         {old + L"a.jpg", old + L"b.jpg"},
         old,
         fresh,
         false,
         {fresh + L"a.jpg", fresh + L"b.jpg"},
         {2, 1, 1, 0, 0, 0}},
        {"only the rows applied to",
         {old + L"a.jpg", old + L"b.jpg"},
         old,
         fresh,
         false,
         {old + L"a.jpg", fresh + L"b.jpg"},
         {1, 0, 1, 0, 0, 0},
         {1}},
        {"a drive letter in another case",
         {x + L"old\\a.jpg"},
         L"x:",
         dir.path(),
         false,
         {old + L"a.jpg"},
         {1, 1, 0, 0, 0, 0}},
        {"a relative row in another case",
         {L"old\\b.jpg"},
         L"OLD\\",
         L"new\\",
         true,
         {L"new\\b.png"},
         {1, 1, 0, 1, 0, 0}},
        {"Ä as ä, and full-width letters in either case: onto another row's file",
         {d + L"Ärger\\x.txt", d + L"ＡＢＣ\\x.txt"},
         L"ａｂｃ",
         L"äRGER",
         false,
         {d + L"Ärger\\x.txt", d + L"äRGER\\x.txt"},
         {1, 1, 0, 0, 1, 0}},
        {"the text in two places",
         {d + L"2023\\IMG_2023.jpg"},
         L"2023",
         L"2024",
         false,
         {d + L"2024\\IMG_2024.jpg"},
         {1, 0, 1, 0, 0, 0}},
        {"another extension: none, one, two, a folder row",
         {old + L"p0.jpg", old + L"p1.jpg", old + L"p2.jpg", old + L"album"},
         old,
         fresh,
         true,
         {fresh + L"p0.jpg", fresh + L"p1.png", fresh + L"p2.jpg", fresh + L"album"},
         {4, 1, 3, 1, 0, 0}},
        {"the same without the name match",
         {old + L"p0.jpg", old + L"p1.jpg", old + L"p2.jpg", old + L"album"},
         old,
         fresh,
         false,
         {fresh + L"p0.jpg", fresh + L"p1.jpg", fresh + L"p2.jpg", fresh + L"album"},
         {4, 0, 4, 0, 0, 0}},
        {"two rows matched to one file",
         {old + L"p1.jpg", old + L"p1.gif"},
         old,
         fresh,
         true,
         {fresh + L"p1.png", fresh + L"p1.png"},
         {2, 2, 0, 2, 1, 0}},
        {"a name Windows forbids",
         {old + L"a.jpg", old + L"b.jpg"},
         L"a.jpg",
         L"a?.jpg",
         false,
         {old + L"a.jpg", old + L"b.jpg"},
         {0, 0, 0, 0, 0, 1}},
        {"a path too long",
         {old + L"b.jpg"},
         L"old",
         tooLong,
         false,
         {old + L"b.jpg"},
         {0, 0, 0, 0, 0, 1}},
        {"an empty find", {old + L"b.jpg"}, L"", fresh, false, {old + L"b.jpg"}, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<int> applied = c.applied;
        for (int row = 0; c.applied.empty() && row < static_cast<int>(c.rows.size()); ++row)
            applied.push_back(row);
        PathReplacement replacement(c.rows, applied);
        EXPECT_EQ(replacement.plan(c.find, c.with, c.byName), c.counts);
        std::vector<std::wstring> after = c.rows;
        for (const PathChange& change : replacement.changes())
            after[static_cast<size_t>(change.row)] = change.path;
        EXPECT_EQ(after, c.after);
    }
    SetCurrentDirectoryW(current);
}

} // namespace
