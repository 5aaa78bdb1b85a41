#include "firmware/UpdateDriver.h"

#include <windows.h>

#include "app/Configuration.h"
#include "app/StatusLine.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/HidTransport.h"
#include "device/ProductCatalogue.h"
#include "device/SeamsDrives.h"
#include "firmware/FirmwarePackage.h"
#include "firmware/HidWriters.h"
#include "firmware/SettingsArchive.h"
#include "firmware/UpdateMessages.h"
#include "framework/Clock.h"
#include "framework/File.h"
#include "settings/SettingsWriter.h"

// ---------------------------------------------------------------------------
// The callback queue

void DfuCallbackQueue::Queue(int kind, int value, const DFUEngine::Status& status)
{
    auto item = std::make_shared<DfuCallbackData>();
    item->kind = kind;
    item->value = value;
    item->status = status;
    CSingleLock lock(&m_lock, true);
    m_items.push_back(std::move(item));
}

bool DfuCallbackQueue::QueueStateChange(int value, const DFUEngine::Status& status)
{
    auto item = std::make_shared<DfuCallbackData>();
    item->kind = DfuCallbackData::StateChange;
    item->value = value;
    item->status = status;
    CSingleLock lock(&m_lock, true);
    if (!m_items.empty()) return false;
    m_items.push_back(std::move(item));
    return true;
}

std::shared_ptr<DfuCallbackData> DfuCallbackQueue::TakeHead()
{
    CSingleLock lock(&m_lock, true);
    if (m_items.empty()) return nullptr;
    std::shared_ptr<DfuCallbackData> head = std::move(m_items.front());
    m_items.pop_front();
    return head;
}

void DfuCallbackQueue::Clear()
{
    std::list<std::shared_ptr<DfuCallbackData>> gone;
    CSingleLock lock(&m_lock, true);
    gone.swap(m_items);
}

size_t DfuCallbackQueue::Size() const
{
    CSingleLock lock(&m_lock, true);
    return m_items.size();
}

// ---------------------------------------------------------------------------
// The driver

namespace {

using Prompt = IUpdateWindow::Prompt;

// The two-chip headset's second unit in update mode.
constexpr int kTwoChipUpdateModeProductId = kTwoChipHeadsetProductId | kUpdateModeBit;

// The HID restart request, its answer not examined.
constexpr uint8_t kRestartCommand = 0x0E;
constexpr unsigned kRestartPauseMs = 3000;
// The road of 0x6020, 0x6022 and 0x6024 restarts the headset into update mode.
constexpr unsigned kModeSwitchPausesMs[] = {3000, 4000, 3000};
constexpr unsigned kModeSwitchSettleMs = 1000;

// Activities and operations of the library's reports that the page acts on.
constexpr int kActivityWaiting = DFUEngine::Status::ActivityWaitingForDevice;      // 16
constexpr int kActivityFound = DFUEngine::Status::ActivityDeviceFound;             // 17
constexpr int kActivityRestarting = DFUEngine::Status::ActivityRestarting;         // 18
constexpr int kActivityRestarted = DFUEngine::Status::ActivityRestarted;           // 19
constexpr int kOperationReconfigure = DFUEngine::Status::OperationReconfigure;     // 2
constexpr int kOperationCheckDevice = DFUEngine::Status::OperationCheckDevice;     // 3
constexpr int kOperationDownload = DFUEngine::Status::OperationDownload;           // 4
// State events in update mode before the key prompt is shown again.
constexpr int kWaitEventsBeforePrompt = 20;

// The camera's drive and where its part goes.
constexpr const wchar_t* kCameraDriveMark = L"lumen.bin";
constexpr const wchar_t* kCameraFirmwareName = L"rvk10_100.bin";
constexpr const wchar_t* kCameraFirmwareTemporaryName = L"rvk10_100.tmp";

bool SameVersion(const VersionGroup& a, const VersionGroup& b)
{
    return CompareVersionEx(a.Major, a.Minor, a.SecondaryType, a.SecondaryVersion, b.Major, b.Minor, b.SecondaryType,
                            b.SecondaryVersion, 0) == 0;
}

bool InNormalMode(int usbStatus) { return usbStatus >= 1 && !IsUpdateModeStatus(usbStatus); }

void SendRestartRequest(HANDLE* device)
{
    uint8_t request[kHidRequestSize] = {};
    uint8_t reply[kHidReplySize] = {};
    request[0] = kHidReportId;
    request[1] = kRestartCommand;
    HidTransact(device, request, reply);
}

CString WithTag(const wchar_t* tag) { return CString(L"%s. %s") + tag; }

}  // namespace

