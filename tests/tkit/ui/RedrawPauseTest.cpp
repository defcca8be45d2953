#include "tkit/ui/RedrawPause.h"

#include "support/Hosts.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

using testing_support::HostDialog;
using testing_support::RecordingList;

namespace
{

TEST(RedrawPause, PausesNestAndOnlyTheOutermostTurnsRepaintingBackOn)
{
    HostDialog host;
    RecordingList list(host.window, IDC_FILE_LIST, true);
    {
        const tkit::RedrawPause outer(list);
        {
            const tkit::RedrawPause inner(list);
            EXPECT_EQ(list.wParams(WM_SETREDRAW), std::vector<WPARAM>{FALSE});
        }
        EXPECT_EQ(list.wParams(WM_SETREDRAW), std::vector<WPARAM>{FALSE});
    }
    EXPECT_EQ(list.wParams(WM_SETREDRAW), (std::vector<WPARAM>{FALSE, TRUE}));
    {
        const tkit::RedrawPause again(list);
    }
    EXPECT_EQ(list.wParams(WM_SETREDRAW), (std::vector<WPARAM>{FALSE, TRUE, FALSE, TRUE}));
}

} // namespace
