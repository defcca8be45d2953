#include "tkit/ui/DialogApp.h"

#include "support/Recorder.h"
#include "tkit/ui/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// An application that records the order of its calls and what they saw.
class RecordingApp : public tkit::DialogApp, public testing_support::Recorder
{
public:
    bool initAnswer = true;
    bool runAnswer = true;
    HINSTANCE instanceAtInit = nullptr;
    int showCommand = -1;
    tkit::StringList arguments;

    bool init() override
    {
        record("init");
        instanceAtInit = instance;
        return initAnswer;
    }
    bool run(const tkit::CommandLine& commandLine, int show) override
    {
        record("run");
        showCommand = show;
        arguments = commandLine.arguments();
        return runAnswer;
    }
    void exit() override { record("exit"); }
};

TEST(DialogApp, EntryCallsInitRunExitInOrderAndMapsTheResult)
{
    const struct
    {
        bool init, run;
        const char* calls;
        int exitCode;
        int show; // what run was handed; -1: run was not called
    } cases[] = {
        {true, true, "init run exit", 1, SW_SHOWMINNOACTIVE},
        {true, false, "init run exit", 0, SW_SHOWMINNOACTIVE},
        // A failed init skips run and exit.
        {false, true, "init", 0, -1},
        {false, false, "init", 0, -1},
    };
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "init " << c.init << " run " << c.run);
        RecordingApp app;
        app.initAnswer = c.init;
        app.runAnswer = c.run;
        EXPECT_EQ(tkit::runDialogApp(app, instance, SW_SHOWMINNOACTIVE), c.exitCode);
        EXPECT_EQ(app.slots(), c.calls);
        EXPECT_EQ(app.instanceAtInit, instance) << "instance is stored before init";
        EXPECT_EQ(app.showCommand, c.show);
    }
}

TEST(DialogApp, RunGetsTheProcessCommandLine)
{
    RecordingApp app;
    tkit::runDialogApp(app, GetModuleHandleW(nullptr), SW_SHOW);
    const tkit::CommandLine expected;
    EXPECT_EQ(app.arguments, expected.arguments());
}

} // namespace
