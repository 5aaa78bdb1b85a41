// Update benchmark: the firmware update of a simulated BlueCore headset from
// its start to the end of the update, through the DFU library road, the
// engine's thread, the callbacks handed over one by one, the progress ticks
// and the device-return ticks. The time seam is at zero: every wait the road
// makes (the pause before the reconfigure, the engine's polls, the headset's
// download and restart, the timers' seconds) costs nothing, so what is
// measured is the program's own work. The package is a 1 MB firmware file.
//
//     bench_update.exe [runs]
//
// Prints each run, then "update: own work <ms> ms" (the median).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "dfu/DfuFile.h"
#include "firmware/UpdateDriver.h"
#include "framework/Clock.h"
#include "framework/File.h"
#include "sim/Simulation.h"
#include "support/TempFolder.h"

namespace {

constexpr size_t kFileBytes = 1 << 20;
// How long one update may take in real time before the run counts as failed.
constexpr ULONGLONG kRealTimeLimitMs = 120000;

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A firmware file of the library for the 0x4D10 headset, version 4.3.
std::vector<uint8_t> FirmwareFile()
{
    std::vector<uint8_t> bytes(kFileBytes);
    std::memcpy(bytes.data(), "TVKDFU1", 8);
    const char identity[] = "TKV8#4D10";
    std::memcpy(bytes.data() + kDfuFileIdentityOffset, identity, sizeof(identity) - 1);
    bytes[48] = 4;
    bytes[49] = 3;
    bytes[52] = 0x10;
    bytes[53] = 0x4D;
    uint32_t state = 12345;
    for (size_t i = kDfuFileHeaderSize; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    const uint32_t length = static_cast<uint32_t>(bytes.size());
    std::memcpy(bytes.data() + 8, &length, 4);
    const uint32_t crc = DfuCrc32(bytes.data() + 16, bytes.size() - 16);
    std::memcpy(bytes.data() + 12, &crc, 4);
    return bytes;
}

// The page as the update sees it, without a window: prompts recorded, one
// message per queued callback counted, timers as flags.
class BenchPage : public IUpdateWindow, public DFUEngine::Callback {
public:
    BenchPage() : driver(page, engines, this, *this) {}

    AppState& MainState() override { return app; }
    UpdateStatus& WorkingStatus() override { return status; }
    void OpenPrompt(UpdateStatus& record, Prompt) override { record.SetPrompt(new NoPrompt); }
    bool PromptAnswered(const UpdateStatus&) override { return false; }
    void StartReturnTimer() override { page.ReturnTimer = 205; }
    void KillReturnTimer() override { page.ReturnTimer = 0; }
    void PostDfuCallback() override { ++posted; }
    std::function<void()> ReturnTimerRequest() override { return [] {}; }
    void WaitCursor(bool) override {}
    void OnDfuNotify(int value, const DFUEngine::Status& s) override { driver.QueueCallback(DfuCallbackData::Notify, value, s); }
    void OnDfuStateChange(int value, const DFUEngine::Status& s) override { driver.QueueStateChange(value, s); }
    void OnDfuOperationDone(int value, const DFUEngine::Status& s) override
    {
        driver.QueueCallback(DfuCallbackData::OperationDone, value, s);
    }

    // The whole update; the number of progress ticks it took, -1 when it
    // failed. With the clock at zero a tick costs nothing, so a busy machine
    // spends many while the engine's thread waits for a core: the run is
    // bounded by real time, and the driver's own bound on the headset's
    // return, counted in ticks, is lifted with it.
    int Run()
    {
        driver.returnTickLimit = INT_MAX;
        const ULONGLONG deadline = ::GetTickCount64() + kRealTimeLimitMs;
        driver.Start(false);
        int ticks = 0;
        for (; !status.Finished && ::GetTickCount64() < deadline; ++ticks) {
            // The messages the engine posted, then one second of the timers.
            for (int quiet = 0; quiet < 3;) {
                if (handled < posted) {
                    ++handled;
                    driver.HandleQueuedCallback();
                    quiet = 0;
                } else {
                    ++quiet;
                    ::Sleep(0);
                }
            }
            if (status.Finished) break;
            if (status.Percent >= 0) driver.ProgressTick(status);
            for (int half = 0; half < 2 && page.ReturnTimer; ++half) driver.ReturnTick();
            Clock::Sleep(1000);
        }
        const bool succeeded = status.Finished && status.Percent == 100;
        driver.Release(status);
        return succeeded ? ticks : -1;
    }

    AppState app;
    UpdateStatus status;
    UpdatePageState page;
    DfuEngines engines;
    UpdateDriver driver;
    std::atomic<int> posted{0};
    int handled = 0;

private:
    class NoPrompt : public UpdatePrompt {
        void ClosePrompt() override {}
    };
};

}  // namespace

// The simulation and the clock at zero for the runs, put back on every way out.
struct SimulatedClock {
    SimulatedClock()
    {
        Simulation::Instance().Install();
        Clock::SetSleepHook([](unsigned) {});
    }
    ~SimulatedClock()
    {
        Clock::SetSleepHook(nullptr);
        Simulation::Instance().Uninstall();
    }
};

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    // Removed with what the runs left in it on every way out.
    const TempFolder bench(L"torvik_update_bench");
    const CString folder = bench.Path() + L"\\";
    const CString file = folder + L"tkv8.dfu";
    const std::vector<uint8_t> bytes = FirmwareFile();
    if (!WriteWholeFile(file, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "cannot write the firmware file\n");
        return 2;
    }

    Simulation& simulation = Simulation::Instance();
    const SimulatedClock clock;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        simulation.Reset();
        simulation.LoadText("dfu.c.pid=0x4D10\ndfu.c.usb=1\ndfu.c.ps.0x02A3=words:0x4D10\ndfu.c.ps.0x02A4=2A 00 00 00\n");
        auto page = std::make_unique<BenchPage>();
        page->app.currentPage = PageFirmwareUpdate;
        page->app.targetProductId = 0x4D10;
        page->app.usbStatus = 0x4D10;
        page->app.deviceSettings.ProductId = 0x4D10;
        page->app.deviceSettings.Firmware = {4, 2};
        page->status.PackagePath = file;
        page->driver.imgFolder = folder;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const int seconds = page->Run();
        QueryPerformanceCounter(&end);
        if (seconds < 0) {
            std::fprintf(stderr, "the update failed\n");
            return 1;
        }
        times.push_back(Milliseconds(start, end));
        std::printf("run %d: %.1f ms of own work, %d timer ticks\n", run + 1, times.back(), seconds);
    }

    std::sort(times.begin(), times.end());
    std::printf("update: own work %.1f ms\n", times[times.size() / 2]);
    return 0;
}
