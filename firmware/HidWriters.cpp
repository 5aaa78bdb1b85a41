#include "firmware/HidWriters.h"

#include <algorithm>

#include <exception>

#include "device/DeviceSettings.h"
#include "device/HidDiscovery.h"
#include "firmware/UpdateMessages.h"
#include "firmware/WriterRun.h"
#include "framework/Clock.h"

namespace {

// Hardware revisions of the 0x4210 headset that refuse packages below 1.7.5.
constexpr int kOldRevisions[] = {16, 27};
constexpr int kLeastVersionOfOldRevisions[] = {1, 7, 5};

constexpr unsigned kPackageRestartWaitMs = 65000;
constexpr unsigned kDualRestartWaitMs = 5000;

constexpr ImageFailureFormats kPackageImageFailures = {L"%s. %s", L"%s. %s[9][0]", L"%s. %s[9][1]", L"%s. %s[9][2]"};

// The writers of both interfaces: each image on the interface of its target,
// the finish command on each interface that received a target-0 or target-1 image.
void RunDual(WriterContext& c, PackageProductRule productRule)
{
    WriterRun run(c);
    PackageRules rules;
    rules.product = productRule;
    rules.targetProductId = c.inputs.targetProductId;
    if (!run.ReadPackage(rules)) return;
    run.BackUpSettings();
    run.BeginWriting();
    if (!run.SendImages(run.package.ImageCount(), kUntaggedImageFailures)) return;
    if (run.package.HasTarget(kImageTargetFirstWithFinish) && !run.Finish(&c.inputs.hidHandle1, L"%s. %s")) return;
    if (run.package.HasTarget(kImageTargetSecondWithFinish) && !run.Finish(&c.inputs.hidHandle2, L"%s. %s")) return;
    c.WriterUpdateStatus.State = UpdateStateRestarting;
    Clock::Sleep(kDualRestartWaitMs);
    // The main window's handles are its own again from the request on.
    c.RequestReturnTimer();
}

}  // namespace

WriterKind WriterForProduct(int productId)
{
    return ProductTraitsOf(productId).writer;
}

WriterProcedure WriterProcedureOf(WriterKind kind)
{
    switch (kind) {
    case WriterKind::Package: return HidPackageWriteThread;
    case WriterKind::PackageAndDrive: return HidAndDriveWriteThread;
    case WriterKind::Dual: return DualHidWriteThread;
    case WriterKind::RevisionChecked: return RevisionCheckedHidWriteThread;
    case WriterKind::TwoStage: return TwoStageHidWriteThread;
    case WriterKind::CombinedChip: return CombinedChipWriteThread;
    case WriterKind::None: break;
    }
    return nullptr;
}

void RunWriter(WriterProcedure procedure, WriterContext& context)
{
    if (!procedure) return;
    try {
        procedure(context);
    } catch (...) {
        // The page sees a failure and ends the update, rather than waiting for
        // a writer that has gone.
        try {
            context.Fail(L"%s. %s", TextFirmwareCorrupted);
        } catch (...) {
            context.WriterUpdateStatus.Error = UpdateErrorFailed;
            context.WriterUpdateStatus.Finished = true;
        }
    }
}

HANDLE StartWriterThread(std::unique_ptr<WriterContext> context)
{
    if (!context) return nullptr;
    const WriterProcedure procedure = WriterProcedureOf(WriterForProduct(context->inputs.targetProductId));
    if (!procedure) return nullptr;
    // The thread owns the context from here; it goes when the run ends.
    std::shared_ptr<WriterContext> owned(std::move(context));
    return StartThread([procedure, owned] { RunWriter(procedure, *owned); }, L"a firmware writer");
}

void HidPackageWriteThread(WriterContext& c)
{
    WriterRun run(c);
    PackageRules rules;
    rules.targetProductId = c.inputs.targetProductId;
    if (!run.ReadPackage(rules)) return;
    run.BackUpSettings();
    run.BeginWriting();
    if (!run.SendImages(run.package.ImageCount(), kPackageImageFailures)) return;
    if (!run.AwaitReadiness(&c.inputs.hidHandle1, L"%s. %s[9][4]")) return;
    if (run.package.HasTarget(kImageTargetFirstWithFinish)) {
        if (!run.Finish(&c.inputs.hidHandle1, L"%s. %s[9][3]")) return;
        c.WriterUpdateStatus.DeviceRestarting = false;
    }
    Clock::Sleep(kPackageRestartWaitMs);
    run.HandOver(1);
}

void DualHidWriteThread(WriterContext& c) { RunDual(c, PackageProductRule::NotChecked); }

void RevisionCheckedHidWriteThread(WriterContext& c)
{
    CountFileBytes(c.inputs.packagePath);
    const int revision = ReadHidItem5(&c.inputs.hidHandle1);
    int version[3] = {};
    if (std::find(std::begin(kOldRevisions), std::end(kOldRevisions), revision) != std::end(kOldRevisions) &&
        PackageNameVersion(c.inputs.packagePath, &version[0], &version[1], &version[2]) &&
        CompareVersion3(version[0], version[1], version[2], kLeastVersionOfOldRevisions[0],
                        kLeastVersionOfOldRevisions[1], kLeastVersionOfOldRevisions[2]) < 0) {
        c.FailComposed(L"%s.[0]", {TextFirmwareNotSupported});
        return;
    }
    RunDual(c, PackageProductRule::RevisionChecked);
}

bool PackageNameVersion(const CString& packagePath, int* major, int* minor, int* build)
{
    CString name = packagePath.Mid(packagePath.ReverseFind(L'\\') + 1);
    while (!name.IsEmpty() && CString(L".img").Find(name[name.GetLength() - 1]) >= 0) name = name.Left(name.GetLength() - 1);
    const CString tail = name.Right(3);
    if (tail.Find(L'-') >= 0) name = name.Left(name.ReverseFind(L'-'));
    else if (tail.Find(L'_') >= 0) name = name.Left(name.ReverseFind(L'_'));
    const CString text = name.Mid(name.ReverseFind(L'v') + 1);
    if (text.Find(L'.') < 0) return false;
    int* fields[] = {major, minor, build};
    int start = 0;
    for (int* field : fields) {
        const int dot = start < 0 ? -1 : text.Find(L'.', start);
        const CString part = start < 0 ? CString() : (dot < 0 ? text.Mid(start) : text.Mid(start, dot - start));
        if (field) *field = StrToInt(part);
        start = dot < 0 ? -1 : dot + 1;
    }
    return true;
}
