#include "tkit/fs/File.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using testing_support::TempDir;

namespace
{

// Another open of the same path, exclusive; it fails while any handle is held.
bool openableExclusively(const std::wstring& path)
{
    HANDLE other = CreateFileW(testing_support::longPath(path).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(other);
    return true;
}

bool isOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(File, OpensFilesAndFoldersForTheirTimes)
{
    TempDir dir;
    const unsigned long long stamp = testing_support::localTicks(2021, 3, 4, 5, 6, 7, 891);
    const std::wstring paths[] = {dir.file(L"f.txt"), dir.folder(L"sub")};
    for (const std::wstring& path : paths)
    {
        tkit::File writer;
        ASSERT_TRUE(writer.open(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ)) << path;
        EXPECT_EQ(writer.path(), path);
        EXPECT_TRUE(writer.writeLastWriteTime(testing_support::fileTimeOf(stamp)));
        writer.close();
        EXPECT_EQ(writer.handle(), INVALID_HANDLE_VALUE);
        EXPECT_TRUE(writer.path().empty());

        tkit::File reader;
        ASSERT_TRUE(reader.open(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
        FILETIME lastWrite = {};
        ASSERT_TRUE(reader.readLastWriteTime(lastWrite));
        EXPECT_EQ(testing_support::ticksOf(lastWrite), stamp) << path;
        EXPECT_EQ(testing_support::lastWriteTicks(path), stamp);
    }
}

TEST(File, NeverCreatesAFile)
{
    TempDir dir;
    const std::wstring missing = dir / L"missing.txt";
    tkit::File file;
    EXPECT_FALSE(file.open(missing.c_str(), GENERIC_WRITE, 0));
    EXPECT_EQ(file.handle(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(file.path().empty());
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(File, EveryOpenReleasesTheEarlierHandleFirst)
{
    TempDir dir;
    const std::wstring first = dir.file(L"first.txt");
    const std::wstring second = dir.file(L"second.txt");
    const std::wstring missing = dir / L"missing.txt";

    tkit::File file;
    // A null path changes nothing.
    ASSERT_TRUE(file.open(first.c_str(), GENERIC_READ, 0));
    const HANDLE held = file.handle();
    EXPECT_FALSE(file.open(nullptr, GENERIC_READ, 0));
    EXPECT_EQ(file.handle(), held);
    EXPECT_EQ(file.path(), first);
    EXPECT_FALSE(openableExclusively(first));

    // Reopening the same file exclusively only works when the first handle went first.
    EXPECT_TRUE(file.open(first.c_str(), GENERIC_READ, 0));
    EXPECT_EQ(file.path(), first);

    EXPECT_TRUE(file.open(second.c_str(), GENERIC_READ, 0));
    EXPECT_TRUE(openableExclusively(first));
    EXPECT_FALSE(openableExclusively(second));

    EXPECT_FALSE(file.open(missing.c_str(), GENERIC_READ, 0));
    EXPECT_TRUE(openableExclusively(second));
    EXPECT_EQ(file.handle(), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(file.path().empty());
}

TEST(File, LongPathsOpenAndKeepTheCallersPath)
{
    TempDir dir;
    std::wstring relative;
    while ((dir / relative).size() < 300)
        relative += L"長いフォルダの名前\\";
    const std::wstring path = dir.file(relative + L"f.txt");
    const std::wstring folder = dir / relative;
    ASSERT_GT(path.size(), 300u);

    const std::wstring prefixed = L"\\\\?\\" + path;
    const std::wstring cases[] = {path, folder, prefixed};
    for (const std::wstring& caller : cases)
    {
        tkit::File file;
        EXPECT_TRUE(file.open(caller.c_str(), GENERIC_READ, FILE_SHARE_READ)) << caller;
        EXPECT_EQ(file.path(), caller);
        FILETIME lastWrite = {};
        EXPECT_TRUE(file.readLastWriteTime(lastWrite));
    }
}

TEST(File, StandardHandlesAreNeverClosed)
{
    TempDir dir;
    const std::wstring path = dir.file(L"f.txt");
    const DWORD slots[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (const DWORD slot : slots)
    {
        const HANDLE saved = GetStdHandle(slot);
        tkit::File file;
        ASSERT_TRUE(file.open(path.c_str(), GENERIC_READ, FILE_SHARE_READ));
        const HANDLE handle = file.handle();
        SetStdHandle(slot, handle);
        file.close();
        SetStdHandle(slot, saved);
        EXPECT_EQ(file.handle(), INVALID_HANDLE_VALUE);
        EXPECT_TRUE(file.path().empty());
        EXPECT_TRUE(isOpenHandle(handle)) << slot;
        CloseHandle(handle);
    }

    // An ordinary handle is closed.
    tkit::File file;
    ASSERT_TRUE(file.open(path.c_str(), GENERIC_READ, FILE_SHARE_READ));
    file.close();
    EXPECT_TRUE(openableExclusively(path));
}

// Restores the process's console and standard handles after a test that needs a console.
class ConsoleScope
{
public:
    ConsoleScope()
        : saved{GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                GetStdHandle(STD_ERROR_HANDLE)}
    {
        FreeConsole();
        AllocConsole();
    }
    ~ConsoleScope()
    {
        FreeConsole();
        SetStdHandle(STD_INPUT_HANDLE, saved[0]);
        SetStdHandle(STD_OUTPUT_HANDLE, saved[1]);
        SetStdHandle(STD_ERROR_HANDLE, saved[2]);
    }
    ConsoleScope(const ConsoleScope&) = delete;
    ConsoleScope& operator=(const ConsoleScope&) = delete;

private:
    HANDLE saved[3];
};

TEST(File, ConsoleNamesOpenWithoutASharingMask)
{
    ConsoleScope console;
    const struct
    {
        const wchar_t* name;
        DWORD shareMode;
    } cases[] = {
        {L"conin$", 0},
        {L"CONIN$", FILE_SHARE_READ | FILE_SHARE_WRITE},
        {L"CONOUT$", 0},
        {L"Conout$", FILE_SHARE_WRITE},
    };
    for (const auto& c : cases)
    {
        tkit::File file;
        ASSERT_TRUE(file.open(c.name, GENERIC_READ | GENERIC_WRITE, c.shareMode)) << c.name;
        DWORD mode = 0;
        EXPECT_TRUE(GetConsoleMode(file.handle(), &mode)) << c.name;
        EXPECT_EQ(file.path(), c.name);
    }
}

} // namespace