UpdateDriver::UpdateDriver(UpdatePageState& page, DfuEngines& engines, DFUEngine::Callback* callback,
                           IUpdateWindow& window)
    : imgFolder(ProgramImgFolder()),
      programFolder(ProgramFolder() + L"\\"),
      returnTickLimit(kReturnTickLimit),
      startWriter([](std::unique_ptr<WriterContext> context) {
          HANDLE thread = StartWriterThread(std::move(context));
          if (!thread) return false;
          ::CloseHandle(thread);
          return true;
      }),
      m_page(page),
      m_engines(engines),
      m_callback(callback),
      m_window(window)
{
}

UpdateDriver::~UpdateDriver()
{
    // No engine calls back into a driver that is gone.
    m_engines.PrimaryEngine.Destroy();
    m_engines.SecondaryEngine.Destroy();
}

void UpdateDriver::FailWith(UpdateStatus& status, const wchar_t* format,
                            const std::function<CString(LanguageIndex)>& detail)
{
    const int page = App().currentPage;
    const int usbStatus = App().usbStatus;
    status.SetStatusTexts([&](LanguageIndex language) {
        return CString::FillPlaceholders(format, {StatusFailureText(page, usbStatus, language), detail(language)});
    });
    status.Finished = true;
    m_page.NewerOffered = 0;
}

void UpdateDriver::Fail(UpdateStatus& status, const wchar_t* format, CString (*detail)(LanguageIndex))
{
    FailWith(status, format, detail);
}

void UpdateDriver::Start(bool confirmed)
{
    UpdateStatus& status = m_window.WorkingStatus();
    status.Error = UpdateErrorNone;
    const int page = App().currentPage;
    const int usbStatus = App().usbStatus;
    status.SetStatusTexts([&](LanguageIndex language) {
        return CString::FillPlaceholders(L"%s %s", {StatusInProgressText(page, usbStatus, language),
                                                    page == PageFirmwareUpdate ? TextCheckingFirmware(language)
                                                                               : TextCheckingBackupFirmware(language)});
    });
    status.SetPercent(0);
    status.Finished = false;
    status.DeviceRestarting = false;
    status.ArchiveTime = 0;
    status.CloseMessageBox();
    // Failed until the road reaches its writing.
    status.Error = UpdateErrorFailed;
    // Nothing of an earlier update is left over.
    if (m_page.ReturnTimer) m_window.KillReturnTimer();
    m_queue.Clear();
    m_counters = ProgressCounters();
    m_restartSeen = false;
    m_backupNoticeShown = false;
    m_returnTicks = 0;

    if (!confirmed && WriterForProduct(App().targetProductId) != WriterKind::None) StartWriterRoad(status);
    else StartDfuRoad(status, confirmed);
}

