// A small thread-owner class (Threadable) and the HID DFU engine built on it:
// an object meant to run a HID firmware download on a thread of its own and to
// report failures as negative codes with texts. One engine exists for the
// program's lifetime (HidDfuEngineInstance); the HID updates themselves run on
// the firmware writer threads, so the engine never starts a thread or opens a
// device. Also the heap critical-section helpers its locks use and a handle
// holder.
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>

#include "framework/Sync.h"

// Critical sections on the heap.
CRITICAL_SECTION* CreateCriticalSectionObject();
void EnterCriticalSectionObject(CRITICAL_SECTION* section);
void LeaveCriticalSectionObject(CRITICAL_SECTION* section);
void DeleteCriticalSectionObject(CRITICAL_SECTION* section);

// Keeps one system handle.
class HandleHolder {
public:
    HandleHolder() = default;
    HandleHolder(const HandleHolder&) = delete;
    HandleHolder& operator=(const HandleHolder&) = delete;
    ~HandleHolder() { Close(); }

    void Reset() { m_handle = nullptr; }
    void Close();
    void Set(HANDLE handle) { m_handle = handle; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

// Objects of the thread hierarchy are never copied.
class NoCopy {
protected:
    NoCopy() = default;
    ~NoCopy() = default;
    NoCopy(const NoCopy&) = delete;
    NoCopy& operator=(const NoCopy&) = delete;
};

// Exit code of a thread that Stop had to end by force.
inline constexpr DWORD kForcedThreadExitCode = 0xDEAD2;
// Grace the destructor gives a running thread.
inline constexpr DWORD kThreadStopGraceMs = 1000;
// Wait(0) waits this long at most: nothing waits for ever.
inline constexpr DWORD kThreadWaitLimitMs = 60000;

struct ThreadState {
    HANDLE thread = nullptr;
    CCriticalSection lock;                   // guards the flags while a stop is requested
    std::atomic<bool> running{false};        // started and not yet collected
    std::atomic<bool> stopRequested{false};  // a stop came while no thread ran
    std::atomic<bool> keepGoing{true};       // the body ends its work when it turns false
};

class Threadable : private NoCopy {
public:
    Threadable();
    virtual ~Threadable();

    // The thread's body.
    virtual void Run() = 0;
    // Asks the body to end: clears keepGoing; sets stopRequested when no thread runs.
    virtual void RequestStop();

    // Starts a thread (StartThread) that runs Run; false when one still runs or
    // none can start.
    bool Start();
    // True while a started thread has not ended.
    bool IsRunning() const;
    // Waits for the thread up to milliseconds (0: up to kThreadWaitLimitMs). True
    // when it has ended (or there is none), after which it is collected.
    bool Wait(DWORD milliseconds);
    // Requests a stop, waits up to milliseconds, then ends a thread that is still
    // running by force (exit code kForcedThreadExitCode).
    void Stop(DWORD milliseconds);

    bool KeepGoing() const { return m_state->keepGoing; }
    bool StopRequested() const { return m_state->stopRequested; }

private:
    void Collect();

    std::unique_ptr<ThreadState> m_state;
};

// Error codes of the engine and their texts.
class HidDfuErrorTable {
public:
    HidDfuErrorTable();
    ~HidDfuErrorTable();
    HidDfuErrorTable(const HidDfuErrorTable&) = delete;
    HidDfuErrorTable& operator=(const HidDfuErrorTable&) = delete;

    void Add(int code, const char* text) { m_texts[code] = text; }
    // Stores the code's text (or "Unknown error code") as the last error; returns the code.
    int Report(int code);
    std::string LastError() const;

private:
    std::map<int, std::string> m_texts;
    std::string m_lastError;
    CRITICAL_SECTION* m_lock;
};

// Engine error codes.
enum HidDfuError : int {
    HidDfuErrorNone = 0,
    HidDfuErrorInvalidSequence = -1,
    HidDfuErrorConnect = -2,
    HidDfuErrorOpenFile = -3,
    HidDfuErrorWriteFile = -4,
    HidDfuErrorFileFormat = -5,
    HidDfuErrorFileCrc = -6,
    HidDfuErrorFileRead = -7,
    HidDfuErrorUpgrade = -8,
    HidDfuErrorDeviceReset = -9,
    HidDfuErrorOutOfMemory = -10,
    HidDfuErrorInvalidParameter = -11,
    HidDfuErrorDriver = -12,
    HidDfuErrorStart = -13,
    HidDfuErrorBusy = -14,
    HidDfuErrorClearStatus = -15,
    HidDfuErrorCorruptFirmware = -16,
    HidDfuErrorUnknown = -20,
};

class CHidDfuEngine : public Threadable {
public:
    CHidDfuEngine();
    ~CHidDfuEngine() override;

    // Performs the stored job, if any.
    void Run() override;
    // Refused with HidDfuErrorBusy while the thread runs; otherwise closes the
    // device if open and returns 0.
    int Close();
    // Leaves the code's text as the last error and returns the code.
    int GetErrorText(int code) { return m_errors.Report(code); }
    std::string LastErrorText() const { return m_errors.LastError(); }
    HANDLE Device() const { return m_device; }

private:
    using Job = int (CHidDfuEngine::*)();

    HANDLE m_device = INVALID_HANDLE_VALUE;
    HidDfuErrorTable m_errors;
    // The work Run performs; none is ever set, as the engine never runs.
    Job m_job = nullptr;
    CRITICAL_SECTION* m_engineLock;
};

// The program's one engine, built during static initialisation.
extern CHidDfuEngine HidDfuEngineInstance;
