#include "firmware/UpdateProgress.h"

#include <algorithm>
#include <iterator>

#include "device/ProductCatalogue.h"
#include "firmware/UpdateStatus.h"

namespace {

// The budget of each UpdateBudget, in its order.
constexpr TickBudget kBudgets[] = {
    {},              // Default
    {20, 360, 20},   // Tkv3
    {15, 80, 15},    // Gzr6
    {20, 90, 20},    // Gzm6
    {15, 273, 20},   // Camera
    {5, 245, 40},    // V40
    {5, 400, 65},    // V60
    {5, 210, 10},    // M7xHelm
    {5, 300, 10},    // Kc5
    {5, 180, 10},    // Kr5
    {5, 250, 10},    // Nq1
    {5, 400, 10},    // Nq3
};
static_assert(std::size(kBudgets) == kUpdateBudgetCount);

// Caps of the percentage per state and road.
constexpr int kStartedPercent = 1;
constexpr int kVerifiedPercentDual = 2;
constexpr int kVerifiedPercent = 5;
constexpr int kPreparationCap = 15;
constexpr int kWritingCapPackage = 77;
constexpr int kWritingCapTwoStage = 97;
constexpr int kWritingCapDfu = 90;
constexpr int kRestartCap = 98;
// The camera's ticks of hold in writing and in restart.
constexpr int kCameraHoldWriting = 1;
constexpr int kCameraHoldRestart = 3;

// PhaseTicks one further, within [low, high].
int Advance(int ticks, int low, int high) { return std::clamp(ticks + 1, low, high); }

// ticks of a budget as a percentage, from base.
int Share(int ticks, int budget, int base) { return budget > 0 ? ticks * 100 / budget + base : base; }

// Writing or restart of the HID roads: one tick further, the percentage of the
// writing and restart budgets.
void HidPhaseTick(ProgressCounters& c, int low, int high, int cap, const TickBudget& b)
{
    c.phaseTicks = Advance(c.phaseTicks, low, high);
    c.percent = std::min(Share(c.phaseTicks, b.writing + b.restart, 2), cap);
}

// A tick of the DFU road's writing or restart: the camera first holds for its
// ticks, then PhaseTicks counts, at most the phase's budget.
void CountPhaseTick(ProgressCounters& c, int target, int hold, int budget)
{
    if (ProductTraitsOf(target).Has(kCameraHold) && c.cameraHoldTicks < hold) ++c.cameraHoldTicks;
    else ++c.phaseTicks;
    c.phaseTicks = std::min(c.phaseTicks, budget);
}

void WritingTick(const ProgressFacts& f, const TickBudget& b, ProgressStep& step)
{
    ProgressCounters& c = step.counters;
    switch (ProgressRoadOf(f.targetProductId)) {
    case ProgressRoad::DualHid:
    case ProgressRoad::PackageHid: HidPhaseTick(c, 0, b.writing, kWritingCapPackage, b); return;
    case ProgressRoad::TwoStage: HidPhaseTick(c, 0, b.writing, kWritingCapTwoStage, b); return;
    case ProgressRoad::KeyHid:
        if (f.deviceRestarting) {
            step.prompt = ProgressPrompt::ShowKey;
        } else {
            c.phaseTicks = Advance(c.phaseTicks, 0, b.writing);
            c.percent = Share(c.phaseTicks, b.writing + b.restart, 2);
            step.prompt = ProgressPrompt::Close;
        }
        return;
    case ProgressRoad::CombinedChip: c.percent = std::min(c.percent + 1, kWritingCapDfu); return;
    case ProgressRoad::DfuLibrary: break;
    }
    if (f.promptOpen || !f.dfuStepActive) {
        // Waiting for the user or for the library's next event.
        if (++c.promptTicks > b.writing * 3 / 2) step.prompt = ProgressPrompt::Close;
        return;
    }
    CountPhaseTick(c, f.targetProductId, kCameraHoldWriting, b.writing);
    c.percent = std::min(Share(c.phaseTicks, b.writing + b.restart, 15), kWritingCapDfu);
}

void RestartTick(const ProgressFacts& f, const TickBudget& b, ProgressStep& step)
{
    ProgressCounters& c = step.counters;
    const ProgressRoad road = ProgressRoadOf(f.targetProductId);
    if (road == ProgressRoad::DualHid ||
        ((road == ProgressRoad::KeyHid || road == ProgressRoad::TwoStage) && !f.deviceRestarting)) {
        HidPhaseTick(c, b.writing, b.writing + b.restart, kRestartCap, b);
        return;
    }
    if (road == ProgressRoad::KeyHid || road == ProgressRoad::TwoStage) {
        step.prompt = ProgressPrompt::ShowKey;
        return;
    }
    // The DFU road and the writers that pin at 98 percent until the headset is back.
    if (f.promptOpen) {
        if (++c.promptTicks > b.restart * 3 / 2) {
            step.prompt = ProgressPrompt::Close;
            c.finalTicks = 0;
        }
        return;
    }
    CountPhaseTick(c, f.targetProductId, kCameraHoldRestart, b.restart);
    c.percent = Share(c.phaseTicks, b.restart, 90);
    if (c.percent > kRestartCap) {
        c.percent = kRestartCap;
        if (++c.finalTicks > kFinalTicksBeforeReturnWatch) step.awaitReturn = true;
    }
}

}  // namespace

