// The running firmware update, window-free: its start and its roads, the DFU
// library's callbacks handed to the user-interface thread, the one-second
// progress tick and the device-return tick. The update page owns one and does
// for it what needs a window (prompts, timers, posted messages) through
// IUpdateWindow; everything here runs on the user-interface thread except
// QueueCallback, which the engines' threads call.
//
// Roads by target product:
//   HID writers   the headset is checked over HID (and restarted first on the
//                 0x6010 and 0x5410 families), then a writer thread owns the
//                 update and reports through the record;
//   DFU library   the headset's USB presence, its persistent-store identity,
//                 the package (the action camera's split first), the
//                 preparation writes, the settings archive and the library's
//                 reconfigure step; the library's callbacks drive the rest.
// Every failure fills the record's eleven texts with "%s. %s" (and a tag that
// names the check) and sets Finished; the page's progress tick ends the update.
#pragma once

#include <functional>
#include <list>
#include <memory>

#include "app/AppState.h"
#include "dfu/DFUEngine.h"
#include "firmware/DfuRoad.h"
#include "firmware/UpdateProgress.h"
#include "firmware/UpdateStatus.h"
#include "firmware/WriterContext.h"
#include "framework/Sync.h"

// One callback of the DFU library, queued on the engine's thread.
struct DfuCallbackData {
    enum Kind : int { Notify = 0, StateChange = 1, OperationDone = 2 };
    int kind = Notify;
    int value = 0;
    DFUEngine::Status status;
};

// The callbacks waiting for the user-interface thread, first in first out.
// Notifications and finished operations are always kept; a state change is
// kept only when nothing else waits, so a burst of them is handled once.
class DfuCallbackQueue {
public:
    void Queue(int kind, int value, const DFUEngine::Status& status);
    // A state change: queued only into an empty queue. True when queued.
    bool QueueStateChange(int value, const DFUEngine::Status& status);
    // The head item, or null when none waits.
    std::shared_ptr<DfuCallbackData> TakeHead();
    void Clear();
    size_t Size() const;

private:
    mutable CCriticalSection m_lock;
    std::list<std::shared_ptr<DfuCallbackData>> m_items;
};

// What the running update asks of the update page's window.
class IUpdateWindow {
public:
    virtual ~IUpdateWindow() = default;
    // The main window's state.
    virtual AppState& MainState() = 0;
    // The record of the running operation: the update page's own while it is
    // the current page, else the restore page's.
    virtual UpdateStatus& WorkingStatus() = 0;
    enum class Prompt { HoldKey, HoldTwoKeys, BackupFailed };
    // Opens a modeless prompt and hands it to the record.
    virtual void OpenPrompt(UpdateStatus& status, Prompt prompt) = 0;
    // True when the record's prompt was answered (its box went away).
    virtual bool PromptAnswered(const UpdateStatus& status) = 0;
    // Timer 205; ReturnTimer of the page state holds its id while it runs.
    virtual void StartReturnTimer() = 0;
    virtual void KillReturnTimer() = 0;
    // Posts the page one message for one queued callback; any thread.
    virtual void PostDfuCallback() = 0;
    // What a writer thread calls to ask for timer 205: it posts the page a
    // message, from any thread, also after the page went away.
    virtual std::function<void()> ReturnTimerRequest() = 0;
    // The wait cursor during the restart of a headset into update mode.
    virtual void WaitCursor(bool on) = 0;
};

// How the device-return tick ended.
enum class ReturnTickResult {
    Waiting,    // not back yet
    Succeeded,  // back: the update succeeded
    GoesOn,     // back: the second unit of the 0x5310 pair is being written
    Failed,     // not back in time, or its last step failed
};

class UpdateDriver {
public:
    UpdateDriver(UpdatePageState& page, DfuEngines& engines, DFUEngine::Callback* callback, IUpdateWindow& window);
    ~UpdateDriver();
    UpdateDriver(const UpdateDriver&) = delete;
    UpdateDriver& operator=(const UpdateDriver&) = delete;

