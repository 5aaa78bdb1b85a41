// The DFU library's reports handed to the user-interface thread: one posted
// message per queued report, state changes coalesced, notifications and
// finished operations never dropped, and what each activity does to the
// working record and its prompts.
#include "UpdateRunFixture.h"

namespace {

using Prompt = IUpdateWindow::Prompt;

DFUEngine::Status Activity(int activity, int operation = DFUEngine::Status::OperationReconfigure)
{
    DFUEngine::Status s;
    s.operation = operation;
    s.activity = activity;
    return s;
}

class BridgeTest : public UpdateRunTest {
protected:
    // Hands over every posted message.
    void HandleAll()
    {
        while (handled < posted) {
            ++handled;
            driver->HandleQueuedCallback();
        }
    }
    // A state change of the engine's thread, handled at once.
    void Event(int activity)
    {
        driver->QueueStateChange(activity, Activity(activity));
        HandleAll();
    }
};

TEST_F(BridgeTest, StateChangesAreCoalescedWhileAnythingWaits)
{
    const DFUEngine::Status waiting = Activity(DFUEngine::Status::ActivityWaitingForDevice);
    // A burst into an empty queue: the first one is kept.
    for (int i = 0; i < 5; ++i) driver->QueueStateChange(16, waiting);
    EXPECT_EQ(1u, driver->Queue().Size());
    EXPECT_EQ(1, posted.load());
    // Notifications and finished operations are all kept, and state changes
    // behind them are dropped.
    driver->QueueCallback(DfuCallbackData::Notify, 40, waiting);
    driver->QueueCallback(DfuCallbackData::OperationDone, 2, waiting);
    driver->QueueStateChange(17, Activity(17));
    EXPECT_EQ(3u, driver->Queue().Size());
    EXPECT_EQ(3, posted.load());
    // One item per message; the notification comes back as a state change.
    ++handled;
    driver->HandleQueuedCallback();
    EXPECT_EQ(UpdateStateWriting, status.State.load());
    EXPECT_EQ(2u, driver->Queue().Size());
    driver->Queue().Clear();
    handled = posted;
    driver->QueueCallback(DfuCallbackData::Notify, 40, waiting);
    HandleAll();
    EXPECT_EQ(0u, driver->Queue().Size());
    EXPECT_EQ(handled, posted.load());
}

TEST_F(BridgeTest, TheKeyPromptInUpdateModeComesAfterTwentyEventsThenEveryTwentyOne)
{
    RecognizedChip(0x4D10, 4, 2);
    app.usbStatus = 0xCD10;
    std::vector<int> shownAt;
    for (int event = 1; event <= 63; ++event) {
        const size_t before = prompts.size();
        Event(16);
        if (prompts.size() > before) {
            shownAt.push_back(event);
            status.CloseMessageBox();
        }
    }
    EXPECT_EQ((std::vector<int>{21, 42, 63}), shownAt);
    EXPECT_EQ(0, page.DfuStepActive.load());

    // Never for the products without key prompts.
    prompts.clear();
    app.targetProductId = 0x3010;
    for (int event = 0; event < 50; ++event) Event(16);
    EXPECT_TRUE(prompts.empty());
}

TEST_F(BridgeTest, EachActivityOnTheRecordAndItsPrompts)
{
    struct Case {
        int target;
        int usbStatus;
        int activity;
        bool promptBefore;
        int state;          // after
        bool promptAfter;
        Prompt shown;       // when a prompt was opened
        bool returnTimer;
    };
    const Case cases[] = {
        {0x4D10, 0x4D10, 16, false, UpdateStateWriting, true, Prompt::HoldKey, false},
        {0x3020, 0x3020, 16, false, UpdateStateWriting, false, Prompt::HoldKey, false},
        {0x4D10, 0x4D10, 17, true, UpdateStateDfuDownload, false, Prompt::HoldKey, false},
        {0x5310, 0x5310, 17, true, UpdateStateDfuDownload, true, Prompt::HoldKey, false},  // the pair keeps it
        {0x4D10, 0x4D10, 18, false, UpdateStateRestarting, true, Prompt::HoldTwoKeys, false},
        {0x5310, 0x5310, 18, false, UpdateStateRestarting, false, Prompt::HoldTwoKeys, false},
        {0x4D10, 0x4D10, 19, false, UpdateStateDfuDownload, false, Prompt::HoldKey, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + " activity " + std::to_string(c.activity));
        app.targetProductId = c.target;
        app.usbStatus = c.usbStatus;
        status.State = UpdateStateDfuDownload;
        status.PhaseTicks = 9;
        status.CloseMessageBox();
        page.ReturnTimer = 0;
        prompts.clear();
        if (c.promptBefore) {
            OpenPrompt(status, Prompt::HoldKey);
            prompts.clear();
        }
        Event(c.activity);
        EXPECT_EQ(c.state, status.State.load());
        EXPECT_EQ(c.promptAfter, status.Prompt() != nullptr);
        if (!prompts.empty()) { EXPECT_EQ(c.shown, prompts.back()); }
        EXPECT_EQ(c.returnTimer, page.ReturnTimer != 0);
        if (c.activity == 16 || c.activity == 18) { EXPECT_EQ(0, status.PhaseTicks.load()); }
        if (c.activity == 18) { EXPECT_TRUE(driver->RestartSeen()); }
    }
}

TEST_F(BridgeTest, ARestoreWritesItsStatesAndPromptsIntoTheRestoreRecord)
{
    RecognizedChip(0x4D10, 4, 2);
    app.currentPage = PageFirmwareRestore;
    Event(16);
    EXPECT_EQ(UpdateStateWriting, restoreStatus.State.load());
    EXPECT_NE(nullptr, restoreStatus.Prompt());
    Event(18);
    EXPECT_EQ(UpdateStateRestarting, restoreStatus.State.load());
    EXPECT_EQ(UpdateStateIdle, status.State.load());
    EXPECT_EQ(nullptr, status.Prompt());
}

TEST_F(BridgeTest, ReportsAfterTheEndChangeNothing)
{
    RecognizedChip(0x4D10, 4, 2);
    status.State = UpdateStateDfuDownload;
    status.Finished = true;
    Event(16);
    Event(19);
    EXPECT_EQ(UpdateStateDfuDownload, status.State.load());
    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(0, page.ReturnTimer.load());
}

}  // namespace