TickBudget TickBudgetOf(int targetProductId)
{
    return kBudgets[static_cast<std::size_t>(ProductTraitsOf(targetProductId).updateBudget)];
}

ProgressRoad ProgressRoadOf(int targetProductId)
{
    const ProductTraits& product = ProductTraitsOf(targetProductId);
    // Both ids of the combined chip count alike, though only one starts its writer.
    if (product.Has(kCombinedChip)) return ProgressRoad::CombinedChip;
    switch (product.writer) {
    case WriterKind::Dual:
    case WriterKind::RevisionChecked: return ProgressRoad::DualHid;
    case WriterKind::Package: return ProgressRoad::PackageHid;
    // The drive writer's models that restart without a key count like the package road.
    case WriterKind::PackageAndDrive: return product.Has(kNoRestartKey) ? ProgressRoad::PackageHid : ProgressRoad::KeyHid;
    case WriterKind::TwoStage: return ProgressRoad::TwoStage;
    case WriterKind::CombinedChip:
    case WriterKind::None: break;
    }
    return ProgressRoad::DfuLibrary;
}

bool InWriterGroup(int targetProductId)
{
    const ProgressRoad road = ProgressRoadOf(targetProductId);
    return road != ProgressRoad::DfuLibrary && road != ProgressRoad::CombinedChip;
}

ProgressStep AdvanceProgress(const ProgressFacts& facts, ProgressCounters counters)
{
    ProgressStep step;
    step.counters = counters;
    ProgressCounters& c = step.counters;
    const TickBudget budget = TickBudgetOf(facts.targetProductId);
    switch (facts.state) {
    case UpdateStateIdle:
    case UpdateStateReady:
    case UpdateStateDownloading:
    case UpdateStateStarted:
    case UpdateStatePackageRead: c.percent = kStartedPercent; break;
    case UpdateStatePackageVerified:
        c.percent = ProgressRoadOf(facts.targetProductId) == ProgressRoad::DualHid ? kVerifiedPercentDual
                                                                                    : kVerifiedPercent;
        c.promptTicks = 0;
        break;
    case UpdateStateDfuDownload:
        c.cameraHoldTicks = 0;
        if (!facts.promptOpen) {
            c.phaseTicks = std::min(c.phaseTicks + 1, budget.preparation);
            c.percent = std::min(
                Share(c.phaseTicks, budget.preparation + budget.writing + budget.restart, 5), kPreparationCap);
        }
        break;
    case UpdateStateWaitingForUser:
        // Every writer that waits for the user gets its notice, whatever the model.
        if (!facts.promptOpen && !facts.backupNoticeShown) step.prompt = ProgressPrompt::ShowBackupFailed;
        break;
    case UpdateStateWriting: WritingTick(facts, budget, step); break;
    case UpdateStateRestarting: RestartTick(facts, budget, step); break;
    default: break;
    }
    return step;
}

int FramePercent(int targetProductId, int percent, int dfuPhase)
{
    if (targetProductId != kTwoChipHeadsetProductId) return percent;
    return dfuPhase == 2 ? percent / 2 + 50 : percent / 2;
}