    // Starts the update of the working record's PackagePath by its road;
    // confirmed takes the DFU library road whatever the product and writes no
    // settings archive.
    void Start(bool confirmed);

    // Engine threads: queue a callback and post its message.
    void QueueCallback(int kind, int value, const DFUEngine::Status& status);
    // A state change, coalesced (QueueStateChange).
    void QueueStateChange(int value, const DFUEngine::Status& status);
    // One posted message: handles the queue's head item.
    void HandleQueuedCallback();
    // The next DFU step after one that succeeded.
    void ContinueDfuStep(const DFUEngine::Status& status);

    // One tick of the progress timer on the working record (not finished):
    // the archive time a writer handed back, the next percentage, the prompts,
    // and the frame's percentage returned.
    int ProgressTick(UpdateStatus& status);
    // One tick of the device-return timer.
    ReturnTickResult ReturnTick();
    // A writer thread asked for the device-return timer.
    void OnReturnTimerRequest();

    // The end of an update: the archive time a writer handed back kept, the
    // engines released (no callback after this), queued callbacks discarded,
    // the device-return timer and the prompt gone.
    void Release(UpdateStatus& status);

    DfuCallbackQueue& Queue() { return m_queue; }
    // Set once the library reported that the headset restarts.
    bool RestartSeen() const { return m_restartSeen; }

    // The folder of the settings archive and the camera's parts ("IMG" beside
    // the program unless a test gives another), ending with a backslash.
    CString imgFolder;
    // The folder of the external flashing programs, ending with a backslash.
    CString programFolder;
    // The device-return timer gives up after this many of its ticks.
    int returnTickLimit;
    // Starts a writer thread with its context (StartWriterThread, the handle
    // closed at once); false when it did not start.
    std::function<bool(std::unique_ptr<WriterContext>)> startWriter;

private:
    AppState& App() { return m_window.MainState(); }
    // The failure texts "%s. %s" + tag of the working operation.
    void Fail(UpdateStatus& status, const wchar_t* format, CString (*detail)(LanguageIndex));
    void FailWith(UpdateStatus& status, const wchar_t* format, const std::function<CString(LanguageIndex)>& detail);
    void StartWriterRoad(UpdateStatus& status);
    void StartDfuRoad(UpdateStatus& status, bool confirmed);
    // The attached HID headset is the recognized one (the package writer's
    // models are restarted first).
    bool HidHeadsetChecked();
    // The road of 0x6020, 0x6022 and 0x6024 restarts the headset into update mode.
    bool RestartedIntoUpdateMode(UpdateStatus& status);
    bool PackageChecked(UpdateStatus& status, bool confirmed);
    // The archive time a writer handed back through the record, into the
    // main window's settings.
    void KeepArchiveTime(UpdateStatus& status);
    // Timer 205 started, its ticks counted from 0.
    void StartReturnWatch();
    void HandleStateChange(UpdateStatus& status, const DFUEngine::Status& dfu);
    void HandleOperationDone(UpdateStatus& status, const DfuCallbackData& item);
    // The second engine takes the update over (second attempt, or the second
    // unit of the 0x5310 pair); false when it does not start.
    bool StartSecondEngine(UpdateStatus& status);
    void OpenPromptUnlessOpen(UpdateStatus& status, IUpdateWindow::Prompt prompt);
    // The camera's part onto the camera's drive; false when it cannot be put there.
    bool MoveCameraFirmware();

    UpdatePageState& m_page;
    DfuEngines& m_engines;
    DFUEngine::Callback* m_callback;
    IUpdateWindow& m_window;
    DfuCallbackQueue m_queue;
    // The tick counters that are not the record's.
    ProgressCounters m_counters;
    bool m_restartSeen = false;
    bool m_backupNoticeShown = false;
    int m_returnTicks = 0;
};

// Ticks of the device-return timer (500 ms each) before a headset that does
// not come back ends the update as a failure: two minutes.
inline constexpr int kReturnTickLimit = 240;