bool UpdateDriver::HidHeadsetChecked()
{
    AppState& app = App();
    const int target = app.targetProductId;
    const DeviceSettings& record = app.deviceSettings;
    HidMainState main{app.hidHandle1, app.hidHandle2, app.targetProductId, app.deviceSettings};
    const WriterKind kind = WriterForProduct(target);
    if (kind == WriterKind::Package) {
        // Restarted first; discovery opens the headset again into the main window.
        SendRestartRequest(&app.hidHandle1);
        CloseHidHandle(app.hidHandle1);
        CloseHidHandle(app.hidHandle2);
        Clock::Sleep(kRestartPauseMs);
        return FindHidDevice(main, 1, nullptr, nullptr) &&
               SameVersion(QueryInterfaceVersion(&app.hidHandle1), record.Firmware);
    }
    // The headset is found on a pair of handles of our own, closed after the check.
    HANDLE pair[2] = {nullptr, nullptr};
    int productId = 0;
    const bool found = FindHidDevice(main, 0, &productId, pair) && productId == target;
    bool same = false;
    if (found) {
        switch (kind) {
        case WriterKind::TwoStage: same = SameVersion(QueryInterfaceVersion(&pair[0]), record.FirstInterface); break;
        case WriterKind::Dual:
        case WriterKind::RevisionChecked:
            same = SameVersion(QueryInterfaceVersion(&app.hidHandle1), record.FirstInterface) &&
                   SameVersion(QueryInterfaceVersion(&app.hidHandle2), record.SecondInterface);
            break;
        default: same = SameVersion(QueryInterfaceVersion(&app.hidHandle1), record.Firmware); break;
        }
    }
    CloseHidHandle(pair[0]);
    CloseHidHandle(pair[1]);
    return same;
}

void UpdateDriver::StartWriterRoad(UpdateStatus& status)
{
    if (WriterForProduct(App().targetProductId) == WriterKind::CombinedChip) {
        // The versions of both modules are read and not compared.
        HidMainState main{App().hidHandle1, App().hidHandle2, App().targetProductId, App().deviceSettings};
        if (!PollHidInterfaces(main)) return Fail(status, L"%s. %s[0]", TextNotRecognizedDevice);
        const int target = App().targetProductId;
        if (!ProductTraitsOf(target).Has(kCombinedChip) && target != kCombinedChipDfuProductId)
            return Fail(status, L"%s. %s[1]", TextNotRecognizedDevice);
    } else if (!HidHeadsetChecked()) {
        return Fail(status, L"%s. %s", TextNotRecognizedDevice);
    }
    // The writer's own copy of what it needs; the main window's HID handles
    // are lent with it until the writer hands over or fails (WriterInputs).
    WriterInputs inputs = TakeWriterInputs(App(), status);
    inputs.programFolder = programFolder;
    auto context = std::make_unique<WriterContext>(std::move(inputs), status, m_page, App().waitForUser);
    context->requestReturnTimer = m_window.ReturnTimerRequest();
    const CString folder = imgFolder;
    context->writeSettingsArchive = [folder](DeviceSettings& settings, int targetProductId) {
        return WriteSettingsArchive(settings, targetProductId, folder);
    };
    // From here the thread owns the update.
    if (!startWriter || !startWriter(std::move(context))) Fail(status, L"%s. %s", TextCannotUpdateFirmware);
}

bool UpdateDriver::RestartedIntoUpdateMode(UpdateStatus& status)
{
    AppState& app = App();
    m_window.WaitCursor(true);
    bool restarted = true;
    if (InNormalMode(app.usbStatus)) {
        HidMainState main{app.hidHandle1, app.hidHandle2, app.targetProductId, app.deviceSettings};
        restarted = FindHidDevice(main, 1, nullptr, nullptr) &&
                    SameVersion(QueryInterfaceVersion(&app.hidHandle1), app.deviceSettings.Firmware);
        if (restarted) {
            SendRestartRequest(&app.hidHandle1);
            for (unsigned pause : kModeSwitchPausesMs) Clock::Sleep(pause);
            // The headset now shows under its update-mode companion id.
            if (ProductTraitsOf(app.usbStatus).RestartsIntoUpdateMode()) ++app.usbStatus;
            Clock::Sleep(kModeSwitchSettleMs);
        }
    } else {
        Clock::Sleep(kModeSwitchSettleMs);
    }
    if (restarted) Clock::Sleep(kModeSwitchSettleMs);
    m_window.WaitCursor(false);
    if (!restarted) Fail(status, L"%s. %s", TextNotRecognizedDevice);
    return restarted;
}

