// The progress of a running update as the one-second timer derives it: the
// percentage by state, road and ticks, the prompts a tick asks for, and the
// frame's percentage of the two-unit product.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "firmware/UpdateProgress.h"
#include "firmware/UpdateStatus.h"

namespace {

using P = ProgressPrompt;

ProgressFacts Facts(int target, int state)
{
    ProgressFacts facts;
    facts.targetProductId = target;
    facts.state = state;
    return facts;
}

ProgressCounters Counters(int percent, int phaseTicks, int promptTicks = 0, int cameraHold = 0, int finalTicks = 0)
{
    return {percent, phaseTicks, promptTicks, cameraHold, finalTicks};
}

TEST(UpdateProgress, OneTickByStateRoadAndCounters)
{
    struct Case {
        const char* name;
        ProgressFacts facts;
        ProgressCounters in;
        ProgressCounters out;
        ProgressPrompt prompt;
        bool awaitReturn;
    };
    auto with = [](ProgressFacts f, auto change) {
        change(f);
        return f;
    };
    const auto promptOpen = [](ProgressFacts& f) { f.promptOpen = true; };
    const auto restarting = [](ProgressFacts& f) { f.deviceRestarting = true; };
    const auto stepIdle = [](ProgressFacts& f) { f.dfuStepActive = false; };
    const Case cases[] = {
        {"started", Facts(0x4D10, UpdateStateStarted), Counters(0, 0), Counters(1, 0), P::Keep, false},
        {"package read", Facts(0x5910, UpdateStatePackageRead), Counters(0, 0), Counters(1, 0), P::Keep, false},
        {"verified, dual writer", Facts(0x4310, UpdateStatePackageVerified), Counters(1, 0, 7), Counters(2, 0, 0),
         P::Keep, false},
        {"verified, others", Facts(0x4D10, UpdateStatePackageVerified), Counters(1, 0, 7), Counters(5, 0, 0), P::Keep,
         false},
        // Preparation: PhaseTicks * 100 / (P + W + R) + 5, PhaseTicks at most P, at most 15.
        {"preparation", Facts(0x4D10, UpdateStateDfuDownload), Counters(0, 9, 0, 1), Counters(7, 10, 0, 0), P::Keep,
         false},
        {"preparation at its budget", Facts(0x4D10, UpdateStateDfuDownload), Counters(9, 20), Counters(9, 20),
         P::Keep, false},
        {"preparation capped", Facts(0x5210, UpdateStateDfuDownload), Counters(14, 14), Counters(15, 15), P::Keep,
         false},
        {"preparation waits for the prompt", with(Facts(0x4D10, UpdateStateDfuDownload), promptOpen), Counters(6, 5),
         Counters(6, 5), P::Keep, false},
        // Writing on the DFU road: PhaseTicks * 100 / (W + R) + 15, at most 90.
        {"writing", Facts(0x4D10, UpdateStateWriting), Counters(15, 43), Counters(25, 44), P::Keep, false},
        {"writing capped", Facts(0x5210, UpdateStateWriting), Counters(90, 80), Counters(90, 80), P::Keep, false},
        {"writing waits for the prompt", with(Facts(0x4D10, UpdateStateWriting), promptOpen), Counters(20, 10, 3),
         Counters(20, 10, 4), P::Keep, false},
        {"writing waits for the library", with(Facts(0x4D10, UpdateStateWriting), stepIdle), Counters(20, 10, 3),
         Counters(20, 10, 4), P::Keep, false},
        {"a prompt open too long closes", with(Facts(0x4D10, UpdateStateWriting), promptOpen), Counters(20, 10, 630),
         Counters(20, 10, 631), P::Close, false},
        {"camera holds its first writing tick", Facts(0x3020, UpdateStateWriting), Counters(15, 0, 0, 0),
         Counters(15, 0, 0, 1), P::Keep, false},
        {"camera counts after its hold", Facts(0x3020, UpdateStateWriting), Counters(15, 0, 0, 1),
         Counters(15, 1, 0, 1), P::Keep, false},
        // HID writers.
        {"package writer", Facts(0x6010, UpdateStateWriting), Counters(2, 129), Counters(52, 130), P::Keep, false},
        {"package writer capped at 77", Facts(0x6010, UpdateStateWriting), Counters(77, 250), Counters(77, 250),
         P::Keep, false},
        {"two-stage writer at its writing budget", Facts(0x3110, UpdateStateWriting), Counters(88, 400),
         Counters(88, 400), P::Keep, false},
        {"key writer closes a prompt", with(Facts(0x5910, UpdateStateWriting), promptOpen), Counters(2, 0),
         Counters(2, 1), P::Close, false},
        {"key writer asks for the key", with(Facts(0x5910, UpdateStateWriting), restarting), Counters(40, 76),
         Counters(40, 76), P::ShowKey, false},
        {"combined chip counts by one", Facts(0x5345, UpdateStateWriting), Counters(36, 0), Counters(37, 0), P::Keep,
         false},
        {"combined chip capped", Facts(0x5346, UpdateStateWriting), Counters(90, 0), Counters(90, 0), P::Keep, false},
        // Restart.
        {"dual writer raised to its writing budget", Facts(0x4310, UpdateStateRestarting), Counters(40, 100),
         Counters(87, 245), P::Keep, false},
        {"dual writer at its end", Facts(0x4310, UpdateStateRestarting), Counters(98, 285), Counters(98, 285), P::Keep,
         false},
        {"key writer restarting asks for the key", with(Facts(0x5910, UpdateStateRestarting), restarting),
         Counters(90, 180), Counters(90, 180), P::ShowKey, false},
        {"two-stage writer restarting asks for the key", with(Facts(0x3110, UpdateStateRestarting), restarting),
         Counters(90, 400), Counters(90, 400), P::ShowKey, false},
        {"DFU restart", Facts(0x4D10, UpdateStateRestarting), Counters(90, 0), Counters(95, 1), P::Keep, false},
        {"DFU restart pins at 98", Facts(0x4D10, UpdateStateRestarting), Counters(95, 1), Counters(98, 2, 0, 0, 1),
         P::Keep, false},
        {"DFU restart runs out: the return is watched",
         Facts(0x4D10, UpdateStateRestarting), Counters(98, 20, 0, 0, 10), Counters(98, 20, 0, 0, 11), P::Keep, true},
        {"DFU restart with the two-key prompt", with(Facts(0x4D10, UpdateStateRestarting), promptOpen),
         Counters(90, 0, 5, 0, 4), Counters(90, 0, 6, 0, 4), P::Keep, false},
        {"the two-key prompt times out", with(Facts(0x4D10, UpdateStateRestarting), promptOpen),
         Counters(90, 0, 30, 0, 4), Counters(90, 0, 31, 0, 0), P::Close, false},
        {"camera holds three restart ticks", Facts(0x3020, UpdateStateRestarting), Counters(90, 0, 0, 2),
         Counters(90, 0, 0, 3), P::Keep, false},
        {"package writer pins at 98 and watches", Facts(0x6010, UpdateStateRestarting), Counters(98, 250, 0, 0, 10),
         Counters(98, 10, 0, 0, 11), P::Keep, true},
        // Waiting for the user after the settings archive failed: every writer model gets its notice.
        {"backup notice, key writer", Facts(0x5910, UpdateStateWaitingForUser), Counters(5, 0), Counters(5, 0),
         P::ShowBackupFailed, false},
        {"backup notice, combined chip", Facts(0x5345, UpdateStateWaitingForUser), Counters(5, 0), Counters(5, 0),
         P::ShowBackupFailed, false},
        {"backup notice only once",
         with(Facts(0x5345, UpdateStateWaitingForUser), [](ProgressFacts& f) { f.backupNoticeShown = true; }),
         Counters(5, 0), Counters(5, 0), P::Keep, false},
        {"backup notice waits for a prompt", with(Facts(0x6010, UpdateStateWaitingForUser), promptOpen),
         Counters(5, 0), Counters(5, 0), P::Keep, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgressStep step = AdvanceProgress(c.facts, c.in);
        EXPECT_EQ(step.counters.percent, c.out.percent);
        EXPECT_EQ(step.counters.phaseTicks, c.out.phaseTicks);
        EXPECT_EQ(step.counters.promptTicks, c.out.promptTicks);
        EXPECT_EQ(step.counters.cameraHoldTicks, c.out.cameraHoldTicks);
        EXPECT_EQ(step.counters.finalTicks, c.out.finalTicks);
        EXPECT_EQ(step.prompt, c.prompt);
        EXPECT_EQ(step.awaitReturn, c.awaitReturn);
    }
}

// Ticks in one state, from the counters with which the state is entered.
TEST(UpdateProgress, NeverBackwardsAndNeverAtTheEndBeforeTheEnd)
{
    struct Road {
        int target;
        int writingCap;
    };
    const Road roads[] = {{0x4D10, 90}, {0x5210, 90}, {0x5310, 90}, {0x3020, 90}, {0x4310, 77},
                          {0x6010, 77}, {0x3110, 97}, {0x5910, 100}, {0x5345, 90}, {0x6020, 90}};
    struct Phase {
        int state;
        int entryPercent;
        int cap;  // 0: the road's writing cap
    };
    const Phase phases[] = {{UpdateStateDfuDownload, 5, 15}, {UpdateStateWriting, 5, 0}, {UpdateStateRestarting, 77, 98}};
    for (const Road& road : roads) {
        const TickBudget budget = TickBudgetOf(road.target);
        const int ticks = budget.preparation + budget.writing + budget.restart + 40;
        for (const Phase& phase : phases) {
            SCOPED_TRACE(std::to_string(road.target) + " state " + std::to_string(phase.state));
            const int cap = phase.cap ? phase.cap : road.writingCap;
            ProgressCounters counters = Counters(phase.entryPercent, 0);
            int before = -1;
            for (int tick = 0; tick < ticks; ++tick) {
                counters = AdvanceProgress(Facts(road.target, phase.state), counters).counters;
                ASSERT_GE(counters.percent, before) << "tick " << tick;
                ASSERT_LE(counters.percent, std::min(cap, 98)) << "tick " << tick;
                before = counters.percent;
            }
        }
    }
}

TEST(UpdateProgress, BudgetsAndRoadsOfSomeProducts)
{
    struct Case {
        int target;
        int p, w, r;
        ProgressRoad road;
        bool writerGroup;
    };
    const Case cases[] = {
        {0x4D10, 20, 420, 20, ProgressRoad::DfuLibrary, false}, {0x4D35, 20, 360, 20, ProgressRoad::DfuLibrary, false},
        {0x5310, 20, 90, 20, ProgressRoad::DfuLibrary, false},  {0x4210, 5, 245, 40, ProgressRoad::DualHid, true},
        {0x5330, 5, 180, 10, ProgressRoad::PackageHid, true},   {0x5416, 5, 250, 10, ProgressRoad::PackageHid, true},
        {0x5510, 5, 300, 10, ProgressRoad::KeyHid, true},       {0x3110, 5, 400, 65, ProgressRoad::TwoStage, true},
        {0x5345, 20, 420, 20, ProgressRoad::CombinedChip, false}, {0x6024, 5, 400, 10, ProgressRoad::DfuLibrary, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const TickBudget b = TickBudgetOf(c.target);
        EXPECT_EQ(b.preparation, c.p);
        EXPECT_EQ(b.writing, c.w);
        EXPECT_EQ(b.restart, c.r);
        EXPECT_EQ(ProgressRoadOf(c.target), c.road);
        EXPECT_EQ(InWriterGroup(c.target), c.writerGroup);
    }
}

TEST(UpdateProgress, ThePairShowsEachUnitInHalfTheBar)
{
    struct Case {
        int target, percent, phase, frame;
    };
    const Case cases[] = {{0x5310, 0, 1, 0},   {0x5310, 90, 1, 45},  {0x5310, 100, 1, 50}, {0x5310, 50, 2, 75},
                          {0x5310, 100, 2, 100}, {0x4D10, 90, 2, 90}, {0x4D10, 15, 0, 15}};
    for (const Case& c : cases) EXPECT_EQ(FramePercent(c.target, c.percent, c.phase), c.frame) << c.percent;
}

}  // namespace
