#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "app/Application.h"

namespace {

// An application with one command of its own and a log of what the base calls.
class RecordingApplication : public Application {
public:
    std::vector<std::string> calls;
    NativeHandle instanceSeenAtStart = nullptr;
    bool initResult = false;

    void OnRefreshCommand() { calls.push_back("refresh"); }

protected:
    bool InitInstance() override {
        instanceSeenAtStart = GetInstanceHandle();
        calls.push_back("InitInstance");
        return initResult;
    }
    int ExitInstance() override {
        calls.push_back("ExitInstance");
        return 7;
    }
    const CommandTable& GetCommandTable() const override { return kTable; }

private:
    static const CommandEntry kEntries[];
    static const CommandTable kTable;
};

const CommandEntry RecordingApplication::kEntries[] = {
    OnAppCommand<RecordingApplication, &RecordingApplication::OnRefreshCommand>(100),
    OnAppCommand<Application, &RecordingApplication::OnHelp>(kIdHelp),
};
const CommandTable RecordingApplication::kTable = {&Application::kCommandTable, kEntries,
                                                   std::size(kEntries)};

TEST(ApplicationTest, RunStartsThenEndsAndReturnsTheExitStatus) {
    for (bool initResult : {false, true}) {
        SCOPED_TRACE(initResult);
        RecordingApplication application;
        application.initResult = initResult;
        int module = 0;
        EXPECT_EQ(application.Run(&module), 7);
        EXPECT_EQ(application.calls, (std::vector<std::string>{"InitInstance", "ExitInstance"}));
        EXPECT_EQ(application.instanceSeenAtStart, &module);
        EXPECT_EQ(application.GetInstanceHandle(), &module);
    }
}

TEST(ApplicationTest, CommandsGoToTheirRowAndUnknownOnesAreLeftUnhandled) {
    RecordingApplication application;
    EXPECT_TRUE(application.OnCommand(100));
    EXPECT_TRUE(application.OnCommand(kIdHelp));
    EXPECT_FALSE(application.OnCommand(101));
    EXPECT_FALSE(application.OnCommand(0));
    EXPECT_EQ(application.calls, std::vector<std::string>{"refresh"});
}

TEST(ApplicationTest, HasNoMainWindowOutsideARun) {
    RecordingApplication application;
    EXPECT_EQ(application.GetMainWindow(), nullptr);
}

}  // namespace