bool UpdateDriver::PackageChecked(UpdateStatus& status, bool confirmed)
{
    const bool camera = App().targetProductId == kActionCameraProductId;
    const bool tagged = !confirmed && !camera;
    if (camera) {
        CString bluetoothPart;
        if (SplitCameraPackage(status.PackagePath, imgFolder, &bluetoothPart) != PackageResult::Ok) {
            Fail(status, L"%s. %s", TextFirmwareCorrupted);
            return false;
        }
        status.PackagePath = bluetoothPart;
    }
    if (!DFUEngine::IsDFUFileValid(CStringX(status.PackagePath))) {
        Fail(status, tagged ? L"%s. %s[9][5]" : L"%s. %s", TextFirmwareCorrupted);
        return false;
    }
    if (!IsImageForDevice(App(), status)) {
        const int target = App().targetProductId;
        FailWith(status, tagged ? L"%s. %s[9][6]" : L"%s. %s",
                 [target](LanguageIndex language) { return TextFirmwareNotFor(target, language); });
        return false;
    }
    return true;
}

void UpdateDriver::StartDfuRoad(UpdateStatus& status, bool confirmed)
{
    const int target = App().targetProductId;
    auto format = [confirmed](const wchar_t* tag) { return confirmed ? CString(L"%s. %s") : WithTag(tag); };
    if (!confirmed && ProductTraitsOf(target).RestartsIntoUpdateMode() && !RestartedIntoUpdateMode(status)) return;

    // The headset is on USB as it was recognized.
    int ids[2] = {};
    const int present = EnumerateUsbProducts(ids, 2);
    auto pairUnit = [](int id) { return id == kTwoChipHeadsetProductId || id == kTwoChipUpdateModeProductId; };
    const bool onUsb = target == kTwoChipHeadsetProductId ? present >= 2 && pairUnit(ids[0]) && pairUnit(ids[1])
                                              : present >= 1 && ids[0] == App().usbStatus;
    if (!onUsb) {
        status.Error = UpdateErrorWrongDevice;
        Fail(status, format(target == kTwoChipHeadsetProductId ? L"[9][1]" : L"[9][2]"), TextNotRecognizedDevice);
        return;
    }

    // Its persistent store holds the recognized identity (normal firmware only).
    const bool normalMode = InNormalMode(App().usbStatus);
    if (normalMode) {
        const DfuRoadResult identity = CheckDfuIdentity(App().deviceSettings);
        if (!identity.Passed()) {
            status.Error = identity.error;
            FailWith(status, format(identity.tag), [&identity](LanguageIndex l) { return identity.Detail(l); });
            return;
        }
    }

    // The package; only a file that passed both checks changes the headset.
    if (!PackageChecked(status, confirmed)) return;
    if (normalMode) WriteDfuPreparation(target, App().deviceSettings);

    status.State = UpdateStatePackageRead;
    const int page = App().currentPage;
    const int usbStatus = App().usbStatus;
    // The update page says whether a backup is made while the archive is
    // written; the flash itself reads the plain in-progress text.
    if (page == PageFirmwareUpdate) {
        const bool backup = !IsUpdateModeStatus(usbStatus);
        status.SetStatusTexts([&](LanguageIndex language) {
            return CString::FillPlaceholders(L"%s %s", {StatusInProgressText(page, usbStatus, language),
                                                        backup ? TextAboutToMakeBackupFirmware(language)
                                                               : TextWithoutBackupFirmware(language)});
        });
        // A failed archive does not stop the update.
        if (backup && !confirmed) WriteSettingsArchive(App(), imgFolder);
    }

    status.State = UpdateStatePackageVerified;
    status.SetStatusTexts([&](LanguageIndex language) { return StatusInProgressText(page, usbStatus, language); });
    status.Error = UpdateErrorNone;
    m_page.DfuWaitEvents = 0;
    m_page.DfuStepActive = 1;
    status.PromptTicks = 0;
    status.PhaseTicks = 0;
    const DfuRoadResult started = StartDfuReconfigure(m_engines, m_callback, target, status);
    if (!started.Passed()) {
        status.Error = UpdateErrorFailed;
        FailWith(status, format(started.tag), [&started](LanguageIndex l) { return started.Detail(l); });
    }
    status.State = UpdateStateDfuDownload;
}

