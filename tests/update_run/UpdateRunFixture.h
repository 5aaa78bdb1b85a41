// The running update without windows: the driver over simulated chips and
// headsets, with a page of its own that records the prompts and timers it is
// asked for. The test plays the user-interface thread: it hands over the
// callbacks the engines queued, one per posted message, and ticks the progress
// and device-return timers on the program's clock (waits recorded, not spent).
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "dfu_road/RoadFixture.h"
#include "device/HidDevices.h"
#include "firmware/UpdateDriver.h"
#include "sim/SimChips.h"
#include "sim/SimHid.h"
#include "sim/Simulation.h"
#include "support/TempFolder.h"

// A prompt as the page would show it; the test answers or watches it.
class RecordedPrompt : public UpdatePrompt {
public:
    RecordedPrompt(IUpdateWindow::Prompt kind, int* closed) : kind(kind), m_closed(closed) {}
    void ClosePrompt() override { ++*m_closed; }
    const IUpdateWindow::Prompt kind;

private:
    int* m_closed;
};

class UpdateRunTest : public RoadFixture, public IUpdateWindow, public DFUEngine::Callback {
protected:
    void SetUp() override
    {
        RoadFixture::SetUp();
        // The engines' threads keep a little of their pace, so that their
        // reports come one after the other as they do in the program.
        const DWORD self = ::GetCurrentThreadId();
        Clock::SetSleepHook([this, self](unsigned ms) {
            if (::GetCurrentThreadId() != self) ::Sleep(1);
            else testSleeps.push_back(ms);
        });
        app.currentPage = PageFirmwareUpdate;
        driver = std::make_unique<UpdateDriver>(page, engines, this, *this);
        driver->imgFolder = folder.Path() + L"\\";
        driver->programFolder = folder.Path() + L"\\";
        driver->returnTickLimit = 40;
        driver->startWriter = [this](std::unique_ptr<WriterContext> context) {
            writers.push_back(std::move(context));
            return writerStarts;
        };
    }
    void TearDown() override
    {
        driver.reset();  // the engines stop first
        status.CloseMessageBox();
        restoreStatus.CloseMessageBox();
        RoadFixture::TearDown();
    }

    // IUpdateWindow
    AppState& MainState() override { return app; }
    UpdateStatus& WorkingStatus() override { return app.currentPage == PageFirmwareUpdate ? status : restoreStatus; }
    void OpenPrompt(UpdateStatus& record, Prompt prompt) override
    {
        prompts.push_back(prompt);
        record.SetPrompt(new RecordedPrompt(prompt, &promptsClosed));
    }
    bool PromptAnswered(const UpdateStatus&) override { return promptAnswered; }
    void StartReturnTimer() override
    {
        page.ReturnTimer = 205;
        ++returnTimerStarts;
    }
    void KillReturnTimer() override { page.ReturnTimer = 0; }
    void PostDfuCallback() override { ++posted; }
    std::function<void()> ReturnTimerRequest() override
    {
        return [this] { ++returnTimerRequests; };
    }
    void WaitCursor(bool on) override { waitCursor.push_back(on); }

    // DFUEngine::Callback: what the page forwards.
    void OnDfuNotify(int value, const DFUEngine::Status& s) override
    {
        driver->QueueCallback(DfuCallbackData::Notify, value, s);
    }
    void OnDfuStateChange(int value, const DFUEngine::Status& s) override { driver->QueueStateChange(value, s); }
    void OnDfuOperationDone(int value, const DFUEngine::Status& s) override
    {
        driver->QueueCallback(DfuCallbackData::OperationDone, value, s);
    }

    // A recognized BlueCore headset in its normal firmware, attached as itself.
    void RecognizedChip(int productId, int major, int minor, int type = 0, int version = 0)
    {
        Recognized(productId, major, minor, type, version);
        app.usbStatus = productId;
    }

    // One posted message per queued callback, for a while of real time in
    // which the engines' threads go on by about a second of the program's clock.
    void Settle(DWORD realMs = 20)
    {
        const ULONGLONG end = ::GetTickCount64() + realMs;
        do {
            while (handled < posted) {
                ++handled;
                driver->HandleQueuedCallback();
            }
            ::Sleep(1);
        } while (::GetTickCount64() < end);
    }

    // The page's timers until the update has finished, at most maxTicks
    // seconds of the program's clock; true when it finished.
    bool RunToEnd(int maxTicks = 400)
    {
        for (int tick = 0; tick < maxTicks; ++tick) {
            Settle();
            UpdateStatus& record = WorkingStatus();
            if (record.Finished) return true;
            if (record.Percent >= 0) {
                const int frame = driver->ProgressTick(record);
                frames.push_back(frame);
            }
            for (int half = 0; half < 2 && page.ReturnTimer; ++half) {
                returnResults.push_back(driver->ReturnTick());
                Settle(5);
            }
            Second();
        }
        Settle();
        return WorkingStatus().Finished;
    }

    // A second of the program's clock, which the engines share. An engine
    // that follows a step has asked its chip since the last second first: one
    // that the machine held back would otherwise find its chip silent for
    // longer than it was, and give up.
    void Second()
    {
        SimChips& chips = Simulation::Instance().Chips();
        const ULONGLONG guard = ::GetTickCount64() + 60000;
        while (chips.StepRunning() && chips.StepPolls() == m_pollsAtSecond && ::GetTickCount64() < guard) Settle(1);
        m_pollsAtSecond = chips.StepPolls();
        Clock::Sleep(1000);
    }

    // The end of the update as the page ends it.
    void End() { driver->Release(WorkingStatus()); }

    CString English() { return WorkingStatus().PeekStatusText(LanguageEnglish); }
    int Count(const std::string& prefix)
    {
        int n = 0;
        for (const std::string& line : Journal()) n += line.rfind(prefix, 0) == 0;
        return n;
    }
    int CountPrompts(Prompt kind)
    {
        int n = 0;
        for (Prompt p : prompts) n += p == kind;
        return n;
    }
    bool ArchiveWritten() { return ::GetFileAttributesW(folder / L"TKV8.wqlnxarch") != INVALID_FILE_ATTRIBUTES; }

    TempFolder folder{L"update_run"};
    UpdateStatus restoreStatus;
    UpdatePageState page;
    DfuEngines engines;
    std::unique_ptr<UpdateDriver> driver;

    std::atomic<int> posted{0};
    int handled = 0;
    std::vector<Prompt> prompts;
    int promptsClosed = 0;
    bool promptAnswered = false;
    int returnTimerStarts = 0;
    std::atomic<int> returnTimerRequests{0};
    std::vector<bool> waitCursor;
    std::vector<unsigned> testSleeps;  // the waits of the user-interface thread
    std::vector<int> frames;
    std::vector<ReturnTickResult> returnResults;
    std::vector<std::unique_ptr<WriterContext>> writers;
    bool writerStarts = true;

private:
    unsigned long m_pollsAtSecond = 0;
};

// A 0x4D10 headset at firmware 4.2 behind the DFU library, also on the USB
// list, with its VOX switches on.
inline std::string Tkv8Chip(const std::string& id = "c", const std::string& extra = "")
{
    const std::string k = "dfu." + id + ".";
    return k + "pid=0x4D10\n" + k + "usb=1\n" + k + "ps.0x02A3=words:0x4D10\n" + k + "ps.0x02A4=2A 00 00 00\n" + k +
           "ps.0x0298=words:1\n" + k + "ps.0x0299=words:1\n" + k + "ps.0x00EF=FF FE 8F 78 18 1E 59 83\n" + extra;
}
