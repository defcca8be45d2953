#include "tkit/fs/Attributes.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::TempDir;

namespace
{

TEST(Attributes, ExistenceAndFolderTests)
{
    TempDir dir;
    const std::wstring file = dir.file(L"f.txt");
    const std::wstring folder = dir.folder(L"sub");
    const std::wstring missing = dir / L"missing";
    const struct
    {
        const wchar_t* path;
        bool exists;
        bool folder;
    } cases[] = {
        {nullptr, false, false},         {L"", false, false},
        {file.c_str(), true, false},     {folder.c_str(), true, true},
        {missing.c_str(), false, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(tkit::pathExists(c.path), c.exists) << (c.path ? c.path : L"(null)");
        EXPECT_EQ(tkit::isDirectory(c.path), c.folder) << (c.path ? c.path : L"(null)");
    }
}

TEST(Attributes, LongPathsAreReachedAndWritten)
{
    TempDir dir;
    std::wstring relative;
    while ((dir / relative).size() < 300)
        relative += L"フォルダ名前0123456789\\";
    const std::wstring folder = dir.folder(relative);
    const std::wstring file = dir.file(relative + L"file.txt");
    ASSERT_GT(file.size(), 300u);

    EXPECT_TRUE(tkit::isDirectory(folder.c_str()));
    // Written with backslashes or with forward slashes.
    std::wstring forward = file;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    for (const std::wstring& spelling : {file, forward})
    {
        EXPECT_TRUE(tkit::pathExists(spelling.c_str())) << spelling;
        EXPECT_FALSE(tkit::isDirectory(spelling.c_str())) << spelling;
    }

    const tkit::PlatformPath target(file);
    ASSERT_TRUE(tkit::setFileAttributes(target, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const std::optional<DWORD> attributes = tkit::fileAttributes(target);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
    EXPECT_TRUE(tkit::setFileAttributes(target, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(*tkit::fileAttributes(target) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(
        tkit::setFileAttributes(tkit::PlatformPath(dir / L"missing"), FILE_ATTRIBUTE_NORMAL));
}

} // namespace