// ---------------------------------------------------------------------------
// The DFU library's callbacks

void UpdateDriver::QueueCallback(int kind, int value, const DFUEngine::Status& status)
{
    m_queue.Queue(kind, value, status);
    m_window.PostDfuCallback();
}

void UpdateDriver::QueueStateChange(int value, const DFUEngine::Status& status)
{
    if (m_queue.QueueStateChange(value, status)) m_window.PostDfuCallback();
}

void UpdateDriver::OpenPromptUnlessOpen(UpdateStatus& status, Prompt prompt)
{
    if (!status.Prompt()) m_window.OpenPrompt(status, prompt);
}

void UpdateDriver::HandleQueuedCallback()
{
    const std::shared_ptr<DfuCallbackData> item = m_queue.TakeHead();
    if (!item) return;
    UpdateStatus& status = m_window.WorkingStatus();
    // Reports that come after the update ended change nothing.
    if (status.Finished) return;
    switch (item->kind) {
    case DfuCallbackData::Notify: QueueStateChange(item->value, item->status); break;
    case DfuCallbackData::StateChange: HandleStateChange(status, item->status); break;
    case DfuCallbackData::OperationDone: HandleOperationDone(status, *item); break;
    default: break;
    }
}

void UpdateDriver::HandleStateChange(UpdateStatus& status, const DFUEngine::Status& dfu)
{
    const int target = App().targetProductId;
    const bool prompts = !ProductTraitsOf(target).Has(kNoDfuPrompts);
    switch (dfu.activity) {
    case kActivityWaiting:
        status.State = UpdateStateWriting;
        if (InNormalMode(App().usbStatus) && !status.Prompt()) {
            // The headset waits for its key to go into update mode.
            if (prompts) m_window.OpenPrompt(status, Prompt::HoldKey);
        } else {
            m_page.DfuStepActive = 0;
            if (++m_page.DfuWaitEvents > kWaitEventsBeforePrompt && prompts) {
                m_page.DfuWaitEvents = 0;
                OpenPromptUnlessOpen(status, Prompt::HoldKey);
            }
        }
        status.PhaseTicks = 0;
        status.PromptTicks = 0;
        break;
    case kActivityFound:
        // The pair keeps its prompt until the second unit is written.
        if (target != kTwoChipHeadsetProductId) status.CloseMessageBox();
        break;
    case kActivityRestarting:
        m_restartSeen = true;
        status.State = UpdateStateRestarting;
        m_counters.finalTicks = 0;
        if (prompts) OpenPromptUnlessOpen(status, Prompt::HoldTwoKeys);
        status.PhaseTicks = 0;
        status.PromptTicks = 0;
        break;
    case kActivityRestarted:
        if (m_page.ReturnTimer == 0) StartReturnWatch();
        break;
    default: break;
    }
}

