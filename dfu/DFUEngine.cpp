#include "dfu/DFUEngine.h"

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "dfu/DfuBackend.h"
#include "dfu/DfuFile.h"
#include "framework/Clock.h"
#include "framework/Sync.h"

namespace {

using Status = DFUEngine::Status;
using Result = DFUEngine::Result;
using Kind = DfuChipAnswer::Kind;

// How often the engine asks the chip how its step goes.
constexpr unsigned kPollIntervalMs = 500;
// A step whose chip says nothing new for this long fails with TimedOut.
constexpr uint64_t kSilenceLimitMs = 15000;
// A reconfigure fails with TimedOut when the chip is not in update mode after
// this long (the user may have to hold a key first).
constexpr uint64_t kReconfigureLimitMs = 180000;
// The longest slice of a wait, so that Destroy is answered promptly.
constexpr unsigned kWaitSliceMs = 50;

DfuChipStep StepOf(int operation)
{
    switch (operation) {
    case Status::OperationReconfigure: return DfuChipStep::Reconfigure;
    case Status::OperationCheckDevice: return DfuChipStep::CheckDevice;
    case Status::OperationDownload: return DfuChipStep::Download;
    default: return DfuChipStep::Manifest;
    }
}

}  // namespace

class DFUEngine::Impl {
public:
    ~Impl() { Destroy(); }

    Result CreateUSB(const std::wstring& name)
    {
        Destroy();
        std::wstring device;
        if (!DfuBackend().FindDevice(name, device)) return Result(Result::NoSuchDevice, L"no such device");
        std::lock_guard<std::mutex> lock(m_mutex);
        m_device = device;
        return Result();
    }

    void SetCallback(Callback* callback)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_callback = callback;
    }

    // Starts an operation: the chip must take its step, then the engine's
    // thread follows it.
    bool Start(int operation, bool switchMode, const DfuFileInfo* image)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_running || m_stopping) return false;
        if (operation == Status::OperationManifest && m_stage != Status::OperationDownload) return false;
        if (m_device.empty() && !TakeOnlyDevice()) return false;
        if (!DfuBackend().BeginStep(m_device, StepOf(operation), switchMode, image)) return false;
        if (!m_thread) {
            // The engine owns its thread: Destroy stops and joins it.
            m_thread = StartThread([this] { Run(); }, L"a DFU engine");
            if (!m_thread) {
                DfuBackend().AbortStep(m_device);
                return false;
            }
        }
        m_running = true;
        m_pending = operation;
        m_wake.notify_all();
        return true;
    }

    // The operation StartDownload runs: the check after a reconfigure, the
    // transfer once the check succeeded.
    int DownloadOperation()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_stage == Status::OperationCheckDevice ? Status::OperationDownload : Status::OperationCheckDevice;
    }

    void Destroy()
    {
        HANDLE thread = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
            thread = m_thread;
            m_wake.notify_all();
        }
        if (thread) {
            // A callback that destroys its own engine cannot wait for itself: the
            // thread ends when the callback returns and is joined later.
            if (GetThreadId(thread) == GetCurrentThreadId()) return;
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
        std::wstring device;
        bool running = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            device.swap(m_device);
            running = m_running;
            m_thread = nullptr;
            m_running = false;
            m_pending = 0;
            m_stage = Status::OperationNone;
            m_stopping = false;
        }
        if (running && !device.empty()) DfuBackend().AbortStep(device);
    }

    std::wstring Device()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_device;
    }

