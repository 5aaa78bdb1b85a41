// The progress of a running firmware update as the page's one-second timer
// derives it: a pure function of the update's state, its tick counters and the
// target product's time budgets. It computes the next counters and what the
// tick must do with the prompt; the page does it.
//
// Time budgets, in ticks of one second, per target product: preparation P,
// writing W and restart R. The roads by target:
//
//   group A        0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510 (dual HID writers)
//   group B        group A, and 0x5320, 0x5330, 0x6010 to 0x6018, 0x5410 to 0x5416
//   key group K    the HID and drive writer's models but 0x5320 and 0x5330
//   two-stage      0x3110
//   combined chip  0x5345, 0x5346
//   DFU library    every other product
//
// Percent never moves backwards within a state and stays below its state's
// cap: 15 in preparation, 77 (group B), 97 (0x3110) or 90 (DFU road, combined
// chip) in writing, 98 in restart; only the end of an update sets 100.
#pragma once

#include <cstdint>

struct TickBudget {
    int preparation = 20;  // P
    int writing = 420;     // W
    int restart = 20;      // R
};

// The budget of a target product.
TickBudget TickBudgetOf(int targetProductId);

enum class ProgressRoad {
    DualHid,       // group A
    PackageHid,    // group B but group A
    KeyHid,        // group K
    TwoStage,      // 0x3110
    CombinedChip,  // 0x5345, 0x5346
    DfuLibrary,    // every other product
};
ProgressRoad ProgressRoadOf(int targetProductId);
// True for the models written by a HID writer thread that follows the
// one-second timer's key prompts (groups B and K and 0x3110).
bool InWriterGroup(int targetProductId);

// The counters a tick advances.
struct ProgressCounters {
    int percent = 0;
    int phaseTicks = 0;
    int promptTicks = 0;
    // The action camera holds its progress for its first ticks of a phase.
    int cameraHoldTicks = 0;
    // Ticks at 98 percent at the end of a DFU-library update.
    int finalTicks = 0;
};

// What the tick reads and does not change.
struct ProgressFacts {
    int targetProductId = 0;
    int state = 0;
    bool promptOpen = false;
    // The DFU road: a step was started and no state event came since.
    bool dfuStepActive = true;
    // The headset has its images and applies them or restarts.
    bool deviceRestarting = false;
    // The backup-failed notice of this update was shown already.
    bool backupNoticeShown = false;
};

enum class ProgressPrompt {
    Keep,
    ShowKey,             // the request to hold the headset's key, unless a prompt is open
    ShowBackupFailed,    // the settings archive could not be written; OK lets the writer go on
    Close,
};

struct ProgressStep {
    ProgressCounters counters;
    ProgressPrompt prompt = ProgressPrompt::Keep;
    // The DFU road's restart has run out of its budget at 98 percent: the
    // headset's return must be watched for now (it never counts as back
    // without being seen).
    bool awaitReturn = false;
};

// One tick of the progress timer for an update that has not finished and
// whose percent is not negative.
ProgressStep AdvanceProgress(const ProgressFacts& facts, ProgressCounters counters);

// The frame's percentage for the record's: the 0x5310 pair shows its first
// unit in the lower half of the bar and its second (dfuPhase 2) in the upper.
int FramePercent(int targetProductId, int percent, int dfuPhase);

// Ticks of the 98 percent pin after which the DFU road's return is awaited.
inline constexpr int kFinalTicksBeforeReturnWatch = 10;
