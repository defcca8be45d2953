#include "tkit/ui/DropFiles.h"

#include "support/Drops.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using testing_support::makeDrop;

TEST(DropFiles, GivesEveryNameWhole)
{
    const std::vector<std::wstring> names = {
        L"C:\\a.txt",
        L"C:\\フォルダ\\日本語.txt",
        L"C:\\emoji \xD83D\xDE00.txt",
        L"C:\\" + std::wstring(1000, L'x'),
    };
    const HDROP drop = makeDrop(names);
    {
        const tkit::DropFiles files(drop);
        EXPECT_EQ(files.names(), names);
        EXPECT_TRUE(testing_support::dropIsHeld(drop)) << "asking must not release the handle";
    }
    EXPECT_FALSE(testing_support::dropIsHeld(drop));
}

enum class Way
{
    Finishes,
    ReturnsEarly,
    Throws
};

// A drop handler as the main dialog writes one: the object is a local.
int handle(HDROP drop, Way way, bool& stillHeld)
{
    const tkit::DropFiles files(drop);
    stillHeld = testing_support::dropIsHeld(drop);
    if (way == Way::ReturnsEarly && !files.names().empty())
        return 1;
    if (way == Way::Throws)
        throw std::runtime_error("handler left");
    return 2;
}

TEST(DropFiles, ReleasesTheHandleOnEveryWayOutOfTheHandler)
{
    for (Way way : {Way::Finishes, Way::ReturnsEarly, Way::Throws})
    {
        SCOPED_TRACE(static_cast<int>(way));
        const HDROP drop = makeDrop({L"C:\\x"});
        bool stillHeld = false;
        try
        {
            handle(drop, way, stillHeld);
        }
        catch (const std::runtime_error&)
        {
        }
        EXPECT_TRUE(stillHeld);
        EXPECT_FALSE(testing_support::dropIsHeld(drop));
    }
}

TEST(DropFiles, ANullHandleHasNoNamesAndNothingToRelease)
{
    const tkit::DropFiles files(nullptr);
    EXPECT_TRUE(files.names().empty());
}

} // namespace
