#include "tkit/fs/FormatString.h"

#include <gtest/gtest.h>

namespace
{

TEST(FormatString, FormatsLikePrintf)
{
    EXPECT_EQ(tkit::formatString(nullptr), L"");
    EXPECT_EQ(tkit::formatString(L""), L"");
    EXPECT_EQ(tkit::formatString(L"plain"), L"plain");
    EXPECT_EQ(tkit::formatString(L"%04d/%02d/%03d", 7, 8, 9), L"0007/08/009");
    EXPECT_EQ(tkit::formatString(L"%d|%5d|%-3d|", -12, 34, 5), L"-12|   34|5  |");
    EXPECT_EQ(tkit::formatString(L"%ls=%ls", L"名前", L"\U0001F389"), L"名前=\U0001F389");
    EXPECT_EQ(tkit::formatString(L"100%%"), L"100%");
}

TEST(FormatString, ResultsOfAnyLengthComeBackWhole)
{
    // Around the first buffer's size, and far beyond it.
    for (const size_t length : {1u, 509u, 510u, 511u, 512u, 513u, 4096u, 100000u})
    {
        const std::wstring text(length, L'あ');
        const std::wstring result = tkit::formatString(L"[%ls]", text.c_str());
        ASSERT_EQ(result.size(), length + 2) << length;
        EXPECT_EQ(result, L"[" + text + L"]");
    }
}

} // namespace