void UpdateDriver::HandleOperationDone(UpdateStatus& status, const DfuCallbackData& item)
{
    const DFUEngine::Status& dfu = item.status;
    const int code = dfu.result.GetCode();
    const bool succeeded = static_cast<bool>(dfu.result);
    if (dfu.operation == kOperationCheckDevice &&
        (code == DFUEngine::Result::DeviceNotReady || code == DFUEngine::Result::NoUpdateModeDevice)) {
        Fail(status, L"%s. %s", TextCannotUpdateFirmware);
        status.Error = UpdateErrorFailed;
        if (App().targetProductId == kTwoChipHeadsetProductId || m_engines.DfuPhase == 2) return;
        // One second attempt, on the other engine.
        status.Finished = false;
        if (!StartSecondEngine(status)) {
            Fail(status, L"%s. %s", TextCannotGetDevice);
            status.Error = UpdateErrorFailed;
            return;
        }
    } else if (!succeeded) {
        // Any other failed step ends the update: nothing waits for ever.
        Fail(status, L"%s. %s", TextCannotUpdateFirmware);
        status.Error = UpdateErrorFailed;
        return;
    }
    if (succeeded) ContinueDfuStep(dfu);
    else QueueStateChange(item.value, dfu);
}

bool UpdateDriver::StartSecondEngine(UpdateStatus& status)
{
    DFUEngine& engine = m_engines.SecondaryEngine;
    engine.SetCallback(m_callback);
    m_engines.SecondaryEngineOpen = true;
    if (!engine.StartReconfigure(false, true, CStringX(status.PackagePath))) return false;
    m_engines.DfuPhase = 2;
    status.Error = UpdateErrorNone;
    m_page.DfuWaitEvents = 0;
    m_page.DfuStepActive = 1;
    status.PromptTicks = 0;
    status.PhaseTicks = 0;
    status.SetPercent(50);
    status.State = UpdateStateDfuDownload;
    return true;
}

void UpdateDriver::ContinueDfuStep(const DFUEngine::Status& dfu)
{
    UpdateStatus& status = m_window.WorkingStatus();
    m_page.DfuWaitEvents = 0;
    m_page.DfuStepActive = 1;
    DFUEngine& engine = m_engines.DfuPhase == 2 ? m_engines.SecondaryEngine : m_engines.PrimaryEngine;
    const CStringX path(status.PackagePath);
    bool started = true;
    switch (dfu.operation) {
    case kOperationReconfigure:
        status.CloseMessageBox();
        started = engine.StartDownload(path);
        break;
    case kOperationCheckDevice: started = engine.StartDownload(path); break;
    case kOperationDownload: started = engine.StartManifest(); break;
    default:
        // The image was taken: the headset restarts, whether or not its report
        // of the restart came through (state changes are coalesced).
        if (m_page.ReturnTimer == 0) StartReturnWatch();
        break;
    }
    if (!started) {
        Fail(status, L"%s. %s", TextCannotUpdateFirmware);
        status.Error = UpdateErrorFailed;
    }
}

// ---------------------------------------------------------------------------
// The timers

void UpdateDriver::StartReturnWatch()
{
    m_returnTicks = 0;
    m_window.StartReturnTimer();
}

void UpdateDriver::OnReturnTimerRequest()
{
    if (m_page.ReturnTimer == 0) StartReturnWatch();
}

void UpdateDriver::KeepArchiveTime(UpdateStatus& status)
{
    if (const int64_t time = status.ArchiveTime.exchange(0)) App().deviceSettings.ArchiveTime = time;
}