private:
    // With no chip given, the library's only chip. Called with the lock held.
    bool TakeOnlyDevice()
    {
        std::vector<DfuDeviceEntry> devices = DfuBackend().ListDevices();
        return devices.size() == 1 && DfuBackend().FindDevice(devices[0].name, m_device);
    }

    // The engine's thread: one operation after the other until Destroy.
    void Run()
    {
        for (;;) {
            int operation = 0;
            std::wstring device;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [this] { return m_stopping || m_pending != 0; });
                if (m_stopping) return;
                operation = m_pending;
                m_pending = 0;
                device = m_device;
            }
            Follow(operation, device);
        }
    }

    // Asks the chip how its step goes until it ends, reporting as it goes.
    void Follow(int operation, const std::wstring& device)
    {
        Status status;
        status.operation = operation;
        const uint64_t started = Clock::Now();
        uint64_t lastNews = started;
        for (;;) {
            if (!Wait(kPollIntervalMs)) {
                DfuBackend().AbortStep(device);
                return;
            }
            DfuChipAnswer answer = DfuBackend().PollStep(device);
            const uint64_t now = Clock::Now();
            switch (answer.kind) {
            case Kind::Busy:
                break;
            case Kind::Activity:
                lastNews = now;
                status.activity = answer.value;
                if (!Report(&Callback::OnDfuStateChange, answer.value, status)) return;
                break;
            case Kind::Progress:
                lastNews = now;
                status.activity = Status::ActivityTransferring;
                if (!Report(&Callback::OnDfuNotify, std::clamp(answer.value, 0, 100), status)) return;
                break;
            case Kind::Done:
                Finish(status, Result());
                return;
            case Kind::Failed:
                Finish(status, Result(answer.value == Result::Success ? Result::DeviceNotReady : answer.value));
                return;
            }
            const bool silent = now - lastNews >= kSilenceLimitMs;
            const bool tooLong = operation == Status::OperationReconfigure && now - started >= kReconfigureLimitMs;
            if (silent || tooLong) {
                DfuBackend().AbortStep(device);
                Finish(status, Result(Result::TimedOut, L"the device stopped answering"));
                return;
            }
        }
    }

    // Ends the operation: the next one may start from within the callback.
    void Finish(Status status, Result result)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stopping) return;
            m_running = false;
            const bool next = result && status.operation != Status::OperationManifest;
            m_stage = next ? status.operation : Status::OperationNone;
        }
        status.result = result;
        Report(&Callback::OnDfuOperationDone, status.operation, status);
    }

    // Calls one callback unless the engine is being destroyed; false then.
    bool Report(void (Callback::*slot)(int, const Status&), int value, const Status& status)
    {
        Callback* callback = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stopping) return false;
            callback = m_callback;
        }
        if (callback) (callback->*slot)(value, status);
        return true;
    }

    // Waits on the program's clock; false as soon as Destroy asks to stop.
    bool Wait(unsigned milliseconds)
    {
        const uint64_t end = Clock::Now() + milliseconds;
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stopping) return false;
            }
            const uint64_t now = Clock::Now();
            if (now >= end) return true;
            Clock::Sleep(static_cast<unsigned>(std::min<uint64_t>(end - now, kWaitSliceMs)));
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    HANDLE m_thread = nullptr;
    bool m_stopping = false;
    bool m_running = false;  // from a start until its operation ends
    int m_pending = 0;       // an operation the thread has not taken yet
    int m_stage = Status::OperationNone;  // the last operation that succeeded
    std::wstring m_device;
    Callback* m_callback = nullptr;
};

DFUEngine::DFUEngine() : m_impl(std::make_unique<Impl>()) {}

DFUEngine::~DFUEngine() = default;

bool DFUEngine::IsDFUFileValid(const CStringX& path) { return ReadDfuFile(path, nullptr); }

int DFUEngine::GetUSBDeviceNames(CStringListX& names)
{
    names.RemoveAll();
    for (const DfuDeviceEntry& entry : DfuBackend().ListDevices()) names.AddTail(CStringX(entry.name));
    return names.GetCount();
}

DFUEngine::Result DFUEngine::CreateUSB(const CStringX& name) { return m_impl->CreateUSB(name.str()); }

void DFUEngine::SetCallback(Callback* callback) { m_impl->SetCallback(callback); }

bool DFUEngine::StartReconfigure(bool waitOnly, bool checkFile, const CStringX& path)
{
    if (checkFile && !IsDFUFileValid(path)) return false;
    return m_impl->Start(Status::OperationReconfigure, !waitOnly, nullptr);
}

bool DFUEngine::StartDownload(const CStringX& path)
{
    DfuFileInfo image;
    if (!ReadDfuFile(path, &image)) return false;
    return m_impl->Start(m_impl->DownloadOperation(), false, &image);
}

bool DFUEngine::StartManifest() { return m_impl->Start(Status::OperationManifest, false, nullptr); }

void DFUEngine::Destroy() { m_impl->Destroy(); }

CStringX DFUEngine::DeviceName() const { return CStringX(m_impl->Device()); }