int UpdateDriver::ProgressTick(UpdateStatus& status)
{
    KeepArchiveTime(status);
    // A prompt the user has answered (the backup-failed notice) goes.
    if (status.Prompt() && m_window.PromptAnswered(status)) status.CloseMessageBox();
    const int target = App().targetProductId;
    ProgressFacts facts;
    facts.targetProductId = target;
    facts.state = status.State;
    facts.promptOpen = status.Prompt() != nullptr;
    facts.dfuStepActive = m_page.DfuStepActive != 0;
    facts.deviceRestarting = status.DeviceRestarting;
    facts.backupNoticeShown = m_backupNoticeShown;
    ProgressCounters counters = m_counters;
    counters.percent = status.Percent;
    counters.phaseTicks = status.PhaseTicks;
    counters.promptTicks = status.PromptTicks;

    const ProgressStep step = AdvanceProgress(facts, counters);
    status.SetPercent(step.counters.percent);
    status.PhaseTicks = step.counters.phaseTicks;
    status.PromptTicks = step.counters.promptTicks;
    m_counters = step.counters;
    switch (step.prompt) {
    case ProgressPrompt::Keep: break;
    case ProgressPrompt::ShowKey: OpenPromptUnlessOpen(status, Prompt::HoldKey); break;
    case ProgressPrompt::ShowBackupFailed:
        m_backupNoticeShown = true;
        OpenPromptUnlessOpen(status, Prompt::BackupFailed);
        break;
    case ProgressPrompt::Close: status.CloseMessageBox(); break;
    }
    // The headset is never taken as back without being seen.
    if (step.awaitReturn && m_page.ReturnTimer == 0) StartReturnWatch();
    return FramePercent(target, status.Percent, m_engines.DfuPhase);
}

bool UpdateDriver::MoveCameraFirmware()
{
    const wchar_t letter = FindRemovableDriveWithFile(kCameraDriveMark);
    if (!letter) return false;
    const CString root = CString::Formatted(L"%c:\\", letter);
    const CString source = imgFolder + kCameraFirmwarePartName;
    const CString temporary = Drives().ResolvePath(root + kCameraFirmwareTemporaryName);
    const CString target = Drives().ResolvePath(root + kCameraFirmwareName);
    // Whole onto the drive under a temporary name, then renamed into place.
    if (!::CopyFileW(source, temporary, FALSE) ||
        !::MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary);
        return false;
    }
    ::DeleteFileW(source);
    ::DeleteFileW(imgFolder + kCameraBluetoothPartName);
    return true;
}

ReturnTickResult UpdateDriver::ReturnTick()
{
    UpdateStatus& status = m_window.WorkingStatus();
    const int target = App().targetProductId;
    const bool camera = target == kActionCameraProductId;
    const bool back = IsDeviceBack(App(), m_engines.DfuPhase);
    // The camera's part needs the camera's drive, which may follow the headset late.
    if (!back || (camera && !FindRemovableDriveWithFile(kCameraDriveMark))) {
        if (++m_returnTicks <= returnTickLimit) return ReturnTickResult::Waiting;
        m_window.KillReturnTimer();
        m_restartSeen = false;
        status.CloseMessageBox();
        Fail(status, L"%s. %s", back ? TextCameraUpdateFailed : TextCannotGetDevice);
        status.Error = UpdateErrorFailed;
        return ReturnTickResult::Failed;
    }
    m_window.KillReturnTimer();
    m_restartSeen = false;
    status.CloseMessageBox();
    if (target == kTwoChipHeadsetProductId && m_engines.DfuPhase != 2) {
        if (StartSecondEngine(status)) return ReturnTickResult::GoesOn;
        Fail(status, L"%s. %s", TextCannotGetDevice);
        status.Error = UpdateErrorFailed;
        return ReturnTickResult::Failed;
    }
    if (camera && !MoveCameraFirmware()) {
        Fail(status, L"%s. %s", TextCameraUpdateFailed);
        status.Error = UpdateErrorFailed;
        return ReturnTickResult::Failed;
    }
    status.Error = UpdateErrorNone;
    status.Finished = true;
    status.SetPercent(100);
    return ReturnTickResult::Succeeded;
}

void UpdateDriver::Release(UpdateStatus& status)
{
    KeepArchiveTime(status);
    if (m_page.ReturnTimer) m_window.KillReturnTimer();
    // Joins the engines' threads: no callback comes after this.
    m_engines.PrimaryEngine.Destroy();
    m_engines.SecondaryEngine.Destroy();
    m_engines.PrimaryEngineOpen = false;
    m_engines.SecondaryEngineOpen = false;
    m_queue.Clear();
    status.CloseMessageBox();
    m_restartSeen = false;
}
